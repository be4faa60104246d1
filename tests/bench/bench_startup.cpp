// Start-up to a usable window: the whole `corvalis --no-splash --quit-after-start` process,
// which shows the window, waits until the welcome page has loaded, runs the normal shutdown
// and exits.
#include "base/main_dir_install.h"
#include "base/text_file.h"

#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <unistd.h>

namespace {

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
    for (auto _ : state) {
        QProcess corvalis;
        corvalis.setProcessEnvironment(env);
        corvalis.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        corvalis.start(QStringLiteral(CORVALIS_PATH),
                       {QStringLiteral("--settings"), ini, QStringLiteral("--no-splash"),
                        QStringLiteral("--quit-after-start")});
        if (!corvalis.waitForFinished(30000) || corvalis.exitCode() != 0) {
            state.SkipWithError("corvalis did not start and quit cleanly");
            return;
        }
    }
}
BENCHMARK(BM_Startup)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

} // namespace

BENCHMARK_MAIN();
