#include "features/field_exchange.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <cmath>
#include <limits>

#include "config/text_of.h"
#include "widgets/edit_view.h"
#include "widgets/message_box.h"

namespace radio {

namespace {

// A whole number: digits only (blanks around them allowed). Numbers too large for
// the field saturate, so they are simply out of range.
bool ParseWholeNumber(const QString& text, unsigned* value)
{
    const QString digits = text.trimmed();
    if (digits.isEmpty()) {
        return false;
    }
    unsigned long long v = 0;
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            return false;
        }
        v = std::min<unsigned long long>(v * 10 + unsigned(c.unicode() - u'0'),
                                         std::numeric_limits<unsigned>::max());
    }
    *value = unsigned(v);
    return true;
}

bool ParseNumber(const QString& text, double* value)
{
    bool ok = false;
    const double v = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(v)) {
        return false;
    }
    *value = v;
    return true;
}

// Whether `offset` is a whole number of steps; a hair off through rounding (4.95 - 0.5
// is not exactly 89 steps of 0.05 in binary) still counts.
bool OnStep(double offset, double step)
{
    const double steps = offset / step;
    return std::fabs(steps - std::round(steps)) < 1e-6;
}

void SetTextIfChanged(QLineEdit* edit, const QString& text)
{
    if (edit->text() != text) {
        edit->setText(text);
    }
}

}  // namespace

QString FieldExchange::Message(int n) const
{
    return UiText(*m_data, n);
}

// The range message, with the step when there is one.
QString FieldExchange::RangeMessage(int plain, int stepped, const QString& min, const QString& max,
                                    const QString& step, bool hasStep) const
{
    return hasStep ? Message(stepped).arg(min, max, step) : Message(plain).arg(min, max);
}

void FieldExchange::AddWholeNumber(QLineEdit* edit, unsigned* field, unsigned min, unsigned max,
                                   unsigned step)
{
    auto take = [this, edit, field, min, max, step]() {
        unsigned v = 0;
        if (ParseWholeNumber(edit->text(), &v) && v >= min && v <= max && (v - min) % step == 0) {
            *field = v;
            return QString();
        }
        return RangeMessage(text::EnterWholeNumber, text::EnterWholeNumberInSteps,
                            QString::number(min), QString::number(max), QString::number(step),
                            step > 1);
    };
    auto show = [edit, field]() { SetTextIfChanged(edit, QString::number(*field)); };
    m_entries.push_back({edit, take, show});
}

void FieldExchange::AddNumber(QLineEdit* edit, double* field, double min, double max, double step)
{
    auto take = [this, edit, field, min, max, step]() {
        double v = 0;
        if (ParseNumber(edit->text(), &v) && v >= min && v <= max && OnStep(v - min, step)) {
            *field = v;
            return QString();
        }
        auto text = [](double x) { return QString::number(x, 'g', 6); };
        return RangeMessage(text::EnterNumber, text::EnterNumberInSteps, text(min), text(max),
                            text(step), true);
    };
    auto show = [edit, field]() { SetTextIfChanged(edit, QString::number(*field, 'g', 6)); };
    m_entries.push_back({edit, take, show});
}

void FieldExchange::AddCheckedText(QLineEdit* edit, QString* field,
                                   std::function<QString(const QString&)> check)
{
    auto take = [edit, field, check]() {
        QString message = check(edit->text());
        if (message.isEmpty()) {
            *field = edit->text();
        }
        return message;
    };
    auto show = [edit, field]() { SetTextIfChanged(edit, *field); };
    m_entries.push_back({edit, take, show});
}

void FieldExchange::AddText(QLineEdit* edit, QString* field, int maxLength)
{
    auto take = [this, edit, field, maxLength]() {
        if (edit->text().size() > maxLength) {
            return Message(text::TooManyCharacters).arg(maxLength);
        }
        *field = edit->text();
        return QString();
    };
    auto show = [edit, field]() { SetTextIfChanged(edit, *field); };
    m_entries.push_back({edit, take, show});
}

void FieldExchange::AddChoice(QComboBox* list, int* field)
{
    auto take = [list, field]() {
        *field = list->currentIndex();
        return QString();
    };
    auto show = [list, field]() {
        list->setCurrentIndex(*field >= 0 && *field < list->count() ? *field : -1);
    };
    m_entries.push_back({list, take, show});
}

void FieldExchange::AddCheck(QAbstractButton* box, int* field)
{
    auto take = [box, field]() {
        *field = box->isChecked() ? 1 : 0;
        return QString();
    };
    auto show = [box, field]() {
        // The box has two states: 1 and 2 show as on, anything above 2 as off.
        if (*field > 2 || *field < 0) {
            *field = 0;
        }
        box->setChecked(*field != 0);
    };
    m_entries.push_back({box, take, show});
}

// The caption of the label that names the control on its form, if there is one.
QString FieldExchange::FieldName(const QWidget* control)
{
    for (const QLabel* label : control->window()->findChildren<QLabel*>()) {
        if (label->buddy() == control) {
            return PlainCaption(label->text());
        }
    }
    return QString();
}

bool FieldExchange::Take()
{
    for (m_takenCount = 0; m_takenCount < m_entries.size(); ++m_takenCount) {
        const Entry& entry = m_entries[m_takenCount];
        const QString message = entry.take();
        if (!message.isEmpty()) {
            Refuse(entry, message);
            return false;
        }
    }
    return true;
}

void FieldExchange::Refuse(const Entry& entry, const QString& message)
{
    const QString name = FieldName(entry.control);
    BoxRequest box;
    box.text = name.isEmpty() ? message : name + QStringLiteral(": ") + message;
    box.caption = Message(text::WarningCaption);
    box.icon = QMessageBox::Warning;
    ShowBox(entry.control, box);
    // What is typed next replaces the refused text, wherever the focus was before.
    CEditView::FocusRefused(entry.control);
}

void FieldExchange::Show()
{
    for (std::size_t i = 0; i < m_takenCount && i < m_entries.size(); ++i) {
        m_entries[i].show();
    }
}

void FieldExchange::ShowAll()
{
    m_takenCount = m_entries.size();
    Show();
}

bool FieldExchange::Taken(const QWidget* control) const
{
    for (std::size_t i = 0; i < m_takenCount && i < m_entries.size(); ++i) {
        if (m_entries[i].control == control) {
            return true;
        }
    }
    return false;
}

QWidget* FieldExchange::Refused() const
{
    return m_takenCount < m_entries.size() ? m_entries[m_takenCount].control : nullptr;
}

}  // namespace radio
