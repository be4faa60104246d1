// Address book records and files over any bytes: a record never holds a line break, written
// records read back as their fields, fields exported with line breaks inside quotes come back as
// one record, and a book read, written and read again is the same.
#include "fuzz_checks.h"

#include "addressbook/book_file.h"
#include "addressbook/book_line.h"
#include "base/text_file.h"

#include <cstdint>
#include <vector>

namespace {

using BookLine::Delimiter;
using namespace Qt::StringLiterals;

bool sameBook(const BookTable &a, const BookTable &b) {
    if (a.titles() != b.titles() || a.rowCount() != b.rowCount())
        return false;
    for (int r = 0; r < a.rowCount(); ++r) {
        for (int c = 0; c < a.columnCount(); ++c) {
            if (a.cell(r, c) != b.cell(r, c))
                return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString text = TextFile::decode(bytes);

    for (const Delimiter delimiter : {Delimiter::Comma, Delimiter::Semicolon, Delimiter::Tab}) {
        for (qsizetype pos = 0; pos < text.size();) {
            const qsizetype start = pos;
            const QString tabbed = BookLine::readRecord(text, pos, delimiter);
            FUZZ_CHECK(pos > start && pos <= text.size());
            FUZZ_CHECK(!tabbed.contains(u'\r') && !tabbed.contains(u'\n'));
            FUZZ_CHECK(tabbed.size() <= pos - start);
            if (delimiter == Delimiter::Tab)
                FUZZ_CHECK(QStringView(text).sliced(start).startsWith(tabbed));
            // The fields, written and read again, are the same fields.
            const QStringList fields = tabbed.split(u'\t');
            const std::vector<QStringView> views(fields.begin(), fields.end());
            const QString written = BookLine::joinLine(views, delimiter);
            FUZZ_CHECK(BookLine::toTabbed(written, delimiter) == tabbed);
        }
    }

    // Any fields at all (here: the text cut at '|'), line breaks and tabs written as blanks.
    const QStringList fields = text.split(u'|');
    const std::vector<QStringView> views(fields.begin(), fields.end());
    for (const Delimiter delimiter : {Delimiter::Comma, Delimiter::Tab}) {
        QStringList expected;
        for (const QString &field : fields)
            expected.append(BookLine::cleanCell(field));
        FUZZ_CHECK(BookLine::toTabbed(BookLine::joinLine(views, delimiter), delimiter) ==
                   expected.join(u'\t'));
    }

    // The same fields as other programs write them, line breaks kept inside quotes: one record,
    // each line break read as one blank.
    QString exported;
    QStringList held;
    for (const QString &field : fields) {
        exported +=
            (exported.isEmpty() ? u"\""_s : u",\""_s) + QString(field).replace(u'"', u"\"\""_s) + u'"';
        held.append(BookLine::cleanCell(QString(field).replace(u"\r\n"_s, u" "_s)));
    }
    exported += u"\r\nnext"_s;
    qsizetype pos = 0;
    FUZZ_CHECK(BookLine::readRecord(exported, pos, Delimiter::Comma) == held.join(u'\t'));
    FUZZ_CHECK(BookLine::readRecord(exported, pos, Delimiter::Comma) == u"next"_s);

    for (const Delimiter delimiter : {Delimiter::Comma, Delimiter::Tab}) {
        const BookFile::ReadResult first = BookFile::parse(text, delimiter);
        if (first.error != BookFile::Error::None)
            continue;
        FUZZ_CHECK(first.table.columnCount() >= 2);
        const QString saved = TextFile::decode(TextFile::encode(BookFile::serialize(first.table, delimiter)));
        const BookFile::ReadResult second = BookFile::parse(saved, delimiter);
        FUZZ_CHECK(second.error == BookFile::Error::None);
        FUZZ_CHECK(sameBook(first.table, second.table));
        FUZZ_CHECK(BookFile::serialize(second.table, delimiter) == saved);
    }
    return 0;
}
