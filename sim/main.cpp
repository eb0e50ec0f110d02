// radiosim: a simulated radio on a pseudo-terminal, for trying the programs and for
// tests without a cable. It prints the terminal's device path and serves sessions
// until it is stopped with Ctrl+C (SIGINT) or SIGTERM.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <csignal>
#include <cstdio>

#include "config/program_version.h"
#include "sim/demo_memory.h"
#include "sim/radio_simulator.h"

using namespace radio;
using namespace radio::sim;

namespace {

int Usage(const QString& message)
{
    std::fprintf(stderr, "radiosim: %s\nTry 'radiosim --help'.\n", qPrintable(message));
    return 2;
}

// A block or chunk address (decimal, or hexadecimal with 0x), or "any".
bool ParseAddress(const QString& text, int& address)
{
    if (text.compare(QLatin1String("any"), Qt::CaseInsensitive) == 0) {
        address = kAnyAddress;
        return true;
    }
    bool ok = false;
    address = text.toInt(&ok, 0);
    return ok && address >= 0 && address < kMemorySize;
}

QString Describe(const std::vector<SimEvent>& events)
{
    int blocks = 0;
    int chunks = 0;
    for (const SimEvent& e : events) {
        blocks += e.kind == SimEvent::Kind::BlockRead;
        chunks += e.kind == SimEvent::Kind::ChunkWrite && e.answered;
    }
    if (chunks > 0) {
        return QStringLiteral("%1 chunks written").arg(chunks);
    }
    return QStringLiteral("%1 blocks read").arg(blocks);
}

}  // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("radiosim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "A simulated radio on a pseudo-terminal. Prints the terminal's device path on the\n"
        "first line of standard output and answers the programming protocol until it is\n"
        "stopped with Ctrl+C. Each opening of the device is a new session.\n\n"
        "Memory files: a name ending in .tw is a data file (1704 bytes, each block at its\n"
        "own radio address); any other name is a raw image of the radio's 1024 bytes of\n"
        "memory (addresses 0x0000-0x03FF). --memory reads a data file unless --raw is given.\n\n"
        "ADDR is a block or chunk address (0x0120 or 288) or 'any'."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption band(QStringLiteral("band"),
                                  QStringLiteral("Band the radio reports, by its lower limit: "
                                                 "136, 400, 440, 450, 350 or 370 (default 400)."),
                                  QStringLiteral("LOWER"));
    const QCommandLineOption channels(QStringLiteral("channels"),
                                      QStringLiteral("Model: 16 or 32 channels (default 16)."),
                                      QStringLiteral("N"));
    const QCommandLineOption memory(
        QStringLiteral("memory"),
        QStringLiteral("Initial memory from a data file (.tw), or a raw image with --raw. Its "
                       "band and model are the radio's unless --band or --channels say "
                       "otherwise. Default: a factory image."),
        QStringLiteral("FILE"));
    const QCommandLineOption demo(
        QStringLiteral("demo"),
        QStringLiteral("Start with a sample plan of six channels instead of a factory image."));
    const QCommandLineOption raw(QStringLiteral("raw"),
                                 QStringLiteral("--memory is a raw 1024-byte image."));
    const QCommandLineOption save(
        QStringLiteral("save"),
        QStringLiteral("Save the memory here after each end byte: a data file when FILE ends "
                       "in .tw, else a raw 1024-byte image."),
        QStringLiteral("FILE"));
    const QCommandLineOption link(QStringLiteral("link"),
                                  QStringLiteral("Make a symbolic link to the device at PATH "
                                                 "(removed at exit)."),
                                  QStringLiteral("PATH"));
    const QCommandLineOption noPacing(
        QStringLiteral("no-pacing"),
        QStringLiteral("Answer at once instead of at the line speed (9600 baud, 8N2)."));
    const QCommandLineOption noEntryAnswer(QStringLiteral("no-entry-answer"),
                                           QStringLiteral("Fault: never answer the entry code."));
    const QCommandLineOption entryNak(QStringLiteral("entry-nak"),
                                      QStringLiteral("Fault: answer the entry code with a NAK."));
    const QCommandLineOption shortIdentity(
        QStringLiteral("short-identity"), QStringLiteral("Fault: send 5 of the 8 identity bytes."));
    const QCommandLineOption wrongAddress(
        QStringLiteral("wrong-address"),
        QStringLiteral("Fault: the answer to block ADDR names the next block."),
        QStringLiteral("ADDR"));
    const QCommandLineOption shortBlock(QStringLiteral("short-block"),
                                        QStringLiteral("Fault: the answer to block ADDR is 40 "
                                                       "bytes short."),
                                        QStringLiteral("ADDR"));
    const QCommandLineOption noBlockAck(QStringLiteral("no-block-ack"),
                                        QStringLiteral("Fault: no final ACK after block ADDR."),
                                        QStringLiteral("ADDR"));
    const QCommandLineOption chunkSilent(QStringLiteral("chunk-silent"),
                                         QStringLiteral("Fault: never answer chunk ADDR."),
                                         QStringLiteral("ADDR"));
    const QCommandLineOption chunkLate(
        QStringLiteral("chunk-late"),
        QStringLiteral("Fault: answer chunk ADDR only after --repeats K repeats."),
        QStringLiteral("ADDR"));
    const QCommandLineOption repeats(QStringLiteral("repeats"),
                                     QStringLiteral("Repeats for --chunk-late (default 1)."),
                                     QStringLiteral("K"));
    const QCommandLineOption chunkNak(QStringLiteral("chunk-nak"),
                                      QStringLiteral("Fault: answer chunk ADDR with a NAK."),
                                      QStringLiteral("ADDR"));
    const QCommandLineOption deadAfter(
        QStringLiteral("dead-after"),
        QStringLiteral("Fault: the line goes dead after N received bytes in a session."),
        QStringLiteral("N"));
    const QCommandLineOption corruptWrite(
        QStringLiteral("corrupt-write"),
        QStringLiteral("Fault: store the byte at ADDR with its lowest bit flipped whenever a "
                       "chunk writes it; the chunk is still acknowledged ('any': the first "
                       "byte of every chunk)."),
        QStringLiteral("ADDR"));
    const QCommandLineOption restartMs(
        QStringLiteral("restart-ms"),
        QStringLiteral("Fault: after each end byte hear nothing for MS milliseconds, as a "
                       "radio that restarts after programming."),
        QStringLiteral("MS"));
    const QCommandLineOption lateAck(
        QStringLiteral("late-ack"),
        QStringLiteral("Fault: the first answer to chunk ADDR comes --late-ack-ms late (after "
                       "the program has sent the chunk again); the repeat is answered after it."),
        QStringLiteral("ADDR"));
    const QCommandLineOption lateAckMs(QStringLiteral("late-ack-ms"),
                                       QStringLiteral("Delay for --late-ack (default 700)."),
                                       QStringLiteral("MS"));
    const QCommandLineOption doubleAck(
        QStringLiteral("double-ack"),
        QStringLiteral("Fault: send every acknowledgement (0x06, or a NAK) twice."));
    const QCommandLineOption silentFrom(
        QStringLiteral("silent-from"),
        QStringLiteral("Fault: from chunk ADDR on answer nothing more until the port is "
                       "closed."),
        QStringLiteral("ADDR"));
    const QCommandLineOption echo(
        QStringLiteral("echo"),
        QStringLiteral("Fault: a cable that echoes every byte sent, ahead of the radio's "
                       "answers."));
    const QCommandLineOption identity(
        QStringLiteral("identity"),
        QStringLiteral("Report these 8 identity bytes (16 hex digits) instead of those of the "
                       "band and model."),
        QStringLiteral("HEX"));
    parser.addOptions({band,         channels,      memory,       demo,       raw,
                       save,         link,          noPacing,     identity,   noEntryAnswer,
                       entryNak,     shortIdentity, wrongAddress, shortBlock, noBlockAck,
                       chunkSilent,  chunkLate,     repeats,      chunkNak,   deadAfter,
                       corruptWrite, restartMs,     lateAck,      lateAckMs,  doubleAck,
                       silentFrom,   echo});
    if (!parser.parse(QCoreApplication::arguments())) {
        return Usage(parser.errorText());
    }
    if (parser.isSet(QStringLiteral("help"))) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return 0;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        std::puts(qPrintable(VersionLine(QStringLiteral("radiosim"))));
        return 0;
    }
    if (!parser.positionalArguments().isEmpty()) {
        return Usage(
            QStringLiteral("unexpected argument %1").arg(parser.positionalArguments().first()));
    }

    SimConfig config;
    if (parser.isSet(memory)) {
        RadioData record;
        const MemoryFormat format = parser.isSet(raw) ? MemoryFormat::Raw : MemoryFormat::DataFile;
        QString error;
        config.memory = FactoryMemory(config.bandLower, config.model);
        if (!LoadMemory(parser.value(memory), format, config.memory, &record, error)) {
            std::fprintf(stderr, "radiosim: %s\n", qPrintable(error));
            return 2;
        }
        config.hasMemory = true;
        if (format == MemoryFormat::DataFile) {
            if (BandOfLower(record.bandLower).lower != 0) {
                config.bandLower = record.bandLower;
            }
            config.model = record.model != 0 ? 1 : 0;
        }
    }
    if (parser.isSet(band)) {
        bool ok = false;
        const int lower = parser.value(band).toInt(&ok);
        if (!ok || BandOfLower(lower).lower == 0) {
            return Usage(QStringLiteral("--band must be 136, 400, 440, 450, 350 or 370"));
        }
        config.bandLower = lower;
    }
    if (parser.isSet(channels)) {
        const QString n = parser.value(channels);
        if (n != QLatin1String("16") && n != QLatin1String("32")) {
            return Usage(QStringLiteral("--channels must be 16 or 32"));
        }
        config.model = n == QLatin1String("16") ? 1 : 0;
    }
    if (parser.isSet(identity)) {
        const QByteArray bytes = QByteArray::fromHex(parser.value(identity).toLatin1());
        if (bytes.size() != wire::kIdentitySize ||
            parser.value(identity).size() != 2 * wire::kIdentitySize) {
            return Usage(QStringLiteral("--identity needs 16 hexadecimal digits"));
        }
        Identity id{};
        std::copy(bytes.begin(), bytes.end(), id.begin());
        config.identity = id;
    }
    if (parser.isSet(demo)) {
        if (parser.isSet(memory)) {
            return Usage(QStringLiteral("--demo and --memory cannot be given together"));
        }
        config.memory = DemoMemory(config.bandLower, config.model);
        config.hasMemory = true;
    }
    config.pacing = !parser.isSet(noPacing);
    config.linkPath = parser.value(link);
    config.savePath = parser.value(save);
    config.saveFormat = FormatOfName(config.savePath);

    SimFaults& faults = config.faults;
    faults.entrySilent = parser.isSet(noEntryAnswer);
    faults.entryNak = parser.isSet(entryNak);
    faults.shortIdentity = parser.isSet(shortIdentity);
    const std::pair<const QCommandLineOption*, int*> addressed[] = {
        {&wrongAddress, &faults.wrongAddress}, {&shortBlock, &faults.shortBlock},
        {&noBlockAck, &faults.noBlockAck},     {&chunkSilent, &faults.chunkSilent},
        {&chunkLate, &faults.chunkLate},       {&chunkNak, &faults.chunkNak},
        {&corruptWrite, &faults.corruptWrite}, {&lateAck, &faults.lateAck},
        {&silentFrom, &faults.silentFrom},
    };
    for (const auto& [option, target] : addressed) {
        if (parser.isSet(*option) && !ParseAddress(parser.value(*option), *target)) {
            return Usage(QStringLiteral("--%1 needs an address from 0 to 0x3FF or 'any'")
                             .arg(option->names().first()));
        }
    }
    if (parser.isSet(repeats)) {
        bool ok = false;
        faults.lateRepeats = parser.value(repeats).toInt(&ok);
        if (!ok || faults.lateRepeats < 0) {
            return Usage(QStringLiteral("--repeats needs a number of 0 or more"));
        }
    }
    faults.doubleAck = parser.isSet(doubleAck);
    faults.echo = parser.isSet(echo);
    if (parser.isSet(lateAckMs)) {
        bool ok = false;
        faults.lateAckMs = parser.value(lateAckMs).toInt(&ok);
        if (!ok || faults.lateAckMs < 0) {
            return Usage(QStringLiteral("--late-ack-ms needs a number of 0 or more"));
        }
    }
    if (parser.isSet(restartMs)) {
        bool ok = false;
        faults.restartMs = parser.value(restartMs).toInt(&ok);
        if (!ok || faults.restartMs < 0) {
            return Usage(QStringLiteral("--restart-ms needs a number of 0 or more"));
        }
    }
    if (parser.isSet(deadAfter)) {
        bool ok = false;
        faults.deadAfter = parser.value(deadAfter).toLong(&ok);
        if (!ok || faults.deadAfter < 0) {
            return Usage(QStringLiteral("--dead-after needs a number of 0 or more"));
        }
    }

    // SIGINT and SIGTERM are taken by sigwait below; the simulator's thread inherits
    // the blocked mask.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    RadioSimulator simulator(config);
    QString error;
    if (!simulator.Start(&error)) {
        std::fprintf(stderr, "radiosim: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("%s\n", qPrintable(simulator.DevicePath()));
    std::fflush(stdout);
    const Band b = BandOfLower(config.bandLower);
    std::fprintf(stderr, "radiosim: %d-%d MHz, %d channels, %s%s%s\n", b.lower, b.upper,
                 config.model != 0 ? 16 : 32,
                 config.pacing ? "paced at 9600 baud 8N2" : "no pacing",
                 config.linkPath.isEmpty() ? "" : ", link ", qPrintable(config.linkPath));

    int ends = 0;
    for (;;) {
        const timespec poll{0, 200'000'000};
        const int signal = sigtimedwait(&stopSignals, nullptr, &poll);
        if (signal == SIGINT || signal == SIGTERM) {
            break;
        }
        const int now = simulator.Ends();
        if (now != ends) {
            ends = now;
            QString line =
                QStringLiteral("radiosim: session ended, %1").arg(Describe(simulator.Events()));
            if (!config.savePath.isEmpty()) {
                const QString saveError = simulator.SaveError();
                line += saveError.isEmpty()
                            ? QStringLiteral(", memory saved to %1").arg(config.savePath)
                            : QStringLiteral(", saving failed: %1").arg(saveError);
            }
            simulator.ClearEvents();
            std::fprintf(stderr, "%s\n", qPrintable(line));
        }
    }
    simulator.Stop();
    return 0;
}
