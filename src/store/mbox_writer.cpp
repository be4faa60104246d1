#include "store/mbox_writer.h"

#include "store/address_text.h"
#include "store/mime_text.h"

#include <QLocale>
#include <QRegularExpression>
#include <QStringList>
#include <QTimeZone>

#include <algorithm>

namespace {

bool isAscii(QStringView text) {
    for (const QChar c : text) {
        if (c.unicode() >= 0x80 || c.unicode() < 0x20)
            return false;
    }
    return true;
}

// asctime's form, in UTC: "Sun Dec  5 10:31:00 2004".
QByteArray fromLineDate(const QDateTime &moment) {
    const QDateTime utc = moment.toUTC();
    const QLocale c = QLocale::c();
    return QStringLiteral("%1 %2 %3 %4")
        .arg(c.toString(utc.date(), QStringLiteral("ddd MMM")))
        .arg(utc.date().day(), 2)
        .arg(c.toString(utc.time(), QStringLiteral("hh:mm:ss")))
        .arg(utc.date().year())
        .toLatin1();
}

// The envelope sender: the address in angle brackets, else a From that is one word.
QByteArray envelopeSender(const QString &from) {
    static const QRegularExpression angled(QStringLiteral("<([^<>\\s]+@[^<>\\s]+)>"));
    const QRegularExpressionMatch match = angled.match(from);
    if (match.hasMatch() && isAscii(match.capturedView(1)))
        return match.captured(1).toLatin1();
    const QString bare = from.trimmed();
    if (!bare.isEmpty() && isAscii(bare) && !bare.contains(u' '))
        return bare.toLatin1();
    return "MAILER-DAEMON";
}

} // namespace

std::optional<QDateTime> MboxWriter::readDate(const QString &date, LooseDate::Order order) {
    const QDateTime rfc = QDateTime::fromString(date.trimmed(), Qt::RFC2822Date);
    if (rfc.isValid())
        return rfc;
    // A weekday before a comma ("Sun, 12 Dec 2004 10:31") is no part of the date.
    std::optional<QDate> day = LooseDate::read(date, order);
    if (!day && date.contains(u','))
        day = LooseDate::read(date.sliced(date.indexOf(u',') + 1).trimmed(), order);
    if (!day)
        return std::nullopt;
    static const QRegularExpression timeOfDay(QStringLiteral(
        "(\\d{1,2}):(\\d{2})(?::(\\d{2}))?\\s*([AaPp][Mm])?(?:\\s*(?:GMT|UTC)?([+-])(\\d{2}):?(\\d{2}))?"));
    const QRegularExpressionMatch match = timeOfDay.match(date);
    QTime time(0, 0);
    QTimeZone zone = QTimeZone::systemTimeZone();
    if (match.hasMatch()) {
        int hour = match.captured(1).toInt();
        const QString half = match.captured(4).toLower();
        if (half == QLatin1String("pm") && hour < 12)
            hour += 12;
        else if (half == QLatin1String("am") && hour == 12)
            hour = 0;
        time = QTime(hour, match.captured(2).toInt(), match.captured(3).toInt());
        if (!time.isValid())
            time = QTime(0, 0);
        if (match.hasCaptured(5)) {
            const int offset = (match.captured(6).toInt() * 60 + match.captured(7).toInt()) * 60;
            zone = QTimeZone(match.captured(5) == u'-' ? -offset : offset);
        }
    }
    return QDateTime(*day, time, zone);
}

QByteArray MboxWriter::entry(const SavedMessage &message, const QDateTime &fallback, LooseDate::Order order) {
    const std::optional<QDateTime> date = readDate(message.date, order);
    QByteArray out =
        "From " + envelopeSender(message.from) + ' ' + fromLineDate(date.value_or(fallback)) + '\n';
    const auto header = [&out](const char *name, const QString &value) {
        if (!value.trimmed().isEmpty())
            out += MimeText::unstructuredHeader(name, value.trimmed());
    };
    // An address that cannot be folded within a line's 998 characters (a local part of hundreds
    // of characters) goes as text instead, encoded and folded as a subject is.
    const auto addresses = [&](const char *name, const QString &value) {
        if (const std::optional<QList<MimeText::Mailbox>> list = AddressText::mailboxes(value)) {
            const QByteArray written = MimeText::addressHeader(name, *list);
            const QByteArrayList lines = written.split('\n');
            if (std::all_of(lines.begin(), lines.end(),
                            [](const QByteArray &line) { return line.size() <= 998; })) {
                out += written;
                return;
            }
        }
        header(name, value);
    };
    addresses("From", message.from);
    addresses("To", message.to);
    addresses("Cc", message.cc);
    header("Subject", message.subject);
    if (date)
        out += "Date: " + date->toString(Qt::RFC2822Date).toLatin1() + '\n';
    else
        header("Date", message.date);
    QString body = message.body;
    body.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(u'\r', u'\n');
    out += "MIME-Version: 1.0\nContent-Type: text/html; charset=UTF-8\n"
           "Content-Transfer-Encoding: quoted-printable\n\n";
    out += MimeText::quotedPrintable(body.toUtf8());
    out += '\n';
    return out;
}
