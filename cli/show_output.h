// What `radioprog-cli show` prints about a data file: as text for people, or as one
// line of JSON for scripts:
//   {"band":[400,470],"channelCount":16,"channels":[
//    {"busyLock":false,"highPower":true,"level":1,"number":1,"option10":false,
//     "option11":false,"rx":"145.12500","rxTone":"88.5","scan":true,"tx":"145.12500",
//     "txTone":null,"wide":true,"word12":"BFF6","word14":"1FFF"},...],
//   "features":{...},"key":{...},"model":1,"port":1,"scan":{...}}
// with null for a frequency that is not valid BCD and for a tone that is off; the
// option fields are null for a channel that is not programmed; word12 and word14 are
// the channel's two option words in hexadecimal. The settings are those of
// shown_settings.h.
#pragma once

#include <QByteArray>

#include "data/radio_data.h"

namespace radio::cli {

QByteArray ShowText(const RadioData& data);
QByteArray ShowJson(const RadioData& data);

}  // namespace radio::cli
