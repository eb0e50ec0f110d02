// What differs between two records, in the words the views use: each channel field
// as the channel table shows it, each optional feature, key setting and scan setting
// by its label, the band and the model, and then every other byte a write sends,
// which no view shows, as runs of radio addresses with both byte values:
//
//   channel 3 receive frequency: 435.12500 -> 436.00000
//   channel 7 all fields: 446.00625 / 446.00625 / Off / Off / Narrow / Low / On / Off -> -
//   VOX level: 5 -> 7
//   bytes 0x01C0-0x01C3 (not shown): 12 34 56 78 -> FF FF FF FF
//
// A channel that one side holds and the other has erased (all 16 bytes 0xFF) is one
// line, its row as the table shows it against "-". Every bit a write sends belongs to exactly one kind of difference, so two records
// that compare equal send the same bytes. Where two different values would read the
// same (a byte outside its setting's range, a tone code no list holds), both values
// carry their bytes in hexadecimal, so that a difference never reads "x -> x".
#pragma once

#include <string>
#include <vector>

#include "data/radio_data.h"

namespace radio {

enum class DiffArea { Channel, Features, Key, Scan, Radio, Bytes };

struct Difference {
    DiffArea area = DiffArea::Bytes;
    int channel = 0;    // channel number 1..32 (Channel only)
    std::string key;    // a fixed name for scripts: "rxFrequency", "voxLevel", "bytes"
    std::string field;  // as the views name it, in the record's language
    std::string from;
    std::string to;
    int address = -1;  // the first radio address of the bytes (Bytes only)
    int size = 0;      // how many bytes
};

// The differences from `from` to `to`, in the order above; texts come from the
// language table of `from`. The channels compared are those of the larger model;
// only the bytes a write sends are compared.
std::vector<Difference> CompareRecords(const RadioData& from, const RadioData& to);

// "channel", "features", "key", "scan", "radio", "bytes".
const char* DiffAreaName(DiffArea area);
// The difference as one line, as above.
std::string DifferenceLine(const LanguageTable& texts, const Difference& difference);

}  // namespace radio
