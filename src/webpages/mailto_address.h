#pragma once

#include <QString>

// The text a mailto link hands in: the link without its "mailto:" scheme, as in
// "ann@example.com?subject=Hi&body=Hello".
namespace MailtoAddress {

struct Parsed {
    QString to;
    QString subject;
};

// To is the text before the first "?" (the whole text when there is none). Subject is the value
// of the "subject" parameter (any case) and runs to the end of the text, further parameters
// included, exactly as written: nothing is decoded.
Parsed parse(const QString &text);

// What the launcher hands over for a clicked link: the link without its scheme.
QString handOverText(const QString &url);

} // namespace MailtoAddress
