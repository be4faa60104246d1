// Listing a folder of 20 000 saved messages into the message table, and sorting it by date.
#include "store/message_list_model.h"
#include "store/saved_message_file.h"

#include <QCoreApplication>
#include <QDate>
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
        for (int i = 0; i < folderSize; ++i) {
            const QDate day = QDate(1990, 1, 1).addDays(random() % 7300);
            const SavedMessage message{
                QStringLiteral("Sender %1 <sender%1@example.com>").arg(random() % 5000),
                QStringLiteral("Re: Subject number %1 about the plans").arg(i),
                day.toString(i % 2 ? QStringLiteral("M/d/yyyy 10:31")
                                   : QStringLiteral("ddd, d MMM yyyy 10:31:00")),
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
