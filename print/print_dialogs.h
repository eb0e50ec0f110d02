// The print command's dialogs: the print dialog (a PDF file is one of its printers)
// and the print preview, whose own Print button prints what it shows.
#pragma once

#include "print/channel_printer.h"

class QPrinter;
class QWidget;

namespace radio {

// Both first store the views' edits; a refused field stops them (its view told the
// user) before any dialog opens.
//
// Shows the print dialog for `printer` and prints. False when cancelled or when the
// printout could not be made (the user is told).
bool PrintWithDialog(const ChannelPrintout& printout, QPrinter& printer, QWidget* parent);
// Shows the printout in a preview window. False when it was closed without printing.
bool PreviewWithDialog(const ChannelPrintout& printout, QPrinter& printer, QWidget* parent);

}  // namespace radio
