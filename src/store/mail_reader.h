#pragma once

#include "store/saved_message_file.h"

#include <QString>

#include <functional>
#include <optional>

// Mail messages as other mail programs keep them, read into saved messages: an mbox file, one
// message file (.eml), a folder of .eml files, or a Maildir (its cur and new folders).
namespace MailReader {

// One message found in the source: the saved message made of it, or why it cannot be one.
struct Found {
    std::optional<SavedMessage> message;
    QString skipReason;           // when there is no message
    bool attachmentsLeft = false; // parts other than the text were not kept
};

enum class Outcome { Read, NoMail, Cancelled };

// Calls `each` for every message of `source`, with the share of the source read so far (0 to
// 1000); `each` returns false to stop (Cancelled). NoMail when the source is neither of the
// kinds above (a binary file, an empty folder).
Outcome read(const QString &source, const std::function<bool(const Found &, int permille)> &each);

// One message given as its raw bytes (RFC 5322), as a web-mail service shows its source.
Found readMessage(const QByteArray &raw);

} // namespace MailReader
