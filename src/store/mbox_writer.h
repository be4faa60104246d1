#pragma once

#include "store/loose_date.h"
#include "store/saved_message_file.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>

// Saved messages as entries of an mbox file, the one-file mailbox that mail programs import:
// each entry a "From " line, the headers, a blank line, the body, and a blank line. Lines end
// in LF and stay within 998 characters; addresses are written as mailboxes, other values as
// text with encoded words where needed. The body is the saved HTML in UTF-8, quoted-printable,
// so that it reads back byte for byte and no line of it starts an entry.
namespace MboxWriter {

// The saved date read as a moment: an RFC 5322 date as it stands, else a date a mail page
// shows ("12/05/2004 10:31", "December 5, 2004 10:31 AM"), in the local zone when it names
// none. Nothing when the text is no date.
std::optional<QDateTime> readDate(const QString &date, LooseDate::Order order);

// One whole entry. `fallback` dates the "From " line when the saved date cannot be read; the
// Date header then keeps the saved text.
QByteArray entry(const SavedMessage &message, const QDateTime &fallback, LooseDate::Order order);

} // namespace MboxWriter
