// radioprog-cli clone: one data file into several radios at the same time (the
// multi-radio writer: one worker, thread and port each). Each radio writes its own
// copy of the data (its identity bytes follow what that radio reports), with its own
// Code 1 and Code 2 when --code1, --code2 or --codes give them. As each ends, one line
// (and with --log one row of the job log):
//   COM2 (/dev/ttyUSB1): written | written and verified | failed: <reason>
#include <QFileInfo>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <deque>
#include <memory>
#include <mutex>

#include "cli/cli_command.h"
#include "cli/cli_support.h"
#include "cli/clone_codes.h"
#include "cli/transfer_messages.h"
#include "config/file_messages.h"
#include "config/file_reading.h"
#include "config/fleet_codes.h"
#include "link/adapter_info.h"
#include "link/job_log.h"
#include "link/multi_writer.h"
#include "link/port_names.h"

namespace radio::cli {

namespace {

// One radio of the batch.
struct Target {
    QString given;          // the port as given: COM2, ./radiosim-com1
    QString label;          // COM2 (/dev/ttyUSB1), or the device path given
    QString device;         // the device it stands for, as the file system names it
    QString adapterSerial;  // with --log: of the USB adapter behind it
    MultiWriter::Radio radio;
    QString code1;  // null: the data file's
    QString code2;
};

// What every row of the job log says of the batch.
struct Job {
    JobLog* log = nullptr;
    QString dataFile;
    QString dataSha256;
};

// Ctrl+C: radios that have not started writing are not written; a write under way
// ends first, so that no radio is left half written. A second Ctrl+C ends at once.
std::atomic<MultiWriter*> g_writer{nullptr};
std::atomic<bool> g_interrupted{false};

extern "C" void Interrupted(int)
{
    g_interrupted = true;
    if (MultiWriter* writer = g_writer.load()) {
        writer->Cancel();
    }
    std::signal(SIGINT, SIG_DFL);
}

// Each radio's side is a labelled CliHost: its warnings and failures on standard
// error, its repeats; the line of how it ended on standard output.
class CloneHost : public MultiWriteHost {
public:
    CloneHost(const std::vector<Target>& targets, int retries, bool force, bool backupFirst,
              const Job& job)
        : m_targets(targets),
          m_retries(retries),
          m_force(force),
          m_backupFirst(backupFirst),
          m_job(job),
          m_copies(targets.size(), nullptr),
          m_written(targets.size(), false)
    {
    }

    TransferHost& HostFor(std::size_t index, RadioData& copy) override
    {
        const Target& target = m_targets.at(index);
        SetCodes(copy, target.code1, target.code2);
        m_copies[index] = &copy;
        m_hosts.push_back(
            std::make_unique<CliHost>(copy, m_retries, m_force, stderr, target.label));
        return *m_hosts.back();
    }

    void PortEnded(std::size_t index, const MultiWriteResult& result) override
    {
        const Target& target = m_targets.at(index);
        const CliHost& host = *m_hosts.at(index);
        QString outcome;
        if (result.outcome == MultiWriteResult::Outcome::NotWritten && m_backupFirst &&
            !result.backupFirst.ok && !result.backupFirst.path.isEmpty()) {
            outcome = JobResultText(result.outcome,
                                    QStringLiteral("what it held could not be kept (%1: %2)")
                                        .arg(result.backupFirst.path, result.backupFirst.error));
        } else if (result.outcome == MultiWriteResult::Outcome::NotWritten && g_interrupted) {
            outcome = JobResultText(result.outcome, QStringLiteral("stopped before its write"));
        } else if (result.outcome == MultiWriteResult::Outcome::Failed) {
            // The last failure, also when Ctrl+C kept it from being tried again.
            QString reason = TransferErrorMessage(result.error);
            if (g_interrupted) {
                reason += QStringLiteral(" (stopped: not tried again)");
            }
            outcome = JobResultText(result.outcome, reason);
        } else {
            const auto shown =
                result.Succeeded() ? result.outcome : MultiWriteResult::Outcome::Failed;
            outcome = JobResultText(shown, host.Failure());
        }

        QString line = outcome;
        const RadioData& copy = *m_copies.at(index);
        QStringList codes;  // "COM2 (Code 1 2001): written"
        if (!target.code1.isNull()) {
            codes << QStringLiteral("Code 1 ") + Code1Of(copy);
        }
        if (!target.code2.isNull()) {
            codes << QStringLiteral("Code 2 ") + Code2Of(copy);
        }
        const QString label = codes.isEmpty() ? target.label
                                              : QStringLiteral("%1 (%2)").arg(
                                                    target.label, codes.join(QStringLiteral(", ")));
        if (result.Succeeded() && result.backupFirst.ok) {
            line += QStringLiteral(", what it held kept in ") + result.backupFirst.path;
        }
        bool logged = true;
        if (m_job.log) {
            JobLogRow row;
            row.port = target.given;
            row.device = target.device;
            row.adapterSerial = target.adapterSerial;
            row.dataFile = m_job.dataFile;
            row.dataSha256 = m_job.dataSha256;
            row.result = outcome;
            TakeRadioEnd(row, copy, host.LastBackup(), result.backupFirst);
            if (const FileResult saved = m_job.log->Append(row); !saved.ok()) {
                logged = false;
                line += QStringLiteral("; its row of the job log could not be kept (%1)")
                            .arg(FailureReason(LanguageTable(), saved));
            }
        }

        std::lock_guard<std::mutex> lock(m_mutex);
        m_written[index] = result.Succeeded();
        if (!result.Succeeded() || !logged) {
            ++m_failures;
        }
        std::printf("%s: %s\n", qPrintable(label), qPrintable(line));
        std::fflush(stdout);
    }

    int Failures() const { return m_failures; }
    bool Written(std::size_t index) const { return m_written.at(index); }

private:
    const std::vector<Target>& m_targets;
    int m_retries;
    bool m_force;
    bool m_backupFirst;
    Job m_job;
    std::vector<RadioData*> m_copies;
    std::deque<std::unique_ptr<CliHost>> m_hosts;  // filled before any thread runs
    std::mutex m_mutex;
    std::vector<bool> m_written;
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

// The radio a port argument names; false with `error` set when it names none.
bool TargetOf(const QString& text, Target& target, QString& error)
{
    int number = 0;
    QString device;
    if (!ParsePort(text, number, device)) {
        error = NotAPortMessage(text);
        return false;
    }
    target.given = text;
    target.device = DeviceOf(number, device);
    target.radio = {number, device};
    const int named = PortNumberOf(text, kCliPortCount);
    const QString resolved = named > 0 ? ResolvePortDevice(named) : QString();
    target.label =
        named > 0 ? (resolved.isEmpty() ? PortName(named)
                                        : QStringLiteral("%1 (%2)").arg(PortName(named), resolved))
                  : device;
    return true;
}

// Gives each target its codes from --code1/--code2 or --codes; false with `error`.
bool GiveCodes(const QCommandLineParser& parser, const std::vector<CodesLine>& lines,
               std::vector<Target>& targets, QString& error)
{
    for (const char* option : {"code1", "code2"}) {
        const QString name = QString::fromLatin1(option);
        if (!parser.isSet(name)) {
            continue;
        }
        QStringList codes;
        if (!CountedCodes(name, parser.value(name), int(targets.size()), codes, error)) {
            return false;
        }
        for (std::size_t i = 0; i < targets.size(); ++i) {
            (name == QLatin1String("code1") ? targets[i].code1 : targets[i].code2) =
                codes.at(qsizetype(i));
        }
    }
    if (lines.empty()) {
        return true;
    }
    QStringList lineDevices;  // the device each line's port stands for
    for (const CodesLine& line : lines) {
        Target named;
        QString ignored;
        const QString device = TargetOf(line.port, named, ignored) ? named.device : QString();
        if (!device.isEmpty() && lineDevices.contains(device)) {
            error = QStringLiteral("%1 has two lines in %2")
                        .arg(line.port, parser.value(QStringLiteral("codes")));
            return false;
        }
        lineDevices << device;
    }
    QStringList given;
    for (Target& target : targets) {
        const qsizetype at = lineDevices.indexOf(target.device);
        const CodesLine* found = at >= 0 ? &lines.at(std::size_t(at)) : nullptr;
        if (!found) {
            error = QStringLiteral("%1 has no line in %2").arg(target.given, parser.value("codes"));
            return false;
        }
        if (given.contains(found->code1)) {
            error = QStringLiteral("Code 1 %1 is given to two radios").arg(found->code1);
            return false;
        }
        given << found->code1;
        target.code1 = found->code1;
        target.code2 = found->code2;
    }
    return true;
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
    const bool codesFile = parser.isSet(QStringLiteral("codes"));
    if (codesFile &&
        (parser.isSet(QStringLiteral("code1")) || parser.isSet(QStringLiteral("code2")))) {
        return Usage(
            QStringLiteral("--codes gives the codes: it cannot go with --code1 or --code2"));
    }
    std::vector<CodesLine> lines;
    if (codesFile) {
        if (QString error; !ReadCodesFile(parser.value(QStringLiteral("codes")), lines, error)) {
            return Usage(error);
        }
    }

    // The ports given, or those of the codes file.
    QStringList ports = arguments.mid(1);
    if (ports.isEmpty()) {
        for (const CodesLine& line : lines) {
            ports << line.port;
        }
    }
    if (ports.isEmpty()) {
        return Usage(QStringLiteral("clone needs a PORT, or --codes with the ports"));
    }
    std::vector<Target> targets;
    QStringList devices;
    for (const QString& text : ports) {
        Target target;
        if (QString error; !TargetOf(text, target, error)) {
            return Usage(error);
        }
        if (devices.contains(target.device)) {
            return Usage(
                QStringLiteral("%1 is given twice: one transfer at a time per port").arg(text));
        }
        devices << target.device;
        targets.push_back(target);
    }
    if (QString error; !GiveCodes(parser, lines, targets, error)) {
        return Usage(error);
    }

    // The file's bytes are read once: the record comes from the same bytes the log's
    // checksum is taken of.
    const QString path = arguments.at(0);
    QByteArray bytes;
    if (const int status = ReadOrComplain(path, bytes); status != kOk) {
        return status;
    }
    RadioData data;
    data.ResetRecord(true);
    if (const FileResult parsed =
            ParseDataFile(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                          std::size_t(bytes.size()), data);
        !parsed.ok()) {
        Say(OpenFailureText(LanguageTable(), path, parsed));
        return kUsage;
    }

    std::unique_ptr<JobLog> log;
    Job job;
    if (parser.isSet(QStringLiteral("log"))) {
        log = std::make_unique<JobLog>(parser.value(QStringLiteral("log")));
        if (const FileResult checked = log->Check(); !checked.ok()) {
            return Usage(QStringLiteral("the job log %1 cannot be kept: %2")
                             .arg(log->Path(), FailureReason(LanguageTable(), checked)));
        }
        job.log = log.get();
        job.dataFile = QFileInfo(path).absoluteFilePath();
        job.dataSha256 = Sha256Text(bytes);
        const std::vector<AdapterInfo> adapters = AdapterInfosOf(devices);
        for (std::size_t i = 0; i < targets.size(); ++i) {
            targets[i].adapterSerial = adapters.at(i).serialNumber;
        }
    }

    std::vector<MultiWriter::Radio> radios;
    for (const Target& target : targets) {
        radios.push_back(target.radio);
    }
    MultiWriter::Options options;
    options.verify = parser.isSet(QStringLiteral("verify"));
    options.backupFolder = BackupFolderOf(parser);
    options.backupFirst = backupFirst;
    CloneHost host(targets, retries, parser.isSet(QStringLiteral("force")), backupFirst, job);
    MultiWriter writer(data, radios, options, host);
    g_interrupted = false;
    g_writer = &writer;
    std::signal(SIGINT, Interrupted);
    writer.Start();
    writer.Wait();
    std::signal(SIGINT, SIG_DFL);
    g_writer = nullptr;

    // The codes of the radios not written, ready for a run of the rest with --codes.
    QStringList rest;
    for (std::size_t i = 0; i < targets.size(); ++i) {
        const Target& target = targets[i];
        if (!host.Written(i) && !target.code1.isNull()) {
            rest << target.given + QLatin1Char(',') + target.code1 +
                        (target.code2.isNull() ? QString() : QLatin1Char(',') + target.code2);
        }
    }
    if (!rest.isEmpty()) {
        Say(QStringLiteral("%1 of %2 radios not written; to give them their codes, run again "
                           "with --codes and a file of these lines:")
                .arg(rest.size())
                .arg(targets.size()));
        std::fprintf(stderr, "%s\n", qPrintable(rest.join(QLatin1Char('\n'))));
    }
    return host.Failures() == 0 ? kOk : kFailed;
}

}  // namespace

CliCommand CloneCommand()
{
    CliCommand command;
    command.name = QStringLiteral("clone");
    command.brief = QStringLiteral("Writes a data file into several radios at once.");
    command.arguments = QStringLiteral("FILE PORT...");
    command.minArguments = 1;
    command.maxArguments = -1;
    command.summary = QStringLiteral(
        "Writes FILE into every PORT's radio at once; exit code 0 when all succeeded.");
    command.options = {
        ForceOption(),
        RetriesOption(),
        VerifyOption(),
        NoBackupOption(),
        BackupFirstOption(),
        QCommandLineOption(QStringLiteral("code1"),
                           QStringLiteral("Code 1 from START on, one up per radio (0099, 0100)."),
                           QStringLiteral("START")),
        QCommandLineOption(QStringLiteral("code2"), QStringLiteral("The same for Code 2."),
                           QStringLiteral("START")),
        QCommandLineOption(QStringLiteral("codes"),
                           QStringLiteral("Each radio's codes from lines PORT,CODE1[,CODE2]."),
                           QStringLiteral("FILE")),
        QCommandLineOption(QStringLiteral("log"),
                           QStringLiteral("Appends a row per radio to the job log FILE (CSV)."),
                           QStringLiteral("FILE")),
    };
    command.run = Clone;
    return command;
}

}  // namespace radio::cli
