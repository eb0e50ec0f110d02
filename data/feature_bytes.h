// Where the feature views keep their settings: data byte numbers (0..63) inside
// the record's blocks 0x0120 (optional features), 0x0110 (programmable key) and
// 0x0160 (scan settings).
#pragma once

namespace radio {
namespace bytes {

// Block 0x0120, optional features. Bytes 0-11, 14 and 31 belong to nobody here.
namespace choice {
constexpr int kSwitch3 = 12;       // 0 off, 1 on
constexpr int kSwitch4 = 13;       // 0 off, 1 on
constexpr int kChoiceB = 15;       // list index 0..2
constexpr int kTimer = 16;         // 0..39, shown as (byte + 1) * 15 seconds
constexpr int kLevelA = 17;        // 0..10
constexpr int kCodeSelector = 18;  // 0 Code 1 only, 1 Code 2 only, 2 both
constexpr int kCodeChoice = 19;    // list index 0..1
constexpr int kLevelB = 20;        // 0..9
constexpr int kSwitch1 = 21;
constexpr int kSwitch2 = 22;
constexpr int kVoxSwitch1 = 23;
constexpr int kVoxSwitch3 = 24;
constexpr int kVoxOn = 25;
constexpr int kVoxLevel = 26;  // 0..10
constexpr int kVoxDelay = 27;  // index into "0.3" "0.5" "1" "1.5" "2" "3"
constexpr int kVoxSwitch2 = 28;
constexpr int kChoiceA = 29;  // list index 0..1
constexpr int kGroupSwitch = 30;
constexpr int kCode1 = 32;  // 16 DTMF characters as ASCII, 0xFF after the last
constexpr int kCode2 = 48;  // the same
constexpr int kCodeSize = 16;
}  // namespace choice

// Block 0x0110, the programmable key. No other byte of the block is ours.
namespace key {
constexpr int kSecondFunction = 10;  // index 0..11, kept unchanged by the user
constexpr int kFunction = 13;        // index 0..11
}  // namespace key

// Block 0x0160, scan settings: bytes 0-8 (the channel masks follow at 28).
namespace scan {
constexpr int kMode = 0;         // 0..2
constexpr int kChannel = 1;      // channel 1..32 (mode 1 only), 0xFF = none
constexpr int kTimeA = 2;        // 1..91: (byte - 1) * 0.05 + 0.5 seconds
constexpr int kTimeB = 3;        // the same
constexpr int kCombination = 4;  // 0..3: bit 1 second base text, bit 0 extra text
constexpr int kValueCLow = 5;    // unsigned 16-bit, low byte first, 0..300
constexpr int kValueDLow = 7;    // the same
constexpr int kNoChannel = 0xFF;
}  // namespace scan

}  // namespace bytes
}  // namespace radio
