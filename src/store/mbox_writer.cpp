#include "store/mbox_writer.h"

#include <QLocale>
#include <QRegularExpression>
#include <QStringList>
#include <QTimeZone>

namespace {

bool isAscii(QStringView text) {
    for (const QChar c : text) {
        if (c.unicode() >= 0x80 || c.unicode() < 0x20)
            return false;
    }
    return true;
}

// Encoded words of at most 45 bytes of text each (60 encoded, within the 75 allowed), never
// splitting a character.
QByteArray encodedWords(const QString &text) {
    QByteArrayList words;
    QByteArray chunk;
    const auto flush = [&] {
        if (!chunk.isEmpty())
            words.append("=?UTF-8?B?" + chunk.toBase64() + "?=");
        chunk.clear();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QByteArray bytes = text.sliced(i, length).toUtf8();
        if (chunk.size() + bytes.size() > 45)
            flush();
        chunk += bytes;
        i += length - 1;
    }
    flush();
    // Blank space between encoded words is not part of the text: the header folds there.
    return words.join("\n ");
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

QByteArray MboxWriter::headerValue(const QString &value) {
    QString text = value;
    text.replace(QLatin1String("\r\n"), QLatin1String(" ")).replace(u'\r', u' ').replace(u'\n', u' ');
    if (isAscii(text))
        return text.toLatin1();
    const QStringList words = text.split(u' ');
    QByteArrayList parts;
    // Neighbouring words that need encoding go into one run, their blanks inside it.
    for (qsizetype i = 0; i < words.size();) {
        if (isAscii(words[i])) {
            parts.append(words[i].toLatin1());
            ++i;
            continue;
        }
        qsizetype end = i + 1;
        while (end < words.size() && !isAscii(words[end]))
            ++end;
        parts.append(encodedWords(words.mid(i, end - i).join(u' ')));
        i = end;
    }
    return parts.join(' ');
}

QByteArray MboxWriter::body(const QString &html) {
    QString text = html;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(u'\r', u'\n');
    static const QRegularExpression entryStart(QStringLiteral("^(>*From )"),
                                               QRegularExpression::MultilineOption);
    text.replace(entryStart, QStringLiteral(">\\1"));
    if (!text.endsWith(u'\n'))
        text += u'\n';
    return text.toUtf8();
}

QByteArray MboxWriter::entry(const SavedMessage &message, const QDateTime &fallback, LooseDate::Order order) {
    const std::optional<QDateTime> date = readDate(message.date, order);
    QByteArray out =
        "From " + envelopeSender(message.from) + ' ' + fromLineDate(date.value_or(fallback)) + '\n';
    const auto header = [&out](const char *name, const QString &value) {
        if (!value.trimmed().isEmpty())
            out += QByteArray(name) + ": " + headerValue(value.trimmed()) + '\n';
    };
    header("From", message.from);
    header("To", message.to);
    header("Cc", message.cc);
    header("Subject", message.subject);
    if (date)
        out += "Date: " + date->toString(Qt::RFC2822Date).toLatin1() + '\n';
    else
        header("Date", message.date);
    out += "MIME-Version: 1.0\nContent-Type: text/html; charset=UTF-8\nContent-Transfer-Encoding: 8bit\n\n";
    out += body(message.body);
    out += '\n';
    return out;
}
