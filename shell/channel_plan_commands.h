// File > Import Channels... and Export Channels...: CSV channel plans in CHIRP's
// generic format (data/channel_csv.h). An import shows what it will do before
// anything changes; the record then changes in one step (ApplyImport).
#pragma once

#include "data/channel_plan.h"
#include "widgets/radio_document.h"

namespace radio {

class ViewManager;

class ChannelPlanCommands {
public:
    ChannelPlanCommands(RadioDocument& document, ViewManager& views)
        : m_document(document), m_views(views)
    {
    }

    // Asks for a CSV file, reads it into a plan for the record's band and channel
    // count and shows the plan; OK imports the acceptable rows.
    void Import();
    // Asks for a file name and writes the programmed channels into it; a name
    // without an extension gets ".csv".
    void Export();

    // The one change of the record an import makes: the open views' edits are
    // collected, the plan replaces the channels, and the views reload.
    void ApplyImport(const ChannelPlan& plan);

private:
    RadioDocument& m_document;
    ViewManager& m_views;
};

}  // namespace radio
