// The one object through which the program asks the user: message boxes, modal
// dialogs, the file dialogs and the beep. The program's own prompts are the real
// windows. Prompts are given to a window (AttachPrompts): everything inside that
// window, and every dialog whose parent it is, asks them; the program gives its
// prompts to the application object, which answers for windows that have none of
// their own. A test gives its own prompts the same way and answers instead of
// blocking on a modal window.
#pragma once

#include <QMessageBox>
#include <QString>
#include <utility>
#include <vector>

class QDialog;
class QObject;
class QWidget;

namespace radio {

struct BoxRequest {
    QString text;
    QString caption;
    QMessageBox::Icon icon = QMessageBox::Information;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    // Texts of the program's own for some of the buttons ("Restore" on Yes).
    std::vector<std::pair<QMessageBox::StandardButton, QString>> buttonTexts;
};

// Append: a file to add to, new or existing; the save dialog does not ask about one
// that exists.
enum class FileDialogKind { Open, Save, Append };

class Prompts {
public:
    virtual ~Prompts() = default;

    // Shows a modal box and returns the button pressed.
    virtual QMessageBox::StandardButton Box(QWidget* parent, const BoxRequest& request);
    // Runs an initialised dialog modally; returns QDialog::Accepted or Rejected, the
    // dialog's own accept() or reject() having run.
    virtual int Modal(QDialog& dialog);
    // The platform's file dialog, in `directory` when one is given; empty for Cancel.
    // The save dialog asks before it names an existing file.
    virtual QString FileName(FileDialogKind kind, QWidget* parent, const QString& filter,
                             const QString& directory);
    virtual void Beep();
};

// `prompts` answers for `owner` and everything it holds (null takes them back). They
// are not owned; the caller keeps them alive while attached.
void AttachPrompts(QObject* owner, Prompts* prompts);
// The prompts of the nearest of `from` and its parents that was given some, else the
// application's, else the real windows.
Prompts& PromptsFor(const QObject* from);

}  // namespace radio
