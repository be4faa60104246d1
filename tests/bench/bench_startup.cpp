// Start-up to a usable window (`corvalis --no-splash --quit-after-start`) beside a bare QtWebEngine
// window loading the same page, in the same run: the budget is their ratio. Peak resident sizes too.
#include "base/main_dir_install.h"
#include "base/text_file.h"

#include <QElapsedTimer>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

namespace {

struct Run {
    bool ok = false;
    double ms = 0;
    double peakMb = 0;
};

// Runs `program` in this environment to its end; wait4 gives that one process's peak resident size.
Run runProcess(const QStringList &program) {
    QByteArrayList words;
    std::vector<char *> argv;
    for (const QString &word : program)
        argv.push_back(words.emplace_back(word.toLocal8Bit()).data());
    argv.push_back(nullptr);

    QElapsedTimer clock;
    clock.start();
    const pid_t pid = fork();
    if (pid == 0) {
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (pid < 0 || wait4(pid, &status, 0, &usage) != pid)
        return {};
    return {WIFEXITED(status) && WEXITSTATUS(status) == 0, double(clock.nsecsElapsed()) / 1e6,
            double(usage.ru_maxrss) / 1024};
}

double median(std::vector<Run> runs, double Run::*of) {
    std::sort(runs.begin(), runs.end(), [of](const Run &a, const Run &b) { return a.*of < b.*of; });
    return runs.empty() ? 0 : runs[runs.size() / 2].*of;
}

// Each iteration starts the bare window and then Corvalis, so that a machine's load weighs on both alike; the
// counters are the medians and their ratios (fifteen pairs keep them steady on a shared machine).
void BM_Startup(benchmark::State &state) {
    QTemporaryDir dir;
    MainDirInstall::install(QStringLiteral(CORVALIS_DATA_DIR), dir.path());
    const QString ini = dir.filePath(QStringLiteral("corvalis.ini"));
    if (!TextFile::writeAtomically(ini, "[Locations]\r\nmain dir=" + dir.path().toUtf8() + "/\r\n").ok) {
        state.SkipWithError("cannot write the settings file");
        return;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QStringList bare{QStringLiteral(BARE_WINDOW_PATH),
                           dir.filePath(QStringLiteral("html/welcome.htm"))};
    const QStringList corvalis{QStringLiteral(CORVALIS_PATH), QStringLiteral("--settings"), ini,
                               QStringLiteral("--no-splash"), QStringLiteral("--quit-after-start")};

    std::vector<Run> bareRuns, corvalisRuns;
    for (auto _ : state) {
        const Run &anchor = bareRuns.emplace_back(runProcess(bare));
        const Run &run = corvalisRuns.emplace_back(runProcess(corvalis));
        if (!anchor.ok || !run.ok) {
            state.SkipWithError(anchor.ok ? "corvalis did not start and quit cleanly"
                                          : "the bare window did not load its page");
            return;
        }
    }
    state.counters["corvalis_ms"] = median(corvalisRuns, &Run::ms);
    state.counters["bare_ms"] = median(bareRuns, &Run::ms);
    state.counters["time_ratio"] = median(corvalisRuns, &Run::ms) / median(bareRuns, &Run::ms);
    state.counters["corvalis_MB"] = median(corvalisRuns, &Run::peakMb);
    state.counters["bare_MB"] = median(bareRuns, &Run::peakMb);
    state.counters["memory_ratio"] = median(corvalisRuns, &Run::peakMb) / median(bareRuns, &Run::peakMb);
}
BENCHMARK(BM_Startup)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(15);

} // namespace

BENCHMARK_MAIN();
