// Start of a benchmark program showing web views: offscreen unless a display is asked for, without Chromium's
// sandbox (it refuses root), in an empty home so no leftover web profile takes part; and shared helpers.
#pragma once

#include <QApplication>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <functional>

#include <unistd.h>

// Whether `ok`; when not, the benchmark is refused with `failure` (its figures would measure nothing).
inline bool ensure(benchmark::State &state, bool ok, const char *failure) {
    if (!ok)
        state.SkipWithError(failure);
    return ok;
}

// Runs `start`, waits up to a minute for `object`'s `finished(bool)` (a load's end); its value, else false.
template<typename Object, typename Signal>
bool finishes(Object &object, Signal finished, const std::function<void()> &start) {
    QEventLoop loop;
    bool ok = false;
    QObject::connect(&object, finished, &loop, [&](bool success) {
        ok = success;
        loop.quit();
    });
    start();
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    loop.exec();
    return ok;
}

// `end` runs before the application goes: web views must not outlive it, nor its web profile.
inline int runWebBenchmarks(int argc, char **argv, const std::function<void()> &end = {}) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox --disable-gpu --disable-background-networking");
    const QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qunsetenv("XDG_CONFIG_HOME");
    qunsetenv("XDG_DATA_HOME");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (end)
        end();
    return 0;
}
