// Starts radioprog ten times (after one warm-up start) in a fresh working folder with
// complete settings, offscreen, and measures the time from starting the process to
// the main window being up with the channel view's child window open and painted
// (the program says "ready" then and ends), and the peak resident memory of each run.
//
//   bench_startup [--runs N | N] [path/to/radioprog]
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct Run {
    bool ok = false;
    double ms = 0;
    long maxRssKb = 0;
};

// `program` is as given on the command line; `workDir` is in the file system's encoding.
Run StartOnce(const std::string& program, const QByteArray& workDir)
{
    Run run;
    int out[2];
    if (pipe(out) != 0) {
        return run;
    }
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string entry(*e);
        if (entry.rfind("QT_QPA_PLATFORM=", 0) != 0 &&
            entry.rfind("RADIOPROG_BENCH_READY=", 0) != 0) {
            env.push_back(entry);
        }
    }
    env.push_back("QT_QPA_PLATFORM=offscreen");
    env.push_back("RADIOPROG_BENCH_READY=1");
    std::vector<char*> envp;
    for (std::string& e : env) {
        envp.push_back(e.data());
    }
    envp.push_back(nullptr);
    std::string arg0 = program;
    char* argv[] = {arg0.data(), nullptr};

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addchdir_np(&actions, workDir.constData());

    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        close(out[0]);
        std::fprintf(stderr, "cannot start %s: %s\n", program.c_str(), std::strerror(spawned));
        return run;
    }
    std::string received;
    char buffer[256];
    while (received.find("ready") == std::string::npos) {
        const ssize_t n = read(out[0], buffer, sizeof buffer);
        if (n <= 0) {
            break;
        }
        received.append(buffer, std::size_t(n));
    }
    const auto ready = std::chrono::steady_clock::now();
    close(out[0]);
    int status = 0;
    rusage usage{};
    while (wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    run.ok = received.find("ready") != std::string::npos && WIFEXITED(status) &&
             WEXITSTATUS(status) == 0;
    run.ms = std::chrono::duration<double, std::milli>(ready - start).count();
    run.maxRssKb = usage.ru_maxrss;
    return run;
}

}  // namespace

int main(int argc, char** argv)
{
    // "--runs N" as the other benches take it, or the count alone.
    int first = 1;
    if (argc > 2 && std::strcmp(argv[1], "--runs") == 0) {
        first = 2;
    }
    const int runs = argc > first ? std::max(1, std::atoi(argv[first])) : 10;
    const std::string program = argc > first + 1 ? argv[first + 1] : RADIOPROG_PROGRAM;

    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "no temporary folder\n");
        return 1;
    }
    // Complete settings: no first-run dialog. The program's other files are found
    // beside it.
    QFile settings(dir.filePath(QStringLiteral("sys.ini")));
    if (!settings.open(QIODevice::WriteOnly) ||
        settings.write("Com=COM1\r\nDefaultLanguage=1\r\nMode=1\r\n") < 0) {
        std::fprintf(stderr, "cannot write sys.ini\n");
        return 1;
    }
    settings.close();
    const QByteArray workDir = QFile::encodeName(QDir(dir.path()).absolutePath());

    StartOnce(program, workDir);  // warm-up: libraries and files into the cache
    std::vector<double> times;
    long peakKb = 0;
    for (int i = 0; i < runs; ++i) {
        const Run run = StartOnce(program, workDir);
        if (!run.ok) {
            std::fprintf(stderr, "run %d: the program did not report ready\n", i + 1);
            return 1;
        }
        times.push_back(run.ms);
        peakKb = std::max(peakKb, run.maxRssKb);
    }
    std::vector<double> sorted = times;
    std::sort(sorted.begin(), sorted.end());
    const double median = sorted.size() % 2
                              ? sorted[sorted.size() / 2]
                              : (sorted[sorted.size() / 2 - 1] + sorted[sorted.size() / 2]) / 2;
    std::printf("start-up to the channel view (offscreen), %d runs:\n", runs);
    std::printf("  median %.1f ms, fastest %.1f ms, slowest %.1f ms (target: under 400 ms)\n",
                median, sorted.front(), sorted.back());
    std::printf("  peak memory %.1f MB (largest ru_maxrss of the runs; target: under 100 MB)\n",
                double(peakKb) / 1024.0);
    return median < 400.0 && peakKb < 100 * 1024 ? 0 : 2;
}
