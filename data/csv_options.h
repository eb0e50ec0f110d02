// The option columns of a CSV channel row and the channel's option words 12 and 14.
//
//   Mode     FM (wide, word 12 bit 13 set) or NFM (narrow)
//   Skip     empty (in the scan list, word 14 bit 0 set) or S (not scanned)
//   Power    High or Low: the channel's power bit, word 12 bit 12, which the channel
//            table shows as its Power column. Export writes the level's name.
//            Import also takes a value in watts as other programs write it ("5.0W"):
//            below 3 W is Low, 3 W and more High (radios of this class give about
//            1 W and 5 W). An empty value is High, as for a new channel.
//   Comment  the options no other column carries, as words separated by blanks:
//            BusyLock   word 12 bit 3 set
//            Option10   word 12 bit 14 set
//            Option11   word 12 bit 0 set
//            Level=n    the 3-bit level of word 14 bits 13-15, n = 1..8 (level + 1);
//                       left out for level 1
//            Word12=hhhh, Word14=hhhh
//                       the whole word in hexadecimal, written when any bit that no
//                       column or word above names is clear (word 12 bits 1, 2 and
//                       4-11 and bit 15; word 14 bits 1-12); import takes only those
//                       bits from it
//            Other words are the user's own comment and are not read. A row
//            without these words gets what the channel table gives a new channel:
//            the unnamed bits set, busy lock, Option10 and Option11 clear, level 1.
#pragma once

#include <optional>
#include <string>

#include "data/channel_plan.h"
#include "data/channel_record.h"

namespace radio {

struct OptionColumns {
    std::string mode = "FM";
    std::string skip;
    std::string power;
    std::string comment;
};

OptionColumns OptionColumnsOf(ConstChannelRecord channel);

// Sets the channel's bytes 12-15 from the columns; a fault (and the bytes as they
// were) when a value cannot be read or the mode is not FM or NFM.
std::optional<RowFault> OptionsOf(const OptionColumns& columns, ChannelRecord& channel);

}  // namespace radio
