// The settings `radioprog-cli show` prints beside the channels: the optional
// features (block 0x0120), the programmable key (block 0x0110) and the scan settings
// (block 0x0160), each with a JSON key, an English label and its value. A value is
// null when its byte lies outside the setting's range (the desktop program would
// show its replacement value there).
#pragma once

#include <QJsonValue>
#include <QString>
#include <vector>

#include "data/radio_data.h"

namespace radio::cli {

struct ShownSetting {
    QString key;
    QString label;
    QJsonValue value;
};

std::vector<ShownSetting> FeatureSettings(const RadioData& data);
std::vector<ShownSetting> KeySettings(const RadioData& data);
std::vector<ShownSetting> ScanSettings(const RadioData& data);

// The value as the text form shows it: on/off, numbers, names; "-" for null.
QString SettingText(const QJsonValue& value);

}  // namespace radio::cli
