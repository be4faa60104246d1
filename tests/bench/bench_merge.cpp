// Mail merge through a real compose pane: 1 000 emails against webmail-sim on loopback, and 100
// through a private Roundcube (two of them to addresses its server refuses).
#include "mailmerge/merge_run.h"
#include "support/roundcube_compose.h"
#include "support/roundcube_stack.h"
#include "support/sim_process.h"
#include "webpages/services/web_service.h"
#include "webpages/web_pane.h"

#include <QFile>

#include "web_bench_main.h"
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <numeric>

using namespace Qt::StringLiterals;

namespace {

double residentMb() {
    QFile statm(u"/proc/self/statm"_s);
    statm.open(QIODevice::ReadOnly);
    return double(statm.readAll().split(' ').value(1).toLongLong()) * double(sysconf(_SC_PAGESIZE)) / 1e6;
}

// Sends "Hi <<First>>" to `emails` rows, each addressed by `address`, through the compose page in `run`'s
// pane; `taken` tells the service took what it should. The resident memory's growth in MB.
double timeMerge(benchmark::State &state, MergeRun &run, int emails,
                 const std::function<QString(int)> &address, const std::function<bool()> &taken) {
    const MergePlan::Book book{{u"First"_s, u"Email"_s}, 1, emails, [&](int row) {
                                   return QStringList{u"Ann%1"_s.arg(row), address(row)};
                               }};
    std::vector<int> rows(emails);
    std::iota(rows.begin(), rows.end(), 0);
    ensure(state, run.captureTemplate().has_value(), "no compose form");
    const double before = residentMb();
    for (auto _ : state) {
        ensure(state, run.send(book, rows, nullptr, 0) == MergeRun::Outcome::Finished && taken(),
               "the service did not take every email");
    }
    state.counters["emails_per_second"] = benchmark::Counter(double(emails), benchmark::Counter::kIsRate);
    return residentMb() - before;
}

void BM_Merge1000(benchmark::State &state) {
    constexpr int emails = 1000;
    SimProcess sim;
    WebPane pane;
    MergeRun run(pane);
    finishes(pane, &WebPane::documentCompleted,
             [&] { pane.navigate(sim.baseUrl() + u"/hotmail/compose"_s); });
    pane.setFormFieldValue(u"composeform"_s, u"subject"_s, u"Hi <<First>>"_s);
    state.counters["memory_growth_mb"] = timeMerge(
        state, run, emails, [](int row) { return u"p%1@example.com"_s.arg(row); },
        [&] { return sim.sent().size() == emails; });
}
BENCHMARK(BM_Merge1000)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

void BM_RoundcubeMerge100(benchmark::State &state) {
    constexpr int emails = RoundcubeStack::mergeRecipients;
    RoundcubeStack stack(RoundcubeStack::mergeArguments());
    WebPane pane;
    MergeRun run(pane);
    run.setRecordedService([] { return WebServices::roundcube; });
    int refused = 0;
    QObject::connect(&run, &MergeRun::emailRefused, &pane, [&refused] { ++refused; });
    const bool signedIn = stack.started() && RoundcubeCompose::signIn(
                                                 pane, stack.url(), stack.login(RoundcubeStack::User::Alice),
                                                 stack.password(RoundcubeStack::User::Alice));
    if (!ensure(state, signedIn, "no Roundcube"))
        return;
    RoundcubeCompose::write(pane, {}, u"Hi <<First>>"_s, u"Dear <<First>>"_s);
    const double growth = timeMerge(
        state, run, emails, [](int row) { return RoundcubeStack::recipient(row + 1); },
        [&] { return run.sentCount() == emails - 2 && refused == 2; });
    state.counters["memory_growth_mb_per_100"] = growth * 100 / emails;
}
BENCHMARK(BM_RoundcubeMerge100)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

} // namespace

int main(int argc, char **argv) {
    return runWebBenchmarks(argc, argv);
}
