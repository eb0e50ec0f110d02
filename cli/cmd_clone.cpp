// radioprog-cli clone: one data file into several radios at the same time, one worker,
// one thread and one port each. Each radio writes its own copy of the data (its
// identity bytes follow what that radio reports). As each ends, one line:
//   COM2 (/dev/ttyUSB1): written | written and verified | failed: <reason>
#include <QFileInfo>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <memory>
#include <mutex>

#include "cli/cli_command.h"
#include "cli/cli_support.h"
#include "link/port_names.h"

namespace radio::cli {

namespace {

struct Radio {
    QString label;   // "COM2 (/dev/ttyUSB1)", or the device path given
    QString device;  // the device path given instead of a COM port; empty for COMn
    RadioData record;
    std::unique_ptr<CliHost> host;
    CTransferWorker worker;
    std::unique_ptr<CTestThread> thread;
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
    const QStringList ports = arguments.mid(1);
    std::deque<Radio> radios;  // never moved once a thread may point into it
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
        Radio& radio = radios.emplace_back();
        radio.device = device;
        radio.record.port = number;
        const QString resolved = ResolvePortDevice(number);
        radio.label = !device.isEmpty() ? device
                      : resolved.isEmpty()
                          ? PortName(number)
                          : QStringLiteral("%1 (%2)").arg(PortName(number), resolved);
    }

    RadioData data;
    data.ResetRecord(true);
    if (const int status = LoadOrComplain(arguments.at(0), data); status != kOk) {
        return status;
    }
    data.UpdateChannelMasks();

    const bool verify = parser.isSet(QStringLiteral("verify"));
    const bool force = parser.isSet(QStringLiteral("force"));
    const QString backupFolder = BackupFolderOf(parser);
    std::mutex mutex;
    std::condition_variable ended;
    std::deque<Radio*> finished;
    for (Radio& radio : radios) {
        const int port = radio.record.port;
        radio.record = data;
        radio.record.port = port;
        radio.host = std::make_unique<CliHost>(radio.record, retries, force, stderr, radio.label);
        radio.worker.Init(radio.host.get(), radio.record);
        radio.worker.SetDeviceOverride(radio.device);
        radio.worker.SetVerify(verify);
        radio.worker.SetBackupFolder(backupFolder);
        radio.worker.SetMode(TransferMode::Write);
        radio.thread = std::make_unique<CTestThread>(&radio.worker);
        Radio* which = &radio;
        QObject::connect(
            radio.thread.get(), &QThread::finished, radio.thread.get(),
            [&, which] {
                std::lock_guard<std::mutex> lock(mutex);
                finished.push_back(which);
                ended.notify_one();
            },
            Qt::DirectConnection);
    }
    for (Radio& radio : radios) {
        radio.thread->start();
    }

    int failures = 0;
    for (std::size_t reported = 0; reported < radios.size(); ++reported) {
        Radio* radio = nullptr;
        {
            std::unique_lock<std::mutex> lock(mutex);
            ended.wait(lock, [&] { return !finished.empty(); });
            radio = finished.front();
            finished.pop_front();
        }
        radio->thread->wait();
        QString outcome;
        if (radio->host->Succeeded()) {
            outcome = verify ? QStringLiteral("written and verified") : QStringLiteral("written");
        } else {
            ++failures;
            outcome = QStringLiteral("failed: ") + radio->host->Failure();
        }
        std::printf("%s: %s\n", qPrintable(radio->label), qPrintable(outcome));
        std::fflush(stdout);
    }
    return failures == 0 ? kOk : kFailed;
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
        "failed with the reason. Exit code 0 only when every radio succeeded.");
    command.options = {ForceOption(), RetriesOption(), VerifyOption(), NoBackupOption()};
    command.run = Clone;
    return command;
}

}  // namespace radio::cli
