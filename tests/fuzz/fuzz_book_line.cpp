// Address books over any bytes: no record holds a line break, written records read back as their fields,
// fields exported with quoted line breaks return as one record; a book read, written, read again is the same.
#include "fuzz_checks.h"

#include "addressbook/book_file.h"
#include "addressbook/book_line.h"
#include "base/text_file.h"

#include <vector>

namespace {

using BookLine::Delimiter;
using namespace Qt::StringLiterals;

bool sameBook(const BookTable &a, const BookTable &b) {
    bool same = a.titles() == b.titles() && a.rowCount() == b.rowCount();
    for (int r = 0; same && r < a.rowCount(); ++r) {
        for (int c = 0; same && c < a.columnCount(); ++c)
            same = a.cell(r, c) == b.cell(r, c);
    }
    return same;
}

} // namespace

void checkInput(const QByteArray &bytes) {
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
            FUZZ_CHECK(BookLine::toTabbed(BookLine::joinLine(views, delimiter), delimiter) == tabbed);
        }
    }

    // Any fields (the text cut at '|'): written, line breaks and tabs become blanks; exported as other
    // programs write them, line breaks in quotes, they read back as one record, each line break one blank.
    const QStringList fields = text.split(u'|');
    const std::vector<QStringView> views(fields.begin(), fields.end());
    QString exported;
    QStringList cleaned, held;
    for (const QString &field : fields) {
        exported +=
            (exported.isEmpty() ? u"\""_s : u",\""_s) + QString(field).replace(u'"', u"\"\""_s) + u'"';
        cleaned.append(BookLine::cleanCell(field));
        held.append(BookLine::cleanCell(QString(field).replace(u"\r\n"_s, u" "_s)));
    }
    for (const Delimiter delimiter : {Delimiter::Comma, Delimiter::Tab})
        FUZZ_CHECK(BookLine::toTabbed(BookLine::joinLine(views, delimiter), delimiter) ==
                   cleaned.join(u'\t'));
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
}
