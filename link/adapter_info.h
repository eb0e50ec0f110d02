// What the system knows of the USB adapter behind a serial device: its description,
// maker, serial number and vendor:product id (QSerialPortInfo). Built-in ports and
// pseudo-terminals have none of these.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace radio {

struct AdapterInfo {
    QString description;   // "FT232R USB UART"
    QString manufacturer;  // "FTDI"
    QString serialNumber;  // "A10KZP45", empty when the adapter has none
    bool hasIds = false;
    quint16 vendorId = 0;
    quint16 productId = 0;
};

// The adapter behind `device` (a device path or a link to one); empty when the
// system lists no serial port there.
AdapterInfo AdapterInfoOf(const QString& device);
// The same for several devices, from one look at the system's list.
std::vector<AdapterInfo> AdapterInfosOf(const QStringList& devices);

// "FT232R USB UART, FTDI, 0403:6001", leaving out what is not known; empty when
// nothing is.
QString AdapterText(const AdapterInfo& info);

}  // namespace radio
