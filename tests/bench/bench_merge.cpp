// Mail merge against webmail-sim on loopback: 1 000 emails through a real compose pane.
#include "mailmerge/merge_run.h"
#include "support/sim_process.h"
#include "webpages/web_pane.h"

#include <QApplication>
#include <QEventLoop>
#include <QFile>

#include <benchmark/benchmark.h>
#include <unistd.h>

namespace {

double residentMb() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    const QList<QByteArray> fields =
        statm.open(QIODevice::ReadOnly) ? statm.readAll().split(' ') : QList<QByteArray>();
    return fields.size() > 1 ? double(fields[1].toLongLong()) * double(sysconf(_SC_PAGESIZE)) / 1e6 : 0;
}

void BM_Merge1000(benchmark::State &state) {
    constexpr int emails = 1000;
    const MergePlan::Book book{
        {QStringLiteral("First"), QStringLiteral("Email")}, 1, emails, [](int row) {
            return QStringList{QStringLiteral("Ann%1").arg(row), QStringLiteral("p%1@example.com").arg(row)};
        }};
    std::vector<int> rows(emails);
    std::iota(rows.begin(), rows.end(), 0);
    SimProcess sim;
    WebPane pane;
    MergeRun run(pane);
    double growth = 0;
    for (auto _ : state) {
        state.PauseTiming();
        sim.reset();
        QEventLoop loaded;
        QObject::connect(&pane, &WebPane::documentCompleted, &loaded, &QEventLoop::quit);
        pane.navigate(sim.baseUrl() + QStringLiteral("/hotmail/compose"));
        loaded.exec();
        const QString form = QStringLiteral("composeform");
        pane.setFormFieldValue(form, QStringLiteral("subject"), QStringLiteral("News for <<First>>"));
        pane.setFormFieldValue(form, QStringLiteral("body"),
                               QStringLiteral("Dear <<First>>,\r\nsee you on Friday."));
        if (!run.captureTemplate())
            state.SkipWithError("no compose form");
        const double before = residentMb();
        state.ResumeTiming();
        if (run.send(book, rows, nullptr, 0) != MergeRun::Outcome::Finished)
            state.SkipWithError("the run did not finish");
        state.PauseTiming();
        growth = std::max(growth, residentMb() - before);
        if (sim.sent().size() != emails)
            state.SkipWithError("the service did not get every email");
        state.ResumeTiming();
    }
    state.counters["emails_per_second"] =
        benchmark::Counter(double(emails), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["memory_growth_mb"] = growth;
}
BENCHMARK(BM_Merge1000)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

} // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox --disable-gpu --disable-background-networking");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
}
