// Built into every test program of the sanitizer build.
//
// LeakSanitizer looks for leaks when a program exits: its tracer stops every thread
// and scans its stack and thread-local memory. Qt ends the threads of its thread pools
// (the painting pool of Qt GUI among them) while the application object is taken down,
// and those threads are detached: one may still be on its way out, freeing that memory,
// when the check runs, and the tracer then crashes on it ("Tracer caught signal 11",
// "LeakSanitizer has encountered a fatal error") after every test case has passed.
// Whether it does depends on timing, so it came and went with the machine and the
// environment. The object below is destroyed at exit, before the check (which the
// sanitizer's runtime registered first, so it runs last), and waits until the
// program's own thread is the only one left, for at most two seconds.
#include <dirent.h>

#include <chrono>
#include <thread>

namespace {

int ThreadCount()
{
    DIR* tasks = opendir("/proc/self/task");
    if (!tasks) {
        return 1;
    }
    int count = 0;
    while (const dirent* entry = readdir(tasks)) {
        count += entry->d_name[0] != '.';
    }
    closedir(tasks);
    return count;
}

struct WaitForThreadsAtExit {
    ~WaitForThreadsAtExit()
    {
        using namespace std::chrono;
        const auto deadline = steady_clock::now() + seconds(2);
        while (ThreadCount() > 1 && steady_clock::now() < deadline) {
            std::this_thread::sleep_for(milliseconds(5));
        }
    }
};

const WaitForThreadsAtExit waitForThreadsAtExit;

}  // namespace
