// Every modal dialog runs through here: the prompts of its parent's window run it
// (widgets/prompts.h).
#pragma once

class QDialog;

namespace radio {

// Runs the dialog modally; returns QDialog::Accepted or QDialog::Rejected.
int RunModal(QDialog& dialog);

}  // namespace radio
