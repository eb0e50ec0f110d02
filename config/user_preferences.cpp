#include "config/user_preferences.h"

#include <QSettings>

namespace radio {

namespace {

const char* const kVerifyAfterWrite = "transfer/verifyAfterWrite";

QSettings UserSettings()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("radioprog"),
                     QStringLiteral("radioprog"));
}

}  // namespace

bool VerifyAfterWrite()
{
    return UserSettings().value(QLatin1String(kVerifyAfterWrite), false).toBool();
}

void SetVerifyAfterWrite(bool on)
{
    UserSettings().setValue(QLatin1String(kVerifyAfterWrite), on);
}

}  // namespace radio
