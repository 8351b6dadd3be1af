// Start-up of the desktop program against plain Qt Widgets programs: time
// from process start until the main window is shown (all quit right then),
// and the peak resident memory of each. The fair yardstick is a program that
// builds the same window skeleton (menus, tool bar, tree, child-window area,
// a 12-row table): goal at most 1.2. The minimal program (one line of text,
// goal at most 1.5) and a bare window are printed for reference.

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <spawn.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

extern char** environ;

namespace {

constexpr int kRuns = 11;

struct Run {
    double ms = 0;
    double cpuMs = 0; // user + system time of the child, all its threads
    long maxRssKiB = 0;
    bool ok = false;
};

Run Measure(const std::string& program, const std::vector<std::string>& args)
{
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const auto& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    const auto start = std::chrono::steady_clock::now();
    // The programs' own chatter (Qt warnings) would bury the results.
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&quiet, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program.c_str(), &quiet, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&quiet);
    if (spawned != 0)
        return {};
    int status = 0;
    rusage usage{};
    // wait4 gives this child's own peak, not the maximum over all children.
    if (wait4(pid, &status, 0, &usage) != pid)
        return {};
    const auto end = std::chrono::steady_clock::now();
    Run run;
    run.ms = std::chrono::duration<double, std::milli>(end - start).count();
    run.maxRssKiB = usage.ru_maxrss;
    auto millis = [](const timeval& t) { return static_cast<double>(t.tv_sec) * 1000 + static_cast<double>(t.tv_usec) / 1000; };
    run.cpuMs = millis(usage.ru_utime) + millis(usage.ru_stime);
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

std::string Dir(const char* env, const char* fallback)
{
    const char* value = std::getenv(env);
    return value && *value ? value : fallback;
}

} // namespace

int main()
{
    // Both run headless unless the caller chose a platform.
    setenv("QT_QPA_PLATFORM", Dir("QT_QPA_PLATFORM", "offscreen").c_str(), 1);
    const std::string zavprog = Dir("ZAV_PROGRAM_DIR", ZAV_DEFAULT_PROGRAM_DIR) + "/zavprog";
    const std::string minimal = ZAV_MINIMAL_PROGRAM;
    const std::string skeleton = ZAV_SKELETON_PROGRAM;

    // One run each to warm the file cache, then alternate.
    Measure(zavprog, {"--quit-when-shown"});
    Measure(minimal, {});
    Measure(minimal, {"--bare"});
    Measure(skeleton, {});
    std::vector<double> zTimes, mTimes, bTimes, sTimes, zMem, mMem, bMem, sMem, zCpu, sCpu;
    for (int i = 0; i < kRuns; ++i) {
        const Run z = Measure(zavprog, {"--quit-when-shown"});
        const Run m = Measure(minimal, {});
        const Run b = Measure(minimal, {"--bare"});
        const Run s = Measure(skeleton, {});
        if (!z.ok || !m.ok || !b.ok || !s.ok) {
            std::fprintf(stderr, "bench_startup: a program failed to start (%s)\n",
                         !z.ok ? zavprog.c_str() : !s.ok ? skeleton.c_str() : minimal.c_str());
            return 1;
        }
        zTimes.push_back(z.ms);
        mTimes.push_back(m.ms);
        bTimes.push_back(b.ms);
        sTimes.push_back(s.ms);
        zCpu.push_back(z.cpuMs);
        sCpu.push_back(s.cpuMs);
        zMem.push_back(static_cast<double>(z.maxRssKiB));
        mMem.push_back(static_cast<double>(m.maxRssKiB));
        bMem.push_back(static_cast<double>(b.maxRssKiB));
        sMem.push_back(static_cast<double>(s.maxRssKiB));
    }
    const double zt = Median(zTimes), mt = Median(mTimes), bt = Median(bTimes);
    const double zm = Median(zMem), mm = Median(mMem), bm = Median(bMem);
    const double st = Median(sTimes), sm = Median(sMem);
    std::printf("platform: %s\n", std::getenv("QT_QPA_PLATFORM"));
    std::printf("start-up until the main window shows (median of %d): zavprog %.1f ms, "
                "plain Qt program with the same window skeleton %.1f ms\n",
                kRuns, zt, st);
    std::printf("start-up time ratio against the same skeleton: %.2f (goal <= 1.2)\n", zt / st);
    // Processor time hardly depends on what else the machine is running,
    // where the wall-clock ratio does.
    std::printf("processor time until shown: zavprog %.1f ms, same skeleton %.1f ms, ratio %.2f\n", Median(zCpu),
                Median(sCpu), Median(zCpu) / Median(sCpu));
    std::printf("peak memory: zavprog %.1f MiB, same skeleton %.1f MiB, ratio %.2f\n", zm / 1024, sm / 1024,
                zm / sm);
    std::printf("start-up until the main window shows (median of %d): zavprog %.1f ms, "
                "minimal Qt program (one line of text) %.1f ms, bare window %.1f ms\n",
                kRuns, zt, mt, bt);
    std::printf("start-up time ratio: %.2f (goal <= 1.5); against the bare window %.2f\n", zt / mt, zt / bt);
    std::printf("peak memory: zavprog %.1f MiB, minimal Qt program %.1f MiB, bare window %.1f MiB\n", zm / 1024,
                mm / 1024, bm / 1024);
    std::printf("peak memory ratio: %.2f (goal <= 1.5); against the bare window %.2f\n", zm / mm, zm / bm);
    return 0;
}
