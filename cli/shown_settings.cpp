#include "cli/shown_settings.h"

#include <QStringList>
#include <cmath>

#include "config/dtmf_code.h"
#include "config/scan_time.h"
#include "data/feature_bytes.h"
#include "data/scan_rules.h"

namespace radio::cli {

namespace {

const QStringList kKeyFunctions = {
    "Off",         "Monitor",          "Scan",       "Alarm",         "TX power", "VOX on/off",
    "Wide/Narrow", "Scrambler on/off", "Talkaround", "Battery level", "Key lock", "Flashlight",
};
const QStringList kVoxDelays = {"0.3", "0.5", "1", "1.5", "2", "3"};
constexpr int kTimerStepSeconds = 15;
constexpr int kTimerMaxByte = 39;
constexpr int kChannelsMax = 32;

QJsonValue Number(int byte, int max)
{
    return byte <= max ? QJsonValue(byte) : QJsonValue();
}

QJsonValue Switch(int byte)
{
    return byte <= 1 ? QJsonValue(byte == 1) : QJsonValue();
}

QJsonValue Item(int byte, const QStringList& items)
{
    return byte < items.size() ? QJsonValue(items.at(byte)) : QJsonValue();
}

// A scan time: 1..91 stands for 0.50 to 5.00 seconds.
QJsonValue ScanTime(int byte)
{
    if (byte < 1 || byte > kScanTimeMaxByte) {
        return QJsonValue();
    }
    return std::round(DecodeScanTime(byte) * 100) / 100;
}

int Word16(const DataBlock& block, int low)
{
    return block.data[std::size_t(low)] | block.data[std::size_t(low) + 1] << 8;
}

}  // namespace

std::vector<ShownSetting> FeatureSettings(const RadioData& data)
{
    namespace b = bytes::choice;
    const auto& d = data.block(Block::B0120).data;
    auto at = [&d](int n) { return int(d[std::size_t(n)]); };
    const QJsonValue voxDelay = at(b::kVoxDelay) < kVoxDelays.size()
                                    ? QJsonValue(kVoxDelays.at(at(b::kVoxDelay)).toDouble())
                                    : QJsonValue();
    return {
        {"txTimeout", "TX time-out (s)",
         at(b::kTxTimeOut) <= kTimerMaxByte
             ? QJsonValue((at(b::kTxTimeOut) + 1) * kTimerStepSeconds)
             : QJsonValue()},
        {"squelchLevel", "Squelch level", Number(at(b::kSquelchLevel), 10)},
        {"volumeLevel", "Volume level", Number(at(b::kVolumeLevel), 9)},
        {"audioResponse", "Audio response", Item(at(b::kAudioResponse), {"Standard", "Wide"})},
        {"batterySave", "Battery save", Item(at(b::kBatterySave), {"Off", "Normal", "Deep"})},
        {"keyBeep", "Key beep", Switch(at(b::kKeyBeep))},
        {"voicePrompt", "Voice prompt", Switch(at(b::kVoicePrompt))},
        {"keyLock", "Key lock", Switch(at(b::kKeyLock))},
        {"autoKeyLock", "Auto key lock", Switch(at(b::kAutoKeyLock))},
        {"vox", "VOX on", Switch(at(b::kVoxOn))},
        {"voxLevel", "VOX level", Number(at(b::kVoxLevel), 10)},
        {"voxDelay", "VOX delay (s)", voxDelay},
        {"voxHeadsetOnly", "VOX headset only", Switch(at(b::kVoxHeadsetOnly))},
        {"voxInhibitOnReceive", "VOX inhibit on receive", Switch(at(b::kVoxInhibitOnReceive))},
        {"voxBeep", "VOX beep", Switch(at(b::kVoxBeep))},
        {"scrambler", "Scrambler on", Switch(at(b::kScrambler))},
        {"sendCode", "Send code", Item(at(b::kSendCode), {"On PTT press", "On PTT release"})},
        {"dtmfCodes", "DTMF codes", Item(at(b::kDtmfCodes), {"Code 1", "Code 2", "Code 1 and 2"})},
        {"code1", "Code 1", DecodeDtmfCode(d.data() + b::kCode1)},
        {"code2", "Code 2", DecodeDtmfCode(d.data() + b::kCode2)},
    };
}

std::vector<ShownSetting> KeySettings(const RadioData& data)
{
    const auto& d = data.block(Block::B0110).data;
    return {
        {"sideKey", "Side key", Item(d[bytes::key::kSideKey], kKeyFunctions)},
        {"secondKeyFunction", "Second key function",
         Item(d[bytes::key::kSecondKeyFunction], kKeyFunctions)},
    };
}

std::vector<ShownSetting> ScanSettings(const RadioData& data)
{
    namespace b = bytes::scan;
    const DataBlock& block = data.block(Block::B0160);
    const int combination = block.data[b::kTransmitOn];
    QJsonValue transmitOn;
    if (combination <= 3) {
        transmitOn = QString((combination & 2) ? "Priority" : "Current") +
                     ((combination & 1) ? "+Talkback" : "");
    }
    const int channel = block.data[b::kPriorityChannel];
    return {
        {"priority", "Priority", Item(block.data[b::kPriorityMode], {"Off", "Fixed", "Current"})},
        {"priorityChannel", "Priority channel",
         channel >= 1 && channel <= kChannelsMax ? QJsonValue(channel) : QJsonValue()},
        {"checkInterval", "Check interval (s)", ScanTime(block.data[b::kCheckInterval])},
        {"holdTime", "Hold time (s)", ScanTime(block.data[b::kHoldTime])},
        {"transmitOn", "Transmit on", transmitOn},
        {"resumeTime", "Resume time (s)",
         Number(Word16(block, b::kResumeTimeLow), int(kResumeAndCarrierHoldMax))},
        {"carrierHold", "Carrier hold (s)",
         Number(Word16(block, b::kCarrierHoldLow), int(kResumeAndCarrierHoldMax))},
    };
}

QString SettingText(const QJsonValue& value)
{
    switch (value.type()) {
    case QJsonValue::Bool: return value.toBool() ? "on" : "off";
    case QJsonValue::Double: return QString::number(value.toDouble(), 'g', 6);
    case QJsonValue::String: return value.toString().isEmpty() ? "-" : value.toString();
    default: return "-";
    }
}

}  // namespace radio::cli
