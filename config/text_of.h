// Text #n of the language table as a QString.
#pragma once

#include <QString>

#include "data/radio_data.h"

namespace radio {

inline QString UiText(const RadioData& data, int n)
{
    return QString::fromStdString(data.texts.Text(n));
}

// A menu or button caption as a title or a field name: the access key marker goes,
// "(&H)" as a whole and a lone "&" ("&&" stands for "&"), and so do a final colon
// and an ellipsis ("Import Channels...(&I)" gives "Import Channels").
QString PlainCaption(const QString& caption);

}  // namespace radio
