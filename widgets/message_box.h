// The message boxes and the beep, asked of the prompts of the window they belong to
// (widgets/prompts.h).
#pragma once

#include <QMessageBox>
#include <QString>

#include "widgets/prompts.h"

class QWidget;

namespace radio {

// Shows a modal box and returns the button pressed.
QMessageBox::StandardButton ShowBox(QWidget* parent, const BoxRequest& request);
// A warning with OK and Cancel, Cancel the default (Enter must not destroy data):
// true when the user chose OK.
bool ConfirmWarning(QWidget* parent, const QString& text, const QString& caption);
// The beep of a refused key or value, in `from`'s window.
void Beep(const QObject* from);

}  // namespace radio
