// Listing a folder of 20 000 saved messages into the message table, and sorting it by date.
#include "store/message_list_model.h"
#include "store/saved_message_file.h"

#include <QCoreApplication>
#include <QFile>
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

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
