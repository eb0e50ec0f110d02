// The program's resident memory, as the kernel counts it (VmRSS of /proc/self/status),
// for the benchmarks and the tests that watch it over a long run.
#pragma once

#include <QFile>

namespace radio {

// In kB; -1 where the kernel does not tell.
inline long ResidentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    // Read whole: the kernel gives the file's size as 0.
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) {
            return line.mid(6).trimmed().split(' ').value(0).toLong();
        }
    }
    return -1;
}

}  // namespace radio
