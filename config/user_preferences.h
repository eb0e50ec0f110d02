// Choices of the user that sys.ini does not hold, kept per user with QSettings
// (~/.config/radioprog/radioprog.conf on Linux), never in sys.ini.
#pragma once

namespace radio {

// Programming > Verify after write; off until the user turns it on.
bool VerifyAfterWrite();
void SetVerifyAfterWrite(bool on);
// Programming > Show changes before writing; on until the user turns it off.
bool ShowChangesBeforeWriting();
void SetShowChangesBeforeWriting(bool on);

}  // namespace radio
