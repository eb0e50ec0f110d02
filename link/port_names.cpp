#include "link/port_names.h"

#include <QRegularExpression>
#include <QSerialPortInfo>
#include <QStringList>
#include <algorithm>

namespace radio {

namespace {

#ifdef Q_OS_LINUX
// Programming cables show up as USB serial adapters; built-in ports come last.
constexpr const char* kDeviceGroups[] = {"ttyUSB", "ttyACM", "ttyS"};

// The devices present, USB adapters first, each group in numeric order.
QStringList CableLikeDevices()
{
    struct Found {
        int group;
        int number;
        QString path;
    };
    std::vector<Found> found;
    static const QRegularExpression pattern(QStringLiteral("^(ttyUSB|ttyACM|ttyS)(\\d+)$"));
    const auto ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& info : ports) {
        const QRegularExpressionMatch m = pattern.match(info.portName());
        if (!m.hasMatch()) {
            continue;
        }
        const QString prefix = m.captured(1);
        int group = 0;
        for (int g = 0; g < int(std::size(kDeviceGroups)); ++g) {
            if (prefix == QLatin1String(kDeviceGroups[g])) {
                group = g;
            }
        }
        found.push_back({group, m.captured(2).toInt(), info.systemLocation()});
    }
    std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        return a.group != b.group ? a.group < b.group : a.number < b.number;
    });
    QStringList paths;
    for (const Found& f : found) {
        paths << f.path;
    }
    return paths;
}
#endif

}  // namespace

QString PortName(int n)
{
    return QStringLiteral("COM%1").arg(n);
}

QString ResolvePortDevice(int n)
{
    if (n < 1 || n > kCliPortCount) {
        return QString();
    }
    const QByteArray variable = "RADIOPROG_COM" + QByteArray::number(n);
    const QString configured = qEnvironmentVariable(variable.constData());
    if (!configured.isEmpty()) {
        return configured;
    }
#ifdef Q_OS_LINUX
    const QStringList devices = CableLikeDevices();
    return n <= devices.size() ? devices.at(n - 1) : QString();
#else
    return PortName(n);
#endif
}

int PortNumberOf(const QString& name, int last)
{
    static const QRegularExpression pattern(QStringLiteral("^COM([1-9][0-9]?)$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = pattern.match(name);
    const int number = m.hasMatch() ? m.captured(1).toInt() : 0;
    return number <= last ? number : 0;
}

}  // namespace radio
