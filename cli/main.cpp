// radioprog-cli: the radio link and data files without windows.
//   radioprog-cli ports
//   radioprog-cli read PORT FILE [--retries N]
//   radioprog-cli write PORT FILE [--force] [--retries N]
//   radioprog-cli show FILE [--json]
// Exit codes: 0 success, 1 the transfer failed or was refused, 2 usage errors and
// files that cannot be read.
#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

#include "cli/cli_host.h"
#include "cli/show_output.h"
#include "cli/transfer_messages.h"
#include "data/data_file.h"
#include "link/port_names.h"
#include "link/serial_port.h"
#include "link/transfer_worker.h"

using namespace radio;
using namespace radio::cli;

namespace {

constexpr int kOk = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;

const char kUsageText[] =
    "Usage:\n"
    "  radioprog-cli ports\n"
    "      One line per COM1..COM10: the device it stands for and whether it opens.\n"
    "  radioprog-cli read PORT FILE [--retries N]\n"
    "      Reads the radio and saves its data as FILE. A failed read leaves FILE as it was.\n"
    "  radioprog-cli write PORT FILE [--force] [--retries N]\n"
    "      Writes the data file FILE into the radio. A radio of another band or model\n"
    "      is refused unless --force is given.\n"
    "  radioprog-cli show FILE [--json]\n"
    "      Model, band, port and every channel of a data file.\n"
    "\n"
    "PORT is COM1..COM10 (set RADIOPROG_COM<n> to choose the device COMn stands for)\n"
    "or a device path such as /dev/ttyUSB0. --retries N repeats a failed transfer up\n"
    "to N times (default 0).\n"
    "Exit codes: 0 success, 1 the transfer failed, 2 usage errors and unreadable files.\n";

int Usage(const QString& message)
{
    std::fprintf(stderr, "radioprog-cli: %s\n\n%s", qPrintable(message), kUsageText);
    return kUsage;
}

int Fail(const QString& message)
{
    std::fprintf(stderr, "radioprog-cli: %s\n", qPrintable(message));
    return kFailed;
}

struct Arguments {
    QString command;
    QStringList positional;
    bool json = false;
    bool force = false;
    bool help = false;
    int retries = 0;
    bool retriesGiven = false;
};

bool Parse(const QStringList& args, Arguments& parsed, QString& error)
{
    for (int i = 1; i < args.size(); ++i) {
        const QString& a = args.at(i);
        if (a == QLatin1String("--json")) {
            parsed.json = true;
        } else if (a == QLatin1String("--force")) {
            parsed.force = true;
        } else if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            parsed.help = true;
        } else if (a == QLatin1String("--retries") || a.startsWith(QLatin1String("--retries="))) {
            QString value;
            if (a.contains(QLatin1Char('='))) {
                value = a.section(QLatin1Char('='), 1);
            } else if (i + 1 < args.size()) {
                value = args.at(++i);
            }
            bool ok = false;
            parsed.retries = value.toInt(&ok);
            if (!ok || parsed.retries < 0) {
                error = QStringLiteral("--retries needs a number of 0 or more");
                return false;
            }
            parsed.retriesGiven = true;
        } else if (a.startsWith(QLatin1String("--")) && a.size() > 2) {
            error = QStringLiteral("unknown option %1").arg(a);
            return false;
        } else if (parsed.command.isEmpty()) {
            parsed.command = a;
        } else {
            parsed.positional << a;
        }
    }
    return true;
}

// COMn gives its number; a device path gives port number 1 and the path.
bool ParsePort(const QString& text, int& number, QString& device)
{
    number = PortNumberOf(text);
    if (number > 0) {
        device.clear();
        return true;
    }
    if (text.contains(QLatin1Char('/'))) {
        number = 1;
        device = text;
        return true;
    }
    return false;
}

int LoadOrComplain(const QString& path, RadioData& data)
{
    const FileResult result = LoadDataFile(path.toStdString(), data);
    if (result.ok()) {
        return kOk;
    }
    if (result.status == FileStatus::TooShort) {
        std::fprintf(stderr, "radioprog-cli: %s\n",
                     qPrintable(QString::fromStdString(LanguageTable::Fallback(text::FileTooShort))
                                    .arg(path)
                                    .arg(qulonglong(result.size))));
    } else {
        std::fprintf(
            stderr, "radioprog-cli: %s\n",
            qPrintable(QString::fromStdString(LanguageTable::Fallback(text::FileOpenFailed))
                           .arg(path, QString::fromStdString(result.detail))));
    }
    return kUsage;
}

// Runs one transfer on its own thread and waits for it.
bool RunTransfer(TransferMode mode, RadioData& record, const QString& device, CliHost& host)
{
    CTransferWorker worker;
    worker.Init(&host, &record);
    worker.SetDeviceOverride(device);
    if (!worker.SetMode(mode)) {
        return false;
    }
    CTestThread thread(&worker);
    thread.start();
    thread.wait();
    return host.Succeeded();
}

int Ports()
{
    CSerialPort port;
    for (int n = 1; n <= kPortCount; ++n) {
        const QString device = ResolvePortDevice(n);
        QString opens = QStringLiteral("no");
        if (!device.isEmpty()) {
            if (port.Open(PortName(n))) {
                opens = QStringLiteral("yes");
            } else {
                switch (port.OpenFailure()) {
                case PortOpenFailure::NotFound: opens = QStringLiteral("no (not found)"); break;
                case PortOpenFailure::Permission:
                    opens = QStringLiteral("no (permission denied: join the dialout group)");
                    break;
                case PortOpenFailure::Busy:
                    opens = QStringLiteral("no (in use by another program)");
                    break;
                default: opens = QStringLiteral("no (%1)").arg(port.OpenFailureDetail()); break;
                }
            }
            port.CloseIfOpen();
        }
        std::printf("%-6s %-24s %s\n", qPrintable(PortName(n)),
                    qPrintable(device.isEmpty() ? QStringLiteral("-") : device), qPrintable(opens));
    }
    return kOk;
}

int Read(const Arguments& args)
{
    int number = 0;
    QString device;
    if (!ParsePort(args.positional.at(0), number, device)) {
        return Usage(QStringLiteral("%1 is not a port: give COM1..COM10 or a device path")
                         .arg(args.positional.at(0)));
    }
    const QString file = args.positional.at(1);
    RadioData record;
    record.ResetRecord(true);
    record.port = number;
    CliHost host(record, args.retries, false, stderr);
    if (!RunTransfer(TransferMode::Read, record, device, host)) {
        return Fail(host.Failure());
    }
    const FileResult saved = SaveDataFile(file.toStdString(), record);
    if (!saved.ok()) {
        return Fail(QString::fromStdString(LanguageTable::Fallback(text::FileSaveFailed))
                        .arg(file, QString::fromStdString(saved.detail)));
    }
    std::fprintf(stderr, "radioprog-cli: read %s into %s\n",
                 qPrintable(BandAndModelText(record.bandLower, record.bandUpper, record.model)),
                 qPrintable(file));
    return kOk;
}

int Write(const Arguments& args)
{
    int number = 0;
    QString device;
    if (!ParsePort(args.positional.at(0), number, device)) {
        return Usage(QStringLiteral("%1 is not a port: give COM1..COM10 or a device path")
                         .arg(args.positional.at(0)));
    }
    RadioData record;
    record.ResetRecord(true);
    if (const int status = LoadOrComplain(args.positional.at(1), record); status != kOk) {
        return status;
    }
    record.port = number;
    record.UpdateChannelMasks();
    CliHost host(record, args.retries, args.force, stderr);
    if (!RunTransfer(TransferMode::Write, record, device, host)) {
        return Fail(host.Failure());
    }
    std::fprintf(stderr, "radioprog-cli: wrote %s from %s\n",
                 qPrintable(BandAndModelText(record.bandLower, record.bandUpper, record.model)),
                 qPrintable(args.positional.at(1)));
    return kOk;
}

int Show(const Arguments& args)
{
    RadioData record;
    record.ResetRecord(true);
    if (const int status = LoadOrComplain(args.positional.at(0), record); status != kOk) {
        return status;
    }
    const QByteArray out = args.json ? ShowJson(record) : ShowText(record);
    std::fwrite(out.constData(), 1, std::size_t(out.size()), stdout);
    return kOk;
}

}  // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    Arguments args;
    QString error;
    if (!Parse(QCoreApplication::arguments(), args, error)) {
        return Usage(error);
    }
    if (args.help) {
        std::fputs(kUsageText, stdout);
        return kOk;
    }
    const auto expect = [&](int count, bool json, bool force, bool retries) {
        if (args.positional.size() != count) {
            error = QStringLiteral("%1 takes %2 argument%3")
                        .arg(args.command)
                        .arg(count)
                        .arg(count == 1 ? "" : "s");
            return false;
        }
        if ((args.json && !json) || (args.force && !force) || (args.retriesGiven && !retries)) {
            error = QStringLiteral("an option does not apply to %1").arg(args.command);
            return false;
        }
        return true;
    };
    if (args.command == QLatin1String("ports")) {
        return expect(0, false, false, false) ? Ports() : Usage(error);
    }
    if (args.command == QLatin1String("read")) {
        return expect(2, false, false, true) ? Read(args) : Usage(error);
    }
    if (args.command == QLatin1String("write")) {
        return expect(2, false, true, true) ? Write(args) : Usage(error);
    }
    if (args.command == QLatin1String("show")) {
        return expect(1, true, false, false) ? Show(args) : Usage(error);
    }
    if (args.command.isEmpty()) {
        return Usage(QStringLiteral("no command given"));
    }
    return Usage(QStringLiteral("unknown command %1").arg(args.command));
}
