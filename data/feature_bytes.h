// Where the feature views keep their settings: data byte numbers (0..63) inside
// the record's blocks 0x0120 (optional features), 0x0110 (programmable key) and
// 0x0160 (scan settings).
#pragma once

#include <array>

#include "data/language_table.h"

namespace radio {
namespace bytes {

// Block 0x0120, optional features. Bytes 0-11, 14 and 31 belong to nobody here.
namespace choice {
constexpr int kKeyLock = 12;       // 0 off, 1 on
constexpr int kAutoKeyLock = 13;   // 0 off, 1 on
constexpr int kBatterySave = 15;   // list index 0..2
constexpr int kTxTimeOut = 16;     // 0..39, shown as (byte + 1) * 15 seconds
constexpr int kSquelchLevel = 17;  // 0..10
constexpr int kDtmfCodes = 18;     // 0 Code 1 only, 1 Code 2 only, 2 both
constexpr int kSendCode = 19;      // list index 0..1
constexpr int kVolumeLevel = 20;   // 0..9
constexpr int kKeyBeep = 21;
constexpr int kVoicePrompt = 22;
constexpr int kVoxHeadsetOnly = 23;
constexpr int kVoxBeep = 24;
constexpr int kVoxOn = 25;
constexpr int kVoxLevel = 26;  // 0..10
constexpr int kVoxDelay = 27;  // index into "0.3" "0.5" "1" "1.5" "2" "3"
constexpr int kVoxInhibitOnReceive = 28;
constexpr int kAudioResponse = 29;  // list index 0..1
constexpr int kScrambler = 30;
constexpr int kCode1 = 32;  // 16 DTMF characters as ASCII, 0xFF after the last
constexpr int kCode2 = 48;  // the same
constexpr int kCodeSize = 16;
}  // namespace choice

// Block 0x0110, the programmable key. No other byte of the block is ours.
namespace key {
constexpr int kSecondKeyFunction = 10;  // index 0..11, kept unchanged by the user
constexpr int kSideKey = 13;            // index 0..11
// The texts of the key functions, by index, in the order the key view lists them.
constexpr std::array<int, 12> kFunctionTexts = {
    text::Off,           text::KeyMonitor,      text::KeyScan,       text::KeyAlarm,
    text::KeyTxPower,    text::KeyVoxSwitch,    text::KeyWideNarrow, text::KeyScramblerSwitch,
    text::KeyTalkaround, text::KeyBatteryLevel, text::KeyKeyLock,    text::KeyFlashlight};
}  // namespace key

// Block 0x0160, scan settings: bytes 0-8 (the channel masks follow at 28).
namespace scan {
constexpr int kPriorityMode = 0;     // 0 off, 1 fixed, 2 current
constexpr int kPriorityChannel = 1;  // channel 1..32 (mode 1 only), 0xFF = none
constexpr int kCheckInterval = 2;    // 1..91: (byte - 1) * 0.05 + 0.5 seconds
constexpr int kHoldTime = 3;         // the same
constexpr int kTransmitOn = 4;       // 0..3: bit 1 priority (else current), bit 0 talkback
constexpr int kResumeTimeLow = 5;    // unsigned 16-bit, low byte first, 0..300
constexpr int kCarrierHoldLow = 7;   // the same
constexpr int kNoChannel = 0xFF;
}  // namespace scan

}  // namespace bytes
}  // namespace radio
