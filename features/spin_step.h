// The step of the up/down arrows beside a number field, shared by the optional
// features view (whole numbers) and the scan view (times in seconds).
#pragma once

namespace radio {

enum class SpinDirection { Up, Down };

// One step of `value` within [min, max]. A value below the range goes to min when
// stepping up, a value above it to max when stepping down; a step never leaves
// the range (585 up with max 600 and step 15 gives 600, so does 590).
template <typename T>
T SpinStep(T value, T min, T max, T step, SpinDirection direction)
{
    if (direction == SpinDirection::Up) {
        if (value < min) {
            return min;
        }
        if (value < max) {
            return max - value < step ? max : value + step;
        }
        return max;
    }
    if (value <= min) {
        return min;
    }
    if (value <= max) {
        return value - min < step ? min : value - step;
    }
    return max;
}

}  // namespace radio
