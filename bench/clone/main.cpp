// bench_clone: writing one data file into 1, 4 and 16 radios at once against writing it
// into one. Sixteen simulated radios, each paced at 9600 baud 8N2 on its own thread,
// and the real radioprog-cli beside this program: `write PORT FILE` into the first
// radio against `clone FILE PORT1..PORTn --code1 1001 --log job.csv` (each radio its
// own code, a row of the job log each), each the median of several runs, with and
// without --verify. Ideally n radios take no longer than one; the ratio is the clone's
// time over the single write's, and the benchmark fails when sixteen at once take more
// than 1.10 times one. No backups are kept (--no-backup).
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "bench/runs_option.h"
#include "config/file_saving.h"
#include "sim/radio_simulator.h"

using namespace radio;
using namespace radio::sim;

namespace {

constexpr int kRadios = 16;
constexpr int kCounts[] = {1, 4, 16};
// The most sixteen radios at once may take, as a multiple of one radio's write.
constexpr double kMostRatio = 1.10;

// Runs radioprog-cli once; the wall time in seconds, negative when it failed.
double RunCli(const QStringList& arguments)
{
    QProcess cli;
    QElapsedTimer timer;
    timer.start();
    cli.start(QCoreApplication::applicationDirPath() + QStringLiteral("/radioprog-cli"), arguments);
    if (!cli.waitForFinished(60000) || cli.exitStatus() != QProcess::NormalExit ||
        cli.exitCode() != 0) {
        std::fprintf(stderr, "bench_clone: radioprog-cli %s failed:\n%s%s",
                     qPrintable(arguments.join(QLatin1Char(' '))),
                     cli.readAllStandardOutput().constData(),
                     cli.readAllStandardError().constData());
        return -1;
    }
    return double(timer.nsecsElapsed()) / 1e9;
}

double Median(const QStringList& arguments, int runs, bool& ok)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double t = RunCli(arguments);
        ok = ok && t >= 0;
        times.push_back(t);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = bench::RunsOption(3);

    QTemporaryDir dir;
    qputenv("RADIOPROG_BACKUP_DIR", QFile::encodeName(dir.filePath(QStringLiteral("backups"))));
    const QString file = dir.filePath(QStringLiteral("fleet.tw"));
    RadioData record;
    record.Channel(0).SetRxFrequency(0x43012500);
    record.Channel(0).SetTxFrequency(0x43012500);
    if (!SaveDataFile(file, record).ok()) {
        std::fprintf(stderr, "bench_clone: cannot write %s\n", qPrintable(file));
        return 1;
    }

    std::vector<std::unique_ptr<RadioSimulator>> radios;
    QStringList ports;
    for (int i = 0; i < kRadios; ++i) {
        SimConfig config;
        config.bandLower = 400;
        config.model = 1;
        config.pacing = true;
        radios.push_back(std::make_unique<RadioSimulator>(config));
        QString error;
        if (!radios.back()->Start(&error)) {
            std::fprintf(stderr, "bench_clone: %s\n", qPrintable(error));
            return 1;
        }
        ports << radios.back()->DevicePath();
    }

    std::printf(
        "One data file into n radios at once against into one, radioprog-cli against\n"
        "simulated radios at 9600 baud 8N2, each its own code and job log row (median of\n"
        "%d runs)\n",
        runs);
    std::printf("%-14s %6s %12s %14s %8s\n", "", "radios", "one radio s", "n at once s", "ratio");
    bool ok = true;
    bool withinBound = true;
    const QString log = dir.filePath(QStringLiteral("job.csv"));
    for (bool verify : {false, true}) {
        QStringList extra{QStringLiteral("--no-backup")};
        if (verify) {
            extra << QStringLiteral("--verify");
        }
        const double one =
            Median(QStringList{QStringLiteral("write"), ports.first(), file} + extra, runs, ok);
        for (int count : kCounts) {
            const QStringList clone = QStringList{QStringLiteral("clone"), file} +
                                      ports.mid(0, count) + extra +
                                      QStringList{QStringLiteral("--code1"), QStringLiteral("1001"),
                                                  QStringLiteral("--log"), log};
            const double many = Median(clone, runs, ok);
            const double ratio = many / one;
            std::printf("%-14s %6d %12.3f %14.3f %8.3f\n", verify ? "write+verify" : "write", count,
                        one, many, ratio);
            if (count == kRadios && ratio > kMostRatio) {
                withinBound = false;
            }
        }
    }
    if (!withinBound) {
        std::printf("bench_clone: %d radios at once took more than %.2f times one radio\n", kRadios,
                    kMostRatio);
    }
    for (const auto& radio : radios) {
        radio->Stop();
    }
    return ok && withinBound ? 0 : 1;
}
