// Mail merge against webmail-sim on loopback: 1 000 emails through a real compose pane.
#include "mailmerge/merge_run.h"
#include "support/sim_process.h"
#include "webpages/web_pane.h"

#include <QEventLoop>
#include <QFile>

#include "web_bench_main.h"
#include <benchmark/benchmark.h>
#include <unistd.h>

namespace {

double residentMb() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    statm.open(QIODevice::ReadOnly);
    return double(statm.readAll().split(' ').value(1).toLongLong()) * double(sysconf(_SC_PAGESIZE)) / 1e6;
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
    QEventLoop loaded;
    QObject::connect(&pane, &WebPane::documentCompleted, &loaded, &QEventLoop::quit);
    pane.navigate(sim.baseUrl() + QStringLiteral("/hotmail/compose"));
    loaded.exec();
    pane.setFormFieldValue(QStringLiteral("composeform"), QStringLiteral("subject"),
                           QStringLiteral("Hi <<First>>"));
    if (!run.captureTemplate())
        state.SkipWithError("no compose form");
    const double before = residentMb();
    for (auto _ : state) {
        if (run.send(book, rows, nullptr, 0) != MergeRun::Outcome::Finished || sim.sent().size() != emails)
            state.SkipWithError("the service did not get every email");
    }
    state.counters["emails_per_second"] = benchmark::Counter(double(emails), benchmark::Counter::kIsRate);
    state.counters["memory_growth_mb"] = residentMb() - before;
}
BENCHMARK(BM_Merge1000)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

} // namespace

int main(int argc, char **argv) {
    return runWebBenchmarks(argc, argv);
}
