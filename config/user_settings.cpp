#include "config/user_settings.h"

namespace radio {

std::unique_ptr<QSettings> OpenUserSettings()
{
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("radioprog"), QStringLiteral("radioprog"));
}

}  // namespace radio
