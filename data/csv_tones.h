// The tone columns of a CSV channel row and the channel's two tone codes.
//
//   Tone   ""     no tones
//          Tone   transmit CTCSS rToneFreq, receive off
//          TSQL   CTCSS cToneFreq both ways
//          DTCS   DCS DtcsCode both ways
//          Cross  CrossMode says which side has what, transmit left of the arrow:
//                 Tone->Tone (rToneFreq, cToneFreq), Tone->DTCS (rToneFreq,
//                 RxDtcsCode), DTCS->Tone (DtcsCode, cToneFreq), ->Tone (cToneFreq),
//                 ->DTCS (RxDtcsCode), DTCS-> (DtcsCode), DTCS->DTCS (DtcsCode,
//                 RxDtcsCode)
//   DtcsPolarity  two letters, transmit then receive: N normal, R inverted
//
// Columns a mode does not use keep the defaults 88.5 and 023 and are not read.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "data/channel_plan.h"

namespace radio {

struct ToneColumns {
    std::string tone;
    std::string rToneFreq = "88.5";
    std::string cToneFreq = "88.5";
    std::string dtcsCode = "023";
    std::string dtcsPolarity = "NN";
    std::string rxDtcsCode = "023";
    std::string crossMode = "Tone->Tone";
};

ToneColumns ToneColumnsOf(std::uint16_t rxTone, std::uint16_t txTone);

// The two tone codes the columns stand for; a fault when a column the tone mode uses
// cannot be read or names a tone the radio does not have (the codes are then
// unchanged).
std::optional<RowFault> TonesOf(const ToneColumns& columns, std::uint16_t& rxTone,
                                std::uint16_t& txTone);

}  // namespace radio
