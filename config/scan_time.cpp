#include "config/scan_time.h"

#include <cmath>

namespace radio {

double ClampScanTime(double seconds)
{
    if (std::isnan(seconds) || seconds < kScanTimeMin) {
        return kScanTimeMin;
    }
    return seconds > kScanTimeMax ? kScanTimeMax : seconds;
}

double DecodeScanTime(int byte)
{
    if (byte < 1) {
        byte = 1;
    } else if (byte > kScanTimeMaxByte) {
        byte = kScanTimeMaxByte;
    }
    return (byte - 1) * kScanTimeStep + kScanTimeMin;
}

std::uint8_t EncodeScanTime(double seconds)
{
    const double steps = (ClampScanTime(seconds) - kScanTimeMin) / kScanTimeStep + 1.0;
    const double snapped = std::round(steps * 1e6) / 1e6;
    return std::uint8_t(std::floor(snapped));
}

QString ScanTimeText(double seconds)
{
    return QString::number(seconds, 'g', 6);
}

}  // namespace radio
