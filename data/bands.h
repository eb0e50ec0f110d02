// The six bands of the radio family, lower and upper limit in whole MHz, in the order
// the model dialog lists them.
#pragma once

#include <array>

namespace radio {

struct Band {
    int lower;
    int upper;
};
constexpr int kBandCount = 6;
constexpr std::array<Band, kBandCount> kBands = {Band{136, 174}, Band{400, 470}, Band{440, 480},
                                                 Band{450, 520}, Band{350, 370}, Band{370, 390}};

// The band whose lower limit is `lower`; {0, 0} when there is none.
constexpr Band BandOfLower(int lower)
{
    for (const Band& band : kBands) {
        if (band.lower == lower) {
            return band;
        }
    }
    return {0, 0};
}

}  // namespace radio
