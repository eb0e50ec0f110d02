#include "widgets/prompts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QGridLayout>
#include <QScreen>
#include <QSpacerItem>
#include <QWidget>
#include <algorithm>

namespace radio {

namespace {

const char* const kPromptsProperty = "radioprogPrompts";

// Qt's own texts for Save and Discard carry no access key, so at the keyboard the
// unsaved-changes question could only be answered with Tab. Each gets its letter:
// underlined where the text holds it, added as "(&S)" where it does not (Chinese).
void GiveAccessKey(QMessageBox& box, QMessageBox::StandardButton which, QChar key)
{
    QAbstractButton* button = box.button(which);
    if (!button || button->text().contains(u'&')) {
        return;
    }
    const QString text = button->text();
    const int at = text.indexOf(key, 0, Qt::CaseInsensitive);
    button->setText(at >= 0 ? text.left(at) + u'&' + text.mid(at)
                            : text + QStringLiteral("(&%1)").arg(key));
}

// A short message makes a narrow box, and the window manager then cuts its title
// ("…"). The box is made wide enough for the title beside the frame's buttons (room
// for the icon and three buttons of a usual title bar), within the screen.
void MakeRoomForTitle(QMessageBox& box)
{
    constexpr int kTitleBarButtons = 160;
    QFont bold = box.font();
    bold.setBold(true);
    int width = QFontMetrics(bold).horizontalAdvance(box.windowTitle()) + kTitleBarButtons;
    if (const QScreen* screen = box.screen()) {
        width = std::min(width, screen->availableGeometry().width() * 9 / 10);
    }
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (grid != nullptr) {
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
}

Prompts* AttachedTo(const QObject* object)
{
    return object ? reinterpret_cast<Prompts*>(object->property(kPromptsProperty).value<quintptr>())
                  : nullptr;
}

// A message box whose buttons keep the program's texts and access keys. Qt names its
// standard buttons anew at every change of language, and one may still be on its
// way when a box opens (at start-up, Qt's Chinese texts having just been installed).
class ProgramBox : public QMessageBox {
public:
    ProgramBox(const BoxRequest& request, QWidget* parent)
        : QMessageBox(request.icon, request.caption, request.text, request.buttons, parent),
          m_texts(request.buttonTexts)
    {
        NameButtons();
    }

protected:
    // After Qt's own handling, which passes the change on to the buttons last.
    bool event(QEvent* event) override
    {
        const bool handled = QMessageBox::event(event);
        if (event->type() == QEvent::LanguageChange) {
            NameButtons();
        }
        return handled;
    }

private:
    void NameButtons()
    {
        for (const auto& [which, text] : m_texts) {
            if (QAbstractButton* named = button(which)) {
                named->setText(text);
            }
        }
        GiveAccessKey(*this, QMessageBox::Save, u'S');
        GiveAccessKey(*this, QMessageBox::Discard, u'D');
    }

    std::vector<std::pair<QMessageBox::StandardButton, QString>> m_texts;
};

}  // namespace

QMessageBox::StandardButton Prompts::Box(QWidget* parent, const BoxRequest& request)
{
    ProgramBox box(request, parent);
    if (request.defaultButton != QMessageBox::NoButton) {
        box.setDefaultButton(request.defaultButton);
    }
    MakeRoomForTitle(box);
    return QMessageBox::StandardButton(box.exec());
}

int Prompts::Modal(QDialog& dialog)
{
    // Modal to the main window only: the help window stays usable beside it.
    if (dialog.parentWidget() && dialog.windowModality() == Qt::NonModal) {
        dialog.setWindowModality(Qt::WindowModal);
    }
    return dialog.exec();
}

QString Prompts::FileName(FileDialogKind kind, QWidget* parent, const QString& filter,
                          const QString& directory)
{
    if (kind == FileDialogKind::Open) {
        return QFileDialog::getOpenFileName(parent, QString(), directory, filter);
    }
    const QFileDialog::Options options =
        kind == FileDialogKind::Append ? QFileDialog::DontConfirmOverwrite : QFileDialog::Options();
    return QFileDialog::getSaveFileName(parent, QString(), directory, filter, nullptr, options);
}

void Prompts::Beep()
{
    QApplication::beep();
}

void AttachPrompts(QObject* owner, Prompts* prompts)
{
    owner->setProperty(kPromptsProperty, QVariant::fromValue(quintptr(prompts)));
}

Prompts& PromptsFor(const QObject* from)
{
    for (const QObject* at = from; at != nullptr; at = at->parent()) {
        if (Prompts* prompts = AttachedTo(at)) {
            return *prompts;
        }
    }
    if (Prompts* prompts = AttachedTo(QCoreApplication::instance())) {
        return *prompts;
    }
    static Prompts real;
    return real;
}

}  // namespace radio
