// Listing a folder of 20 000 saved messages into the message table, and sorting it by date; searching
// them, about 5 KB each, by name and by text, beside `grep -rli` on the same files.
#include "store/message_list_model.h"
#include "store/message_search.h"
#include "store/saved_folders.h"
#include "store/saved_message_file.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

#include <sys/resource.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int folderSize = 20000;

// A main directory's "Inbox", made once per run: messages named as captures name them, 5 KB of HTML each,
// dated in both forms mail pages show, over twenty years out of name order; 1 in 100 has pome<b>granate</b>.
const QString &generatedFolder() {
    static const QTemporaryDir dir;
    static const QString inbox = [] {
        const QString path = SavedFolders::folderPath(dir.path(), QStringLiteral("Inbox"));
        static const char *const words[] = {
            "meeting", "r&eacute;sum&eacute;", "<b>note</b>",  "the",
            "project", "caf&eacute;",          "<i>draft</i>", "Thursday</p>\r\n<p>"};
        QDir().mkpath(path);
        std::mt19937 random(2004);
        for (int i = 0; i < folderSize; ++i) {
            const QDate day = QDate(1990, 1, 1).addDays(random() % 7300);
            QString body = QStringLiteral("<div><p>");
            while (body.size() < 5000)
                body += QLatin1String(words[random() % std::size(words)]) + u' ';
            if (i % 100 == 7)
                body += QStringLiteral("a pome<b>granate</b>");
            const SavedMessage message{
                u"Sender %1 <sender%1@example.com>"_s.arg(random() % 5000),
                u"Re: Subject number %1 about the plans"_s.arg(i),
                day.toString(i % 2 ? u"M/d/yyyy 10:31"_s : u"ddd, d MMM yyyy 10:31:00"_s),
                u"pat.doe@example.net"_s,
                {},
                {},
                body};
            QFile file(path + u'/' + SavedMessageFile::fileName(message, MessageKind::Captured));
            if (!file.open(QIODevice::WriteOnly) || file.write(SavedMessageFile::content(message)) < 0)
                qFatal("cannot write the benchmark folder");
        }
        return path;
    }();
    return inbox;
}

void BM_ListFolder(benchmark::State &state) {
    const QString &folder = generatedFolder();
    int rows = 0;
    for (auto _ : state) {
        MessageListModel model;
        model.list(folder, MessageListModel::Layout::Received, LooseDate::Order::MonthFirst);
        rows = model.rowCount();
    }
    state.counters["rows"] = rows;
}
BENCHMARK(BM_ListFolder)->Unit(benchmark::kMillisecond);

void BM_SortByDate(benchmark::State &state) {
    const QString &folder = generatedFolder();
    for (auto _ : state) {
        state.PauseTiming();
        MessageListModel model;
        model.list(folder, MessageListModel::Layout::Received, LooseDate::Order::MonthFirst);
        state.ResumeTiming();
        model.columnClicked(MessageListModel::DateColumn);
        benchmark::DoNotOptimize(model.message(0));
    }
}
BENCHMARK(BM_SortByDate)->Unit(benchmark::kMillisecond);

// Processor time (user and system) of this process's threads, or of the children it waited for; it
// tells the two apart where a busy machine blurs their wall-clock times.
double processorMs(int who) {
    rusage usage{};
    getrusage(who, &usage);
    const auto ms = [](const timeval &t) { return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

void search(benchmark::State &state, const QString &term, bool messageText) {
    const QString mainDir = QDir(generatedFolder() + QStringLiteral("/../..")).absolutePath();
    const double processorAtStart = processorMs(RUSAGE_SELF);
    for (auto _ : state) {
        state.counters["found"] =
            MessageSearch::run(mainDir, {term, {QStringLiteral("Inbox")}, messageText},
                               LooseDate::Order::MonthFirst, std::make_shared<SearchTally>())
                .results()
                .size();
    }
    state.counters["processor_ms"] =
        benchmark::Counter(processorMs(RUSAGE_SELF) - processorAtStart, benchmark::Counter::kAvgIterations);
}

void BM_SearchNames(benchmark::State &state) {
    search(state, QStringLiteral("sender42@"), false);
}
BENCHMARK(BM_SearchNames)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SearchText(benchmark::State &state) {
    search(state, QStringLiteral("pomegranate"), true);
}
BENCHMARK(BM_SearchText)->Unit(benchmark::kMillisecond)->UseRealTime();

// grep reads the same files, but neither drops tags nor reads references: it looks for "pome".
void BM_GrepText(benchmark::State &state) {
    const QString &folder = generatedFolder();
    const double processorAtStart = processorMs(RUSAGE_CHILDREN);
    for (auto _ : state) {
        QProcess grep;
        grep.start(QStringLiteral("grep"), {QStringLiteral("-rli"), QStringLiteral("pome"), folder});
        grep.waitForFinished(60000);
        state.counters["found"] = double(grep.readAllStandardOutput().count('\n'));
    }
    state.counters["processor_ms"] = benchmark::Counter(processorMs(RUSAGE_CHILDREN) - processorAtStart,
                                                        benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_GrepText)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
