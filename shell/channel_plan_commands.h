// File > Import Channels... and Export Channels...: CSV channel plans in CHIRP's
// generic format (data/channel_csv.h). An import shows what it will do before
// anything changes; the record then changes in one step (ApplyImport).
#pragma once

#include "data/channel_plan.h"

namespace radio {

class CMainFrame;

class ChannelPlanCommands {
public:
    explicit ChannelPlanCommands(CMainFrame* frame) : m_frame(frame) {}

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
    CMainFrame* m_frame;
};

}  // namespace radio
