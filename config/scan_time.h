// The two scan times: 0.5 to 5.0 seconds in steps of 0.05, kept in one byte each
// (block 0x0160 bytes 2 and 3) as 1..91 = (byte - 1) * 0.05 + 0.5.
#pragma once

#include <QString>
#include <cstdint>

namespace radio {

// Times are held in double precision: in single precision a time such as 4.95
// lies so far below its step that the encoding would give 4.90.
constexpr double kScanTimeMin = 0.5;
constexpr double kScanTimeMax = 5.0;
constexpr double kScanTimeStep = 0.05;
constexpr int kScanTimeMaxByte = 91;

// Brings a time into 0.5..5.0; a value that is not a number becomes 0.5.
double ClampScanTime(double seconds);
// The time a byte stands for. Load rules apply: 0 counts as 1, above 91 as 91.
double DecodeScanTime(int byte);
// The byte for a time, down to the 0.05 grid. The quotient is first brought to the
// nearest millionth so that a time a hair below a step through rounding still
// reaches that step. The time is clamped first, so the result is always 1..91.
std::uint8_t EncodeScanTime(double seconds);
// The shortest text with up to six significant digits: 3 for 3.00, 0.55.
QString ScanTimeText(double seconds);

}  // namespace radio
