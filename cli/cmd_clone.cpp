// radioprog-cli clone: one data file into several radios at the same time (the
// multi-radio writer: one worker, thread and port each). Each radio writes its own
// copy of the data (its identity bytes follow what that radio reports). As each ends,
// one line:
//   COM2 (/dev/ttyUSB1): written | written and verified | failed: <reason>
#include <QFileInfo>
#include <cstdio>
#include <deque>
#include <memory>
#include <mutex>

#include "cli/cli_command.h"
#include "cli/cli_support.h"
#include "link/multi_writer.h"
#include "link/port_names.h"

namespace radio::cli {

namespace {

// Each radio's side is a labelled CliHost: its warnings and failures on standard
// error, its repeats; the line of how it ended on standard output.
class CloneHost : public MultiWriteHost {
public:
    CloneHost(QStringList labels, int retries, bool force, bool backupFirst)
        : m_labels(std::move(labels)), m_retries(retries), m_force(force), m_backupFirst(backupFirst)
    {
    }

    TransferHost& HostFor(std::size_t index, RadioData& copy) override
    {
        m_hosts.push_back(std::make_unique<CliHost>(copy, m_retries, m_force, stderr,
                                                    m_labels.at(qsizetype(index))));
        return *m_hosts.back();
    }

    void PortEnded(std::size_t index, const MultiWriteResult& result) override
    {
        QString outcome;
        switch (result.outcome) {
        case MultiWriteResult::Outcome::Written: outcome = QStringLiteral("written"); break;
        case MultiWriteResult::Outcome::Verified:
            outcome = QStringLiteral("written and verified");
            break;
        case MultiWriteResult::Outcome::NotWritten:
            if (m_backupFirst && !result.backupFirst.ok && !result.backupFirst.path.isEmpty()) {
                outcome = QStringLiteral("not written: what it held could not be kept (%1: %2)")
                              .arg(result.backupFirst.path, result.backupFirst.error);
                break;
            }
            [[fallthrough]];
        case MultiWriteResult::Outcome::Failed:
            outcome = QStringLiteral("failed: ") + m_hosts.at(index)->Failure();
            break;
        }
        if (result.Succeeded() && result.backupFirst.ok) {
            outcome += QStringLiteral(", what it held kept in ") + result.backupFirst.path;
        }
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!result.Succeeded()) {
            ++m_failures;
        }
        std::printf("%s: %s\n", qPrintable(m_labels.at(qsizetype(index))), qPrintable(outcome));
        std::fflush(stdout);
    }

    int Failures() const { return m_failures; }

private:
    QStringList m_labels;
    int m_retries;
    bool m_force;
    bool m_backupFirst;
    std::deque<std::unique_ptr<CliHost>> m_hosts;  // filled before any thread runs
    std::mutex m_mutex;
    int m_failures = 0;
};

// The device a port argument stands for, as the file system names it, so that the
// same port given twice (COM2 and its device, or a link to it) is recognised.
QString DeviceOf(int number, const QString& device)
{
    const QString path = device.isEmpty() ? ResolvePortDevice(number) : device;
    if (path.isEmpty()) {
        return PortName(number);  // stands for no device: the name is all there is
    }
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? path : canonical;
}

int Clone(const QCommandLineParser& parser, const QStringList& arguments)
{
    int retries = 0;
    if (QString error; !RetriesOf(parser, retries, error)) {
        return Usage(error);
    }
    QString backupError;
    const bool backupFirst = BackupFirstOf(parser, backupError);
    if (!backupError.isEmpty()) {
        return Usage(backupError);
    }
    const QStringList ports = arguments.mid(1);
    std::vector<MultiWriter::Radio> radios;
    QStringList labels;  // "COM2 (/dev/ttyUSB1)", or the device path given
    QStringList devices;
    for (const QString& text : ports) {
        int number = 0;
        QString device;
        if (!ParsePort(text, number, device)) {
            return Usage(NotAPortMessage(text));
        }
        const QString same = DeviceOf(number, device);
        if (devices.contains(same)) {
            return Usage(
                QStringLiteral("%1 is given twice: one transfer at a time per port").arg(text));
        }
        devices << same;
        radios.push_back({number, device});
        const QString resolved = ResolvePortDevice(number);
        labels << (!device.isEmpty() ? device
                   : resolved.isEmpty()
                       ? PortName(number)
                       : QStringLiteral("%1 (%2)").arg(PortName(number), resolved));
    }

    RadioData data;
    data.ResetRecord(true);
    if (const int status = LoadOrComplain(arguments.at(0), data); status != kOk) {
        return status;
    }

    MultiWriter::Options options;
    options.verify = parser.isSet(QStringLiteral("verify"));
    options.backupFolder = BackupFolderOf(parser);
    options.backupFirst = backupFirst;
    CloneHost host(labels, retries, parser.isSet(QStringLiteral("force")), backupFirst);
    MultiWriter writer(data, radios, options, host);
    writer.Start();
    writer.Wait();
    return host.Failures() == 0 ? kOk : kFailed;
}

}  // namespace

CliCommand CloneCommand()
{
    CliCommand command;
    command.name = QStringLiteral("clone");
    command.brief = QStringLiteral("Writes a data file into several radios at once.");
    command.arguments = QStringLiteral("FILE PORT...");
    command.minArguments = 2;
    command.maxArguments = -1;
    command.summary = QStringLiteral(
        "Writes the data file FILE into the radios on every PORT at the same time and\n"
        "prints one line per radio as it ends: written, written and verified, or\n"
        "failed with the reason (with --backup-first, also the backup of what it held).\n"
        "Exit code 0 only when every radio succeeded.");
    command.options = {ForceOption(), RetriesOption(), VerifyOption(), NoBackupOption(),
                       BackupFirstOption()};
    command.run = Clone;
    return command;
}

}  // namespace radio::cli
