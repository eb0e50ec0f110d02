// Text #n of the language table as a QString.
#pragma once

#include <QString>

#include "data/radio_data.h"

namespace radio {

inline QString UiText(const RadioData& data, int n)
{
    return QString::fromStdString(data.texts.Text(n));
}

}  // namespace radio
