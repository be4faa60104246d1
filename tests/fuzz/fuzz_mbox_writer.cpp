// The mbox writer over any message: header values are ASCII on lines of their own and decode back
// to the value; the body never holds a line that starts an entry, and taking one ">" off the
// quoted lines gives the body back; an entry is one "From " line, headers, a blank line, the body.
#include "fuzz_checks.h"

#include "store/mbox_writer.h"

#include <QRegularExpression>

#include <cstdint>

namespace {

// RFC 2047 encoded words back to text; the fold between two of them is no part of it.
QByteArray decodedHeader(QByteArray header) {
    header.replace("?=\n =?", "?==?");
    static const QRegularExpression word(QStringLiteral("=\\?UTF-8\\?B\\?([A-Za-z0-9+/=]*)\\?="));
    QByteArray text;
    qsizetype from = 0;
    for (const QRegularExpressionMatch &m : word.globalMatch(QString::fromLatin1(header))) {
        text += header.mid(from, m.capturedStart() - from) + QByteArray::fromBase64(m.captured(1).toLatin1());
        from = m.capturedEnd();
    }
    return text + header.mid(from);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const QStringList parts = text.split(QChar(1));
    const QString value = parts[0];

    const QByteArray header = MboxWriter::headerValue(value);
    FUZZ_CHECK(!header.contains('\r') && !QByteArray(header).replace("\n ", "").contains('\n'));
    for (const char c : header)
        FUZZ_CHECK(c >= 0 && (c >= 0x20 || c == '\n'));
    if (!value.contains(QLatin1String("=?"))) {
        QString oneLine = value;
        oneLine.replace(QLatin1String("\r\n"), QLatin1String(" ")).replace(u'\r', u' ').replace(u'\n', u' ');
        FUZZ_CHECK(decodedHeader(header) == oneLine.toUtf8());
    }

    const QByteArray body = MboxWriter::body(value);
    static const QRegularExpression quoted(QStringLiteral("^>(>*From )"),
                                           QRegularExpression::MultilineOption);
    QString lines = value;
    lines.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(u'\r', u'\n');
    FUZZ_CHECK(!body.startsWith("From ") && !body.contains("\nFrom "));
    FUZZ_CHECK(QString::fromUtf8(body).replace(quoted, QStringLiteral("\\1")) ==
               (lines.endsWith(u'\n') ? lines : lines + u'\n'));

    const SavedMessage message{parts.value(1), parts.value(2), parts.value(3), parts.value(4),
                               parts.value(5), parts.value(6), value};
    const QByteArray entry = MboxWriter::entry(message, QDateTime(QDate(2004, 12, 5), QTime(10, 31)),
                                               LooseDate::Order::MonthFirst);
    FUZZ_CHECK(entry.startsWith("From ") && entry.indexOf('\n') > 5);
    const qsizetype blank = entry.indexOf("\n\n");
    FUZZ_CHECK(blank > 0 && entry.mid(blank + 2) == body + '\n');
    return 0;
}
