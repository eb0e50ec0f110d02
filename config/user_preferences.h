// Choices of the user that sys.ini does not hold, kept per user with QSettings
// (~/.config/radioprog/radioprog.conf on Linux), never in sys.ini.
#pragma once

#include <QString>

namespace radio {

// Programming > Verify after write; off until the user turns it on.
bool VerifyAfterWrite();
void SetVerifyAfterWrite(bool on);
// Programming > Show changes before writing; on until the user turns it off.
bool ShowChangesBeforeWriting();
void SetShowChangesBeforeWriting(bool on);
// Write to several radios: the job log file chosen last (empty until one is chosen)
// and whether rows go into it.
QString JobLogPath();
void SetJobLogPath(const QString& path);
bool KeepJobLog();
void SetKeepJobLog(bool on);

}  // namespace radio
