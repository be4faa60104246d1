// A 100 000-contact, 8-column address book (about 15 MB): opening it into the grid's model,
// saving it and sorting it by one column. The model's memory is reported against the file's size.
#include "addressbook/book_file.h"
#include "addressbook/book_model.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <malloc.h>

namespace {

constexpr int contacts = 100000;

// Deterministic text of varying length.
class Words {
public:
    QString next(int minLength, int maxLength) {
        const int length = minLength + int(step() % unsigned(maxLength - minLength + 1));
        QString word(length, Qt::Uninitialized);
        for (QChar &c : word)
            c = QChar(u'a' + int(step() % 26u));
        if (!word.isEmpty())
            word[0] = word[0].toUpper();
        return word;
    }

private:
    unsigned step() { return m_state = m_state * 1664525u + 1013904223u, m_state >> 8; }
    unsigned m_state = 12345;
};

QString makeBook() {
    Words words;
    QString text = QStringLiteral(
        "\"First\",\"Last\",\"Email\",\"Phone\",\"Street\",\"City\",\"Company\",\"Notes\",\"\"\r\n");
    for (int i = 0; i < contacts; ++i) {
        const QString first = words.next(3, 10);
        const QString last = words.next(4, 12);
        const QStringList fields{first,
                                 last,
                                 first.toLower() + u'.' + last.toLower() + QStringLiteral("@example.com"),
                                 QStringLiteral("+1 555 %1").arg(i, 7, 10, QLatin1Char('0')),
                                 QString::number(i % 997) + u' ' + words.next(5, 14) +
                                     QStringLiteral(" Street"),
                                 words.next(4, 12),
                                 words.next(5, 16) + QStringLiteral(", Inc."),
                                 words.next(0, 30),
                                 QString()};
        text += u'"' + fields.join(QStringLiteral("\",\"")) + QStringLiteral("\"\r\n");
    }
    return text;
}

struct Fixture {
    Fixture() {
        path = dir.filePath(QStringLiteral("big.csv"));
        const QByteArray bytes = makeBook().toUtf8();
        fileBytes = bytes.size();
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }
    QTemporaryDir dir;
    QString path;
    qint64 fileBytes = 0;
};

Fixture &fixture() {
    static Fixture f;
    return f;
}

size_t heapInUse() {
    return mallinfo2().uordblks;
}

void BM_OpenBook(benchmark::State &state) {
    const Fixture &f = fixture();
    size_t modelBytes = 0;
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
