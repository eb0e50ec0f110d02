// radioprog-cli diff: what differs between two data files, a file and a radio, or two
// radios, one line per difference or (--json) an array for scripts.
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "cli/cli_command.h"
#include "cli/cli_support.h"
#include "data/record_diff.h"
#include "link/block_plan.h"
#include "link/port_names.h"

namespace radio::cli {

namespace {

// A side is a port when it is COMn or names a device (anything but a file or a
// folder); otherwise it is a data file.
bool IsPortSide(const QString& side)
{
    if (PortNumberOf(side) > 0) {
        return true;
    }
    const QFileInfo info(side);
    return info.exists() && !info.isFile() && !info.isDir();
}

// Opens or reads one side; returns kOk or the exit status of the trouble (kUsage).
int Take(const QCommandLineParser& parser, int retries, const QString& side, RadioData& record)
{
    record.ResetRecord(true);
    if (!IsPortSide(side)) {
        return LoadOrComplain(side, record);
    }
    QString device;
    ParsePort(side, record.port, device);
    CliHost host(record, retries, false, stderr);
    TransferChoices choices;
    choices.backupFolder = BackupFolderOf(parser);
    if (!RunTransfer(TransferMode::Read, record, device, host, choices)) {
        Say(host.Failure());
        return kUsage;
    }
    return kOk;
}

QByteArray Json(const std::vector<Difference>& differences)
{
    QJsonArray list;
    for (const Difference& d : differences) {
        QJsonObject o{{"area", DiffAreaName(d.area)},
                      {"key", QString::fromStdString(d.key)},
                      {"field", QString::fromStdString(d.field)},
                      {"from", QString::fromStdString(d.from)},
                      {"to", QString::fromStdString(d.to)}};
        if (d.area == DiffArea::Channel) {
            o.insert("channel", d.channel);
        }
        if (d.area == DiffArea::Bytes) {
            o.insert("address", d.address);
            o.insert("size", d.size);
        }
        list.append(o);
    }
    return QJsonDocument(list).toJson(QJsonDocument::Compact) + '\n';
}

int Diff(const QCommandLineParser& parser, const QStringList& arguments)
{
    int retries = 0;
    if (QString error; !RetriesOf(parser, retries, error)) {
        return Usage(error);
    }
    RadioData a;
    RadioData b;
    for (int i = 0; i < 2; ++i) {
        if (const int status = Take(parser, retries, arguments.at(i), i == 0 ? a : b);
            status != kOk) {
            return status;
        }
    }
    // A radio's side is compared with what a write of the other side would send: its
    // channel masks rebuilt, and the block no read fetches taken as the same.
    const bool portA = IsPortSide(arguments.at(0));
    const bool portB = IsPortSide(arguments.at(1));
    if (portA != portB) {
        (portA ? b : a).UpdateChannelMasks();
    }
    if (portA) {
        TakeUnreadBlocks(a, b);
    } else if (portB) {
        TakeUnreadBlocks(b, a);
    }
    const std::vector<Difference> differences = CompareRecords(a, b);
    QByteArray out;
    if (parser.isSet(QStringLiteral("json"))) {
        out = Json(differences);
    } else {
        for (const Difference& d : differences) {
            out += QByteArray::fromStdString(DifferenceLine(a.texts, d)) + '\n';
        }
    }
    if (!PrintOut(out)) {
        Say(QStringLiteral("the differences could not be written out"));
        return kUsage;
    }
    return differences.empty() ? kOk : kFailed;
}

}  // namespace

CliCommand DiffCommand()
{
    CliCommand command;
    command.name = QStringLiteral("diff");
    command.brief = QStringLiteral("Shows what differs between two data files or radios.");
    command.arguments = QStringLiteral("A B");
    command.minArguments = command.maxArguments = 2;
    command.summary = QStringLiteral(
        "A and B are each a data file or a port (COMn or a device), which is read as\n"
        "for read, without writing a file. One line per difference, A's value first:\n"
        "each channel field, feature, key and scan setting, the band and model, then\n"
        "the bytes a write sends that no view shows. Against a radio, a file is taken\n"
        "as a write would send it, and block 0x01B8, which no read fetches, is passed\n"
        "over. Exit status 0 when they are the same, 1 when they differ, 2 on trouble.");
    command.options = {QCommandLineOption(QStringLiteral("json"),
                                          QStringLiteral("An array of JSON objects for scripts.")),
                       RetriesOption(), NoBackupOption()};
    command.run = Diff;
    return command;
}

}  // namespace radio::cli
