// Listing a folder of 20 000 saved messages into the message table, and sorting it by date;
// searching 20 000 saved messages of about 5 KB by name and by text, beside `grep -rli` on the
// same files.
#include "store/message_list_model.h"
#include "store/message_search.h"
#include "store/saved_folders.h"
#include "store/saved_message_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

namespace {

constexpr int folderSize = 20000;

// A folder of messages named as captures name them, with dates in both forms mail pages show,
// spread over twenty years in no relation to the names' order. Made once per run.
const QString &generatedFolder() {
    static const std::unique_ptr<QTemporaryDir> dir = [] {
        auto made = std::make_unique<QTemporaryDir>();
        std::mt19937 random(2004);
        static const char *const days[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
        static const char *const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                             "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
        for (int i = 0; i < folderSize; ++i) {
            const int year = 1990 + int(random() % 20);
            const int month = 1 + int(random() % 12);
            const int day = 1 + int(random() % 28);
            const QString date = i % 2 ? QStringLiteral("%1/%2/%3 %4:%5")
                                             .arg(month)
                                             .arg(day)
                                             .arg(year)
                                             .arg(i % 24)
                                             .arg(i % 60, 2, 10, QLatin1Char('0'))
                                       : QStringLiteral("%1, %2 %3 %4 10:31:00")
                                             .arg(QLatin1String(days[i % 7]))
                                             .arg(day)
                                             .arg(QLatin1String(months[month - 1]))
                                             .arg(year);
            const SavedMessage message{
                QStringLiteral("Sender %1 <sender%1@example.com>").arg(random() % 5000),
                QStringLiteral("Re: Subject number %1 about the plans").arg(i),
                date,
                QStringLiteral("pat.doe@example.net"),
                {},
                {},
                {}};
            QFile file(made->filePath(SavedMessageFile::fileName(message, MessageKind::Captured)));
            if (!file.open(QIODevice::WriteOnly))
                qFatal("cannot write the benchmark folder");
        }
        return made;
    }();
    static const QString path = dir->path();
    return path;
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

// A main directory whose folder "Inbox" holds 20 000 captured messages of about 5 KB of HTML
// each; one message in a hundred mentions a pomegranate. Made once per run.
const QString &generatedMainDir() {
    static const std::unique_ptr<QTemporaryDir> dir = [] {
        auto made = std::make_unique<QTemporaryDir>();
        const QString folder = SavedFolders::folderPath(made->path(), QStringLiteral("Inbox"));
        QDir().mkpath(folder);
        static const char *const words[] = {"meeting",  "agenda",  "budget",      "r&eacute;sum&eacute;",
                                            "Thursday", "review",  "<b>note</b>", "the",
                                            "and",      "project", "office",      "caf&eacute;",
                                            "schedule", "please",  "report",      "<i>draft</i>"};
        std::mt19937 random(1950);
        for (int i = 0; i < folderSize; ++i) {
            QString body = QStringLiteral("<div><p>");
            while (body.size() < 4800) {
                body += QLatin1String(words[random() % std::size(words)]);
                body += random() % 12 ? QStringLiteral(" ") : QStringLiteral("</p>\r\n<p>");
            }
            if (i % 100 == 7)
                body += QStringLiteral("a pome<b>granate</b> tart");
            body += QStringLiteral("</p></div>");
            const SavedMessage message{QStringLiteral("Sender %1 <sender%1@example.com>").arg(i % 5000),
                                       QStringLiteral("Subject number %1 about the plans").arg(i),
                                       QStringLiteral("12/05/2004 10:31"),
                                       QStringLiteral("pat.doe@example.net"),
                                       {},
                                       {},
                                       body};
            QFile file(folder + u'/' + SavedMessageFile::fileName(message, MessageKind::Captured));
            if (!file.open(QIODevice::WriteOnly) || file.write(SavedMessageFile::content(message)) < 0)
                qFatal("cannot write the benchmark folder");
        }
        return made;
    }();
    static const QString path = dir->path();
    return path;
}

void searchGenerated(benchmark::State &state, const QString &term, bool messageText) {
    const QString &mainDir = generatedMainDir();
    int found = 0;
    for (auto _ : state) {
        QFuture<SearchHit> search =
            MessageSearch::run(mainDir, {term, {QStringLiteral("Inbox")}, messageText},
                               LooseDate::Order::MonthFirst, std::make_shared<SearchTally>());
        search.waitForFinished();
        found = search.resultCount();
    }
    state.counters["found"] = found;
}

void BM_SearchNames(benchmark::State &state) {
    searchGenerated(state, QStringLiteral("sender42@"), false);
}
BENCHMARK(BM_SearchNames)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SearchText(benchmark::State &state) {
    searchGenerated(state, QStringLiteral("pomegranate"), true);
}
BENCHMARK(BM_SearchText)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same text search by grep, which neither drops tags nor reads character references, so
// it finds fewer: only a measure of reading the files.
void BM_GrepText(benchmark::State &state) {
    const QString folder = SavedFolders::folderPath(generatedMainDir(), QStringLiteral("Inbox"));
    int found = 0;
    for (auto _ : state) {
        QProcess grep;
        grep.start(QStringLiteral("grep"), {QStringLiteral("-rli"), QStringLiteral("pome"), folder});
        if (!grep.waitForFinished(60000))
            qFatal("grep did not finish");
        found = int(grep.readAllStandardOutput().count('\n'));
    }
    state.counters["found"] = found;
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
