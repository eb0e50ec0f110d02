// radioprog-cli ports: one line per COM1..COM10, the device it stands for, the USB
// adapter behind it and whether it opens. With --check, one line per device that
// says whether this user may open it, which process holds it and whether it opens at
// 9600 8N2, each problem with the command that fixes it.
#include <algorithm>
#include <cstdio>
#include <vector>

#include "cli/cli_command.h"
#include "data/language_table.h"
#include "link/adapter_info.h"
#include "link/port_diagnosis.h"
#include "link/port_diagnosis_text.h"
#include "link/port_names.h"
#include "link/serial_port.h"

namespace radio::cli {

namespace {

struct PortRow {
    int number = 0;
    QString device;   // empty when COMn stands for none
    QString adapter;  // empty when nothing is known
};

std::vector<PortRow> PortRows()
{
    std::vector<PortRow> rows;
    for (int n = 1; n <= kPortCount; ++n) {
        PortRow row;
        row.number = n;
        row.device = ResolvePortDevice(n);
        row.adapter = AdapterText(AdapterInfoOf(row.device));
        rows.push_back(row);
    }
    return rows;
}

QString OpensText(CSerialPort& port, int number)
{
    if (port.Open(PortName(number))) {
        return QStringLiteral("yes");
    }
    switch (port.OpenFailure()) {
    case PortOpenFailure::NotFound: return QStringLiteral("no (not found)");
    case PortOpenFailure::Permission:
        return QStringLiteral("no (permission denied: see ports --check)");
    case PortOpenFailure::Busy: return QStringLiteral("no (in use by another program)");
    default: return QStringLiteral("no (%1)").arg(port.OpenFailureDetail());
    }
}

int List(const std::vector<PortRow>& rows)
{
    int adapterWidth = 1;
    for (const PortRow& row : rows) {
        adapterWidth = std::max(adapterWidth, int(row.adapter.size()));
    }
    CSerialPort port;
    for (const PortRow& row : rows) {
        QString opens = QStringLiteral("no");
        if (IsOwnTerminal(row.device)) {
            // Opening it would set the line of the terminal the user types in.
            opens = QStringLiteral("no (the terminal this program runs in)");
        } else if (!row.device.isEmpty()) {
            opens = OpensText(port, row.number);
            port.CloseIfOpen();
        }
        const QString device = row.device.isEmpty() ? QStringLiteral("-") : row.device;
        const QString adapter = row.adapter.isEmpty() ? QStringLiteral("-") : row.adapter;
        std::printf("%-6s %-24s %s %s\n", qPrintable(PortName(row.number)), qPrintable(device),
                    qPrintable(adapter.leftJustified(adapterWidth)), qPrintable(opens));
    }
    return kOk;
}

int Check(const std::vector<PortRow>& rows)
{
    const TextLookup english = [](int n) {
        return QString::fromStdString(LanguageTable::Fallback(n));
    };
    int checked = 0;
    int ready = 0;
    for (const PortRow& row : rows) {
        if (row.device.isEmpty()) {
            continue;
        }
        const PortDiagnosis diagnosis = DiagnosePort(row.device);
        QString what = row.device;
        if (!row.adapter.isEmpty()) {
            what += QStringLiteral(" (%1)").arg(row.adapter);
        }
        std::printf("%-6s %s: %s\n", qPrintable(PortName(row.number)), qPrintable(what),
                    qPrintable(DiagnosisText(diagnosis, english)));
        ++checked;
        ready += diagnosis.Ready();
    }
    if (checked == 0) {
        std::printf(
            "No serial device found: connect the programming cable (sudo dmesg | tail shows "
            "whether the adapter was seen).\n");
        return kFailed;
    }
    return ready == checked ? kOk : kFailed;
}

QCommandLineOption CheckOption()
{
    return QCommandLineOption(QStringLiteral("check"),
                              QStringLiteral("Checks each device: who may open it, which process "
                                             "holds it, whether it opens at 9600 8N2."));
}

int Ports(const QCommandLineParser& parser, const QStringList&)
{
    const std::vector<PortRow> rows = PortRows();
    return parser.isSet(QStringLiteral("check")) ? Check(rows) : List(rows);
}

}  // namespace

CliCommand PortsCommand()
{
    CliCommand command;
    command.name = QStringLiteral("ports");
    command.brief =
        QStringLiteral("Lists COM1..COM10 and their devices; --check says what stands in the way.");
    command.summary = QStringLiteral(
        "One line per COM1..COM10: the device it stands for, its USB adapter (description,\n"
        "maker, vendor:product id) and whether it opens. --check checks each device present\n"
        "and says what stands in the way, with the command that fixes it; it ends with 1\n"
        "when a device is not ready or none is present.");
    command.options = {CheckOption()};
    command.run = Ports;
    return command;
}

}  // namespace radio::cli
