// What `radioprog-cli show` prints about a data file: as a table for people, or as
// one line of JSON for scripts:
//   {"port":1,"model":1,"channelCount":16,"band":[400,470],"channels":[
//    {"number":1,"rx":"145.12500","tx":"145.12500","rxTone":"88.5","txTone":null},...]}
// with null for a frequency that is not valid BCD and for a tone that is off.
#pragma once

#include <QByteArray>

#include "data/radio_data.h"

namespace radio::cli {

QByteArray ShowText(const RadioData& data);
QByteArray ShowJson(const RadioData& data);

}  // namespace radio::cli
