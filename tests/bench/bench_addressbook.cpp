// A 100 000-contact, 8-column address book (about 15 MB): opening it into the grid's model,
// saving it and sorting it by one column. The model's memory is reported against the file's size.
#include "addressbook/book_file.h"
#include "addressbook/book_model.h"
#include "base/text_file.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <random>

namespace {

constexpr int contacts = 100000;

QString makeBook() {
    std::mt19937 random(12345);
    const auto word = [&random](int minLength, int maxLength) {
        QString text(minLength + int(random() % unsigned(maxLength - minLength + 1)), Qt::Uninitialized);
        for (QChar &c : text)
            c = QChar(u'a' + int(random() % 26u));
        return text;
    };
    QString text = QStringLiteral(
        "\"First\",\"Last\",\"Email\",\"Phone\",\"Street\",\"City\",\"Company\",\"Notes\",\"\"\r\n");
    for (int i = 0; i < contacts; ++i) {
        const QString first = word(3, 10), last = word(4, 12);
        text += QStringLiteral("\"%1\",\"%2\",\"%1.%2@example.com\",\"+1 555 %3\",\"%4 %5 "
                               "Street\",\"%6\",\"%7, Inc.\",\"%8\",\"\"\r\n")
                    .arg(first, last, QString::number(i).rightJustified(7, u'0'), QString::number(i % 997),
                         word(5, 14), word(4, 12), word(5, 16), word(0, 30));
    }
    return text;
}

struct Fixture {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("big.csv"));
    qint64 fileBytes = TextFile::writeAtomically(path, makeBook().toUtf8()).ok ? QFileInfo(path).size() : 0;
};

const Fixture &fixture() {
    static const Fixture f;
    return f;
}

void BM_OpenBook(benchmark::State &state) {
    const Fixture &f = fixture();
    size_t modelBytes = 0;
    const auto heapInUse = [] { return mallinfo2().uordblks; };
    for (auto _ : state) {
        BookModel model;
        const size_t before = heapInUse();
        BookFile::OpenedBook book = BookFile::open(f.path);
        model.setTable(std::move(book.table));
        modelBytes = heapInUse() - before;
        benchmark::DoNotOptimize(model.rowCount());
    }
    state.counters["file_MB"] = double(f.fileBytes) / 1e6;
    state.counters["model_MB"] = double(modelBytes) / 1e6;
    state.counters["model_per_file"] = double(modelBytes) / double(f.fileBytes);
}
BENCHMARK(BM_OpenBook)->Unit(benchmark::kMillisecond);

void BM_SaveBook(benchmark::State &state) {
    const Fixture &f = fixture();
    const BookFile::OpenedBook book = BookFile::open(f.path);
    const QString out = f.dir.filePath(QStringLiteral("saved.csv"));
    for (auto _ : state) {
        if (!BookFile::write(out, book.table, BookLine::Delimiter::Comma).ok)
            state.SkipWithError("save failed");
    }
}
BENCHMARK(BM_SaveBook)->Unit(benchmark::kMillisecond);

void BM_SortBook(benchmark::State &state) {
    BookModel model;
    model.setTable(BookFile::open(fixture().path).table);
    for (auto _ : state)
        model.sortPress(1); // each press sorts again, turning the order round
}
BENCHMARK(BM_SortBook)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
