#include "config/program_version.h"

// The build defines RADIOPROG_VERSION for this file alone, so that a new version
// recompiles one file.
#ifndef RADIOPROG_VERSION
#error "RADIOPROG_VERSION is defined by the build"
#endif

namespace radio {

QString ProgramVersion()
{
    return QStringLiteral(RADIOPROG_VERSION);
}

QString VersionLine(const QString& program)
{
    return program + QLatin1Char(' ') + ProgramVersion();
}

}  // namespace radio
