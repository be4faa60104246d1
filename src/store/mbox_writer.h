#pragma once

#include "store/loose_date.h"
#include "store/saved_message_file.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>

// Saved messages as entries of an mbox file, the one-file mailbox that mail programs import:
// each entry a "From " line, the headers, a blank line, the body, and a blank line. Lines end
// in LF; a body line that would read as the start of an entry ("From ", ">From ") gets one ">"
// more. The body is the saved HTML, in UTF-8.
namespace MboxWriter {

// The saved date read as a moment: an RFC 5322 date as it stands, else a date a mail page
// shows ("12/05/2004 10:31", "December 5, 2004 10:31 AM"), in the local zone when it names
// none. Nothing when the text is no date.
std::optional<QDateTime> readDate(const QString &date, LooseDate::Order order);

// A header value as RFC 2047 allows: ASCII words as they are, each run of words with other
// characters as UTF-8 encoded words. Line breaks become blanks.
QByteArray headerValue(const QString &value);

// The body's lines with LF ends, quoted where they would start an entry, ending in LF.
QByteArray body(const QString &html);

// One whole entry. `fallback` dates the "From " line when the saved date cannot be read; the
// Date header then keeps the saved text.
QByteArray entry(const SavedMessage &message, const QDateTime &fallback, LooseDate::Order order);

} // namespace MboxWriter
