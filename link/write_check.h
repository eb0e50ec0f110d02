// The check before a write, shared by the desktop program and the command-line tool.
// The radio-reported band and model (set from the identity just read) are compared
// with the data's:
//   - not reported (-1): the user is warned that the radio's band is unknown, and the
//     data's band and model are taken as the radio's; the write goes on;
//   - equal: the identity bytes of block 0x01B8 are encoded from them and the write
//     goes on;
//   - different: writing data for one band or model into a radio of another must not
//     happen silently: the desktop program asks (Cancel by default), the command-line
//     tool refuses unless forced.
#pragma once

#include "data/radio_data.h"
#include "link/transfer_worker.h"

namespace radio {

enum class WriteCheck { NotReported, Match, Mismatch };

WriteCheck ClassifyBeforeWrite(const RadioData& data);

// Not reported: take the data's band and model as the radio's.
void AdoptDataAsRadio(RadioData& data);

// Match: encode the identity bytes from the radio-reported band and model and copy
// the radio-reported band and model into the data's.
void ApplyRadioIdentity(RadioData& data);

// For hosts that ask nobody: stores the report as the radio-reported values and
// classifies; not reported and match are applied as above (the caller may warn of the
// first), a mismatch is left to the caller to refuse or force.
WriteCheck TakeRadioReport(RadioData& data, const RadioReport& reported);

}  // namespace radio
