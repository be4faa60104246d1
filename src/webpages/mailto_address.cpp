#include "webpages/mailto_address.h"

#include <QByteArray>
#include <QStringDecoder>

#include <cctype>

namespace {

const QString scheme = QStringLiteral("mailto:");

void addAddresses(QString &list, const QString &addresses) {
    if (addresses.trimmed().isEmpty())
        return;
    if (!list.isEmpty())
        list += QStringLiteral(", ");
    list += addresses.trimmed();
}

QString withLineFeeds(QString text) {
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
}

} // namespace

QString MailtoAddress::decode(QStringView raw) {
    if (!raw.contains(u'%'))
        return raw.toString();
    const QByteArray bytes = raw.toUtf8();
    // A "%" must lead two hexadecimal digits; otherwise the text is no encoding at all.
    for (qsizetype at = bytes.indexOf('%'); at >= 0; at = bytes.indexOf('%', at + 1)) {
        if (at + 2 >= bytes.size() || !std::isxdigit(uchar(bytes[at + 1])) ||
            !std::isxdigit(uchar(bytes[at + 2])))
            return raw.toString();
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = utf8(QByteArray::fromPercentEncoding(bytes));
    return utf8.hasError() ? raw.toString() : decoded;
}

MailtoAddress::Parsed MailtoAddress::parse(const QString &text) {
    const qsizetype question = text.indexOf(u'?');
    Parsed parsed;
    addAddresses(parsed.to, decode(QStringView(text).first(question < 0 ? text.size() : question)));
    if (question < 0)
        return parsed;
    bool haveSubject = false;
    bool haveBody = false;
    // A "?" after the first belongs to a value ("body=Why?"), and so stays text.
    for (const QStringView field : QStringView(text).sliced(question + 1).tokenize(u'&')) {
        const qsizetype equals = field.indexOf(u'=');
        if (equals < 0)
            continue;
        const QString name = decode(field.first(equals)).toLower();
        const QString value = decode(field.sliced(equals + 1));
        if (name == QLatin1String("to")) {
            addAddresses(parsed.to, value);
        } else if (name == QLatin1String("cc")) {
            addAddresses(parsed.cc, value);
        } else if (name == QLatin1String("bcc")) {
            addAddresses(parsed.bcc, value);
        } else if (name == QLatin1String("subject") && !haveSubject) {
            parsed.subject = value;
            haveSubject = true;
        } else if (name == QLatin1String("body") && !haveBody) {
            parsed.body = withLineFeeds(value);
            haveBody = true;
        }
    }
    return parsed;
}

QString MailtoAddress::richText(const QString &body) {
    // The link's text is shown as text: markup in it is not the page's to run.
    return body.toHtmlEscaped().replace(u'\n', QStringLiteral("<br>"));
}

QString MailtoAddress::handOverText(const QString &url) {
    const QString text = url.trimmed();
    return text.startsWith(scheme, Qt::CaseInsensitive) ? text.sliced(scheme.size()) : text;
}
