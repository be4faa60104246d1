// The mbox writer over any message: an entry is one "From " line, headers, a blank line and the body; no
// later line starts an entry or passes 998 characters; the Subject header decodes to the subject, one line.
#include "fuzz_checks.h"

#include "store/mbox_writer.h"
#include "store/mime_text.h"

void checkInput(const QByteArray &bytes) {
    const QStringList parts = QString::fromUtf8(bytes).split(QChar(1));
    const SavedMessage message{parts.value(1), parts.value(0), parts.value(3), parts.value(4),
                               parts.value(5), parts.value(6), parts.value(7)};
    const QByteArray entry = MboxWriter::entry(message, QDateTime(QDate(2004, 12, 5), QTime(10, 31)),
                                               LooseDate::Order::MonthFirst);
    FUZZ_CHECK(entry.startsWith("From ") && entry.endsWith('\n') && !entry.contains('\r'));
    const qsizetype blank = entry.indexOf("\n\n");
    FUZZ_CHECK(blank > 0);
    const QByteArrayList lines = entry.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i)
        FUZZ_CHECK(lines[i].size() <= 998 && (i == 0 || !lines[i].startsWith("From ")));

    const QString subject = message.subject.simplified();
    const qsizetype at = entry.indexOf("\nSubject: ");
    if (!subject.isEmpty() && at > 0 && at < blank && !subject.contains(u'\0')) {
        qsizetype end = at + 1;
        while ((end = entry.indexOf('\n', end + 1)) >= 0 && (entry[end + 1] == ' ' || entry[end + 1] == '\t'))
            ;
        FUZZ_CHECK(MimeText::decodedHeader(entry.mid(at + 10, end - at - 10)).simplified() == subject);
    }
}
