// Every message box and beep of the program goes through here, so that tests can
// answer the boxes and count the beeps instead of blocking on a modal window.
#pragma once

#include <QMessageBox>
#include <QString>
#include <functional>

class QWidget;

namespace radio {

struct BoxRequest {
    QString text;
    QString caption;
    QMessageBox::Icon icon = QMessageBox::Information;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

// Shows a modal box and returns the button pressed.
QMessageBox::StandardButton ShowBox(QWidget* parent, const BoxRequest& request);
// A warning with OK and Cancel, Cancel the default (Enter must not destroy data):
// true when the user chose OK.
bool ConfirmWarning(QWidget* parent, const QString& text, const QString& caption);
void Beep();

// Tests replace the boxes and the beep; an empty function restores the real ones.
using BoxHandler = std::function<QMessageBox::StandardButton(QWidget*, const BoxRequest&)>;
void SetBoxHandler(BoxHandler handler);
void SetBeepHandler(std::function<void()> handler);

}  // namespace radio
