// The print command's hand-over to the printout: the main frame has opened the four
// editing views (channels, optional features, key settings, scan) and passes them.
#pragma once

#include <array>

#include "shell/view_kind.h"
#include "widgets/edit_view.h"

class QWidget;

namespace radio {

struct PrintRequest {
    QWidget* parent = nullptr;  // owner of the print dialogs
    const RadioData* data = nullptr;
    // Indexed by ViewKind; every entry is set when the command calls.
    std::array<CEditView*, kViewKindCount> views{};
};

// Shows the print dialog and prints the channel table with the summaries of the
// features, key and scan views, headed by the data file, band, model and date.
// Returns false when nothing was printed (cancelled or failed).
bool PrintChannelTable(const PrintRequest& request);
// The same printout in a print preview window, which can print it.
bool PreviewChannelTable(const PrintRequest& request);

}  // namespace radio
