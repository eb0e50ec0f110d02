// "--runs N" as every benchmark takes it: how many times each case runs (at least 1).
#pragma once

#include <QCoreApplication>
#include <QStringList>
#include <algorithm>

namespace radio::bench {

inline int RunsOption(int fallback)
{
    const QStringList args = QCoreApplication::arguments();
    const int at = int(args.indexOf(QStringLiteral("--runs")));
    if (at >= 0 && at + 1 < args.size()) {
        return std::max(1, args.at(at + 1).toInt());
    }
    return fallback;
}

}  // namespace radio::bench
