// Address book lines and files over any bytes: splitting never breaks a field across lines,
// written lines read back as their fields, and a book read, written and read again is the same.
#include "fuzz_checks.h"

#include "addressbook/book_file.h"
#include "addressbook/book_line.h"
#include "shell/text_file.h"

#include <cstdint>
#include <vector>

namespace {

using BookLine::Delimiter;

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
        for (const QString &line : TextFile::splitLines(text)) {
            const QString tabbed = BookLine::toTabbed(line, delimiter);
            FUZZ_CHECK(!tabbed.contains(u'\r') && !tabbed.contains(u'\n'));
            FUZZ_CHECK(tabbed.size() <= line.size());
            if (delimiter == Delimiter::Tab)
                FUZZ_CHECK(tabbed == line);
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
