// A radio with something to show: what `radiosim --demo` starts with, so that a first
// read in the desktop program fills the table. Six channels near the bottom of the
// band: simplex and repeater pairs, CTCSS and DCS both ways and across, wide and
// narrow, high and low power, one left out of the scan list; the features as the
// factory sets them.
#pragma once

#include "sim/sim_memory.h"

namespace radio::sim {

RadioMemory DemoMemory(int bandLower, int model);

}  // namespace radio::sim
