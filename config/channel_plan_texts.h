// What the programs say about a CSV channel plan: why a row was refused and why a file
// is no channel plan, in the language table's words (its English fallbacks when no
// language file supplied them, as in the command-line tool).
#pragma once

#include <QString>

#include "data/channel_plan.h"
#include "data/language_table.h"

namespace radio {

// "480.000000 MHz lies outside the band 400-470 MHz"
QString RefusalText(const LanguageTable& texts, const RowFault& fault);
// "%1 is not a CSV channel plan: ..." for a plan that is not ok; empty otherwise.
QString PlanErrorText(const LanguageTable& texts, const ChannelPlan& plan, const QString& file);

}  // namespace radio
