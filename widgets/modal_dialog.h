// Every modal dialog of the shell runs through here, so that tests can fill in a
// dialog and answer it instead of blocking on its event loop.
#pragma once

#include <functional>

class QDialog;

namespace radio {

// Runs the dialog modally; returns QDialog::Accepted or QDialog::Rejected.
int RunModal(QDialog& dialog);

// Tests replace the modal loop: the handler receives the dialog after its
// initialisation, may change its controls, and returns the button to press:
// QDialog::Accepted runs the dialog's accept(), anything else its reject(). An empty
// function restores exec().
using ModalHandler = std::function<int(QDialog&)>;
void SetModalHandler(ModalHandler handler);

}  // namespace radio
