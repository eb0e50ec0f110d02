#include "config/user_preferences.h"

#include "config/user_settings.h"

namespace radio {

namespace {
const char* const kVerifyAfterWrite = "transfer/verifyAfterWrite";
const char* const kShowChangesBeforeWriting = "transfer/showChangesBeforeWriting";
const char* const kJobLogPath = "multiWrite/jobLog";
const char* const kKeepJobLog = "multiWrite/keepJobLog";
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

QString JobLogPath()
{
    return UserSettings()->value(QLatin1String(kJobLogPath)).toString();
}

void SetJobLogPath(const QString& path)
{
    UserSettings()->setValue(QLatin1String(kJobLogPath), path);
}

bool KeepJobLog()
{
    return UserSettings()->value(QLatin1String(kKeepJobLog), false).toBool() &&
           !JobLogPath().isEmpty();
}

void SetKeepJobLog(bool on)
{
    UserSettings()->setValue(QLatin1String(kKeepJobLog), on);
}

}  // namespace radio
