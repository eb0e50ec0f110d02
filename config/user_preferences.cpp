#include "config/user_preferences.h"

#include "config/user_settings.h"

namespace radio {

namespace {
const char* const kVerifyAfterWrite = "transfer/verifyAfterWrite";
const char* const kShowChangesBeforeWriting = "transfer/showChangesBeforeWriting";
}  // namespace

bool VerifyAfterWrite()
{
    return UserSettings()->value(QLatin1String(kVerifyAfterWrite), false).toBool();
}

void SetVerifyAfterWrite(bool on)
{
    UserSettings()->setValue(QLatin1String(kVerifyAfterWrite), on);
}

bool ShowChangesBeforeWriting()
{
    return UserSettings()->value(QLatin1String(kShowChangesBeforeWriting), true).toBool();
}

void SetShowChangesBeforeWriting(bool on)
{
    UserSettings()->setValue(QLatin1String(kShowChangesBeforeWriting), on);
}

}  // namespace radio
