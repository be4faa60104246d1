// Start-up to a usable window (`corvalis --no-splash --quit-after-start`) beside a bare QtWebEngine
// window loading the same page, in the same run: the budget is their ratio. Peak resident sizes too.
#include "base/main_dir_install.h"
#include "base/text_file.h"

#include <QElapsedTimer>
#include <QProcessEnvironment>
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
    double peakKb = 0;
};

// Runs `program` to its end; wait4 gives the peak resident size of that one process.
Run runProcess(const QStringList &program, const QProcessEnvironment &env) {
    std::vector<QByteArray> storage;
    for (const QString &word : program)
        storage.push_back(word.toLocal8Bit());
    for (const QString &entry : env.toStringList())
        storage.push_back(entry.toLocal8Bit());
    std::vector<char *> argv, envp;
    for (size_t i = 0; i < storage.size(); ++i)
        (i < size_t(program.size()) ? argv : envp).push_back(storage[i].data());
    argv.push_back(nullptr);
    envp.push_back(nullptr);

    QElapsedTimer clock;
    clock.start();
    const pid_t pid = fork();
    if (pid == 0) {
        execve(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (pid < 0 || wait4(pid, &status, 0, &usage) != pid)
        return {};
    return {WIFEXITED(status) && WEXITSTATUS(status) == 0, double(clock.nsecsElapsed()) / 1e6,
            double(usage.ru_maxrss)};
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// Each iteration starts the bare window and then Corvalis, so that a machine that gets busier or
// quieter meanwhile weighs on both alike; the counters are the medians and their ratios. A single
// start varies by tens of milliseconds on a shared machine: fifteen pairs keep the median steady.
void BM_Startup(benchmark::State &state) {
    QTemporaryDir dir;
    MainDirInstall::install(QStringLiteral(CORVALIS_DATA_DIR), dir.path());
    const QString ini = dir.filePath(QStringLiteral("corvalis.ini"));
    if (!TextFile::writeAtomically(ini, "[Locations]\r\nmain dir=" + dir.path().toUtf8() + "/\r\n").ok) {
        state.SkipWithError("cannot write the settings file");
        return;
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!env.contains(QStringLiteral("QT_QPA_PLATFORM")) && !env.contains(QStringLiteral("DISPLAY")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    const QStringList bare{QStringLiteral(BARE_WINDOW_PATH),
                           dir.filePath(QStringLiteral("html/welcome.htm"))};
    const QStringList corvalis{QStringLiteral(CORVALIS_PATH), QStringLiteral("--settings"), ini,
                               QStringLiteral("--no-splash"), QStringLiteral("--quit-after-start")};

    std::vector<double> bareMs, corvalisMs, barePeak, corvalisPeak;
    for (auto _ : state) {
        const Run anchor = runProcess(bare, env);
        const Run run = runProcess(corvalis, env);
        if (!anchor.ok || !run.ok) {
            state.SkipWithError(anchor.ok ? "corvalis did not start and quit cleanly"
                                          : "the bare window did not load its page");
            return;
        }
        bareMs.push_back(anchor.ms);
        corvalisMs.push_back(run.ms);
        barePeak.push_back(anchor.peakKb / 1024);
        corvalisPeak.push_back(run.peakKb / 1024);
    }
    state.counters["corvalis_ms"] = median(corvalisMs);
    state.counters["bare_ms"] = median(bareMs);
    state.counters["time_ratio"] = median(corvalisMs) / median(bareMs);
    state.counters["corvalis_MB"] = median(corvalisPeak);
    state.counters["bare_MB"] = median(barePeak);
    state.counters["memory_ratio"] = median(corvalisPeak) / median(barePeak);
}
BENCHMARK(BM_Startup)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(15);

} // namespace

BENCHMARK_MAIN();
