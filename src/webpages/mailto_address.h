#pragma once

#include <QString>
#include <QStringView>

// The text a mailto link hands in: the link without its "mailto:" scheme, as in
// "ann@example.com?subject=Hi%20there&body=Hello". Links are written as the web writes them:
// addresses, then "?" and "name=value" fields joined by "&", every part percent-encoded UTF-8.
namespace MailtoAddress {

struct Parsed {
    QString to;
    QString subject;
    QString body; // line breaks as line feeds, as a text area holds them
    QString cc;
    QString bcc;
};

// The addresses before the first "?" and those of every "to" field make To; "cc" and "bcc"
// fields are gathered alike, several joined by ", ". The first "subject" and "body" fields
// count. Field names match in any letter case; other fields are ignored.
Parsed parse(const QString &text);

// Percent-decoding read as UTF-8. A "+" stays a "+"; text that is not valid percent-encoded
// UTF-8 (a lone "%", "%zz", bytes that make no UTF-8) is taken as written.
QString decode(QStringView raw);

// The body for a rich-text area: the text escaped, each line feed a "<br>".
QString richText(const QString &body);

// What the launcher hands over for a clicked link: the link without its scheme.
QString handOverText(const QString &url);

} // namespace MailtoAddress
