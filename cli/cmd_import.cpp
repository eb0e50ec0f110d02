// radioprog-cli import: a CSV channel plan into a data file, or into a new data set
// when the file does not exist yet.
#include <QFileInfo>
#include <cstdio>

#include "cli/cli_command.h"
#include "cli/cli_support.h"
#include "cli/transfer_messages.h"
#include "config/channel_plan_texts.h"
#include "config/file_messages.h"
#include "config/file_saving.h"
#include "data/channel_csv.h"
#include "link/protocol.h"

namespace radio::cli {

namespace {

const QString kBand = QStringLiteral("band");
const QString kChannels = QStringLiteral("channels");
const QString kSkipBad = QStringLiteral("skip-bad");
constexpr int kDefaultBand = 400;

// The band and model a new data set gets from --band and --channels; false with
// `error` set when a value is not one of the choices.
bool NewDataSetOptions(const QCommandLineParser& parser, Band& band, int& model, QString& error)
{
    band = BandOfLower(kDefaultBand);
    model = 1;
    if (parser.isSet(kBand)) {
        bool ok = false;
        band = BandOfLower(parser.value(kBand).toInt(&ok));
        if (!ok || band.lower == 0) {
            error = QStringLiteral("--band takes 136, 400, 440, 450, 350 or 370");
            return false;
        }
    }
    if (parser.isSet(kChannels)) {
        const QString channels = parser.value(kChannels);
        if (channels != QLatin1String("16") && channels != QLatin1String("32")) {
            error = QStringLiteral("--channels takes 16 or 32");
            return false;
        }
        model = channels == QLatin1String("16") ? 1 : 0;
    }
    return true;
}

int Import(const QCommandLineParser& parser, const QStringList& arguments)
{
    const QString csvPath = arguments.at(0);
    const QString file = arguments.at(1);
    Band band{};
    int model = 1;
    if (QString error; !NewDataSetOptions(parser, band, model, error)) {
        return Usage(error);
    }
    QByteArray csv;
    if (const int status = ReadOrComplain(csvPath, csv); status != kOk) {
        return status;
    }

    RadioData record;
    record.ResetRecord(true);
    if (QFileInfo::exists(file)) {
        if (const int status = LoadOrComplain(file, record); status != kOk) {
            return status;
        }
        // --band and --channels describe a new data set; an existing one keeps its own.
        const bool otherBand = parser.isSet(kBand) && band.lower != record.bandLower;
        const bool otherModel = parser.isSet(kChannels) && (model != 0) != (record.model != 0);
        if (otherBand || otherModel) {
            return Usage(
                QStringLiteral("%1 holds %2; --band and --channels only choose the "
                               "band and model of a new data set")
                    .arg(file, BandAndModelText(record.bandLower, record.bandUpper, record.model)));
        }
    } else {
        record.bandLower = band.lower;
        record.bandUpper = band.upper;
        record.model = model;
    }

    const ChannelPlan plan = ImportChannelsCsv(csv.toStdString(), record);
    if (!plan.ok()) {
        Say(PlanErrorText(record.texts, plan, csvPath));
        return kUsage;
    }
    for (const RefusedRow& row : plan.refused) {
        std::fprintf(stderr, "row %d: %s\n", row.row,
                     qPrintable(RefusalText(record.texts, row.fault)));
    }
    const int refused = int(plan.refused.size());
    if (refused > 0 && !parser.isSet(kSkipBad)) {
        return Fail(QStringLiteral("%1 rows refused; %2 was left as it was (--skip-bad imports "
                                   "the other rows)")
                        .arg(QString::number(refused), file));
    }
    ApplyChannelPlan(plan, record);
    const FileResult saved = SaveDataFile(file, record);
    if (!saved.ok()) {
        return Fail(SaveFailureText(LanguageTable(), file, saved));
    }
    QString summary = QStringLiteral("imported %1 channels into %2")
                          .arg(QString::number(plan.ChannelsToImport()), file);
    if (refused > 0) {
        summary += QStringLiteral("; %1 rows refused").arg(refused);
    }
    Say(summary);
    return kOk;
}

}  // namespace

CliCommand ImportCommand()
{
    CliCommand command;
    command.name = QStringLiteral("import");
    command.brief = QStringLiteral("Takes the channels of a CSV channel plan into a data file.");
    command.arguments = QStringLiteral("IN.csv FILE");
    command.minArguments = command.maxArguments = 2;
    command.summary = QStringLiteral(
        "Reads a CSV channel plan (CHIRP's generic format) into the data file FILE:\n"
        "its channels replace all channels of FILE, features and settings stay. A FILE\n"
        "that does not exist becomes a new data set of --band (default 400) and\n"
        "--channels (default 16). Refused rows are listed as \"row N: reason\"; then\n"
        "FILE is left as it was and the exit code is 1, unless --skip-bad imports the\n"
        "other rows.");
    command.options = {
        QCommandLineOption(kBand, QStringLiteral("The band of a new data set."),
                           QStringLiteral("136|400|440|450|350|370")),
        QCommandLineOption(kChannels, QStringLiteral("The channel count of a new data set."),
                           QStringLiteral("16|32")),
        QCommandLineOption(kSkipBad, QStringLiteral("Imports the rows that are not refused.")),
    };
    command.run = Import;
    return command;
}

}  // namespace radio::cli
