// radioprog-cli ports: one line per COM1..COM10, the device it stands for and
// whether it opens.
#include <cstdio>

#include "cli/cli_command.h"
#include "link/port_names.h"
#include "link/serial_port.h"

namespace radio::cli {

namespace {

QString OpensText(CSerialPort& port, int number)
{
    if (port.Open(PortName(number))) {
        return QStringLiteral("yes");
    }
    switch (port.OpenFailure()) {
    case PortOpenFailure::NotFound: return QStringLiteral("no (not found)");
    case PortOpenFailure::Permission:
        return QStringLiteral("no (permission denied: join the dialout group)");
    case PortOpenFailure::Busy: return QStringLiteral("no (in use by another program)");
    default: return QStringLiteral("no (%1)").arg(port.OpenFailureDetail());
    }
}

int Ports(const QCommandLineParser&, const QStringList&)
{
    CSerialPort port;
    for (int n = 1; n <= kPortCount; ++n) {
        const QString device = ResolvePortDevice(n);
        QString opens = QStringLiteral("no");
        if (!device.isEmpty()) {
            opens = OpensText(port, n);
            port.CloseIfOpen();
        }
        std::printf("%-6s %-24s %s\n", qPrintable(PortName(n)),
                    qPrintable(device.isEmpty() ? QStringLiteral("-") : device), qPrintable(opens));
    }
    return kOk;
}

}  // namespace

CliCommand PortsCommand()
{
    CliCommand command;
    command.name = QStringLiteral("ports");
    command.summary =
        QStringLiteral("One line per COM1..COM10: the device it stands for and whether it opens.");
    command.run = Ports;
    return command;
}

}  // namespace radio::cli
