#pragma once

#include <QString>

// The body of a captured message, as it goes into the saved file.
namespace MessageBody {

// The Yahoo! Mail body when the page has no "message" element: "<p>" and the page text from
// the end of the last header line read (`lastEnd`, -1 when none was read: empty body).
QString yahooFallback(const QString &pageText, qsizetype lastEnd);

// Drops a leading recipient line (one that carries `yahooToCaption` in its first 20
// characters, up to the first ">" within the first 100), and turns a plain-text body into
// HTML: runs of blank lines shortened, every CR LF preceded by "<br>".
QString tidy(QString body, const QString &yahooToCaption);

} // namespace MessageBody
