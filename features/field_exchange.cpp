#include "features/field_exchange.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <cmath>
#include <limits>

#include "config/text_of.h"
#include "widgets/message_box.h"

namespace radio {

namespace {

constexpr int kWarningCaption = 89;  // caption of the program's warnings

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

void FieldExchange::AddWholeNumber(QLineEdit* edit, unsigned* field, unsigned min, unsigned max,
                                   OutOfRange outOfRange)
{
    auto take = [this, edit, field, min, max, outOfRange]() {
        unsigned v = 0;
        const bool number = ParseWholeNumber(edit->text(), &v);
        if (number && v >= min && v <= max) {
            *field = v;
            return QString();
        }
        if (outOfRange == OutOfRange::Clamp) {
            *field = !number || v < min ? min : max;
        }
        return Message(text::EnterWholeNumber).arg(min).arg(max);
    };
    auto show = [edit, field]() { SetTextIfChanged(edit, QString::number(*field)); };
    m_entries.push_back({edit, take, show});
}

void FieldExchange::AddNumber(QLineEdit* edit, double* field, double min, double max,
                              OutOfRange outOfRange)
{
    auto take = [this, edit, field, min, max, outOfRange]() {
        double v = 0;
        const bool number = ParseNumber(edit->text(), &v);
        if (number && v >= min && v <= max) {
            *field = v;
            return QString();
        }
        if (outOfRange == OutOfRange::Clamp) {
            *field = !number || v < min ? min : max;
        }
        return Message(text::EnterNumber)
            .arg(QString::number(min, 'g', 6), QString::number(max, 'g', 6));
    };
    auto show = [edit, field]() { SetTextIfChanged(edit, QString::number(*field, 'g', 6)); };
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
            const QString name = FieldName(entry.control);
            BoxRequest box;
            box.text = name.isEmpty() ? message : name + QStringLiteral(": ") + message;
            box.caption = Message(kWarningCaption);
            box.icon = QMessageBox::Warning;
            ShowBox(entry.control, box);
            entry.control->setFocus(Qt::OtherFocusReason);
            if (auto* edit = qobject_cast<QLineEdit*>(entry.control)) {
                edit->selectAll();
            }
            return false;
        }
    }
    return true;
}

void FieldExchange::Show()
{
    for (const Entry& entry : m_entries) {
        entry.show();
    }
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

}  // namespace radio
