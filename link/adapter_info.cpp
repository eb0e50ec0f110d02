#include "link/adapter_info.h"

#include <QFileInfo>
#include <QSerialPortInfo>
#include <QStringList>

namespace radio {

namespace {

AdapterInfo Find(const QList<QSerialPortInfo>& ports, const QString& device)
{
    AdapterInfo info;
    if (device.isEmpty()) {
        return info;
    }
    const QString wanted = QFileInfo(device).canonicalFilePath();
    for (const QSerialPortInfo& port : ports) {
        const QString location = port.systemLocation();
        const bool same = location == device ||
                          (!wanted.isEmpty() && QFileInfo(location).canonicalFilePath() == wanted);
        if (!same) {
            continue;
        }
        info.description = port.description().trimmed();
        info.manufacturer = port.manufacturer().trimmed();
        info.serialNumber = port.serialNumber().trimmed();
        info.hasIds = port.hasVendorIdentifier() && port.hasProductIdentifier();
        info.vendorId = port.vendorIdentifier();
        info.productId = port.productIdentifier();
        break;
    }
    return info;
}

}  // namespace

AdapterInfo AdapterInfoOf(const QString& device)
{
    return device.isEmpty() ? AdapterInfo() : Find(QSerialPortInfo::availablePorts(), device);
}

std::vector<AdapterInfo> AdapterInfosOf(const QStringList& devices)
{
    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    std::vector<AdapterInfo> infos;
    for (const QString& device : devices) {
        infos.push_back(Find(ports, device));
    }
    return infos;
}

QString AdapterText(const AdapterInfo& info)
{
    QStringList parts;
    if (!info.description.isEmpty()) {
        parts << info.description;
    }
    if (!info.manufacturer.isEmpty() && info.manufacturer != info.description) {
        parts << info.manufacturer;
    }
    if (info.hasIds) {
        parts << QStringLiteral("%1:%2")
                     .arg(info.vendorId, 4, 16, QLatin1Char('0'))
                     .arg(info.productId, 4, 16, QLatin1Char('0'));
    }
    return parts.join(QStringLiteral(", "));
}

}  // namespace radio
