#pragma once

#include "base/file_name_limit.h"

#include <QByteArray>
#include <QString>

#include <optional>

// One saved message: an HTML file below "savedmgs/<folder>/" whose name carries From, subject,
// date and To joined by "&&", and whose body holds div elements with the ids from, replyto, to,
// cc, bcc, subject, date and body. Captured messages and copies of sent messages share the
// format; only the file name differs.

// The values as read from a page or a compose form, unescaped.
struct SavedMessage {
    QString from, subject, date, to, cc, bcc, body;
    QString replyTo = {}; // the message's own Reply-To; empty: replies go to From
};

enum class MessageKind { Captured, Sent };

struct SaveResult {
    enum class Error {
        None,
        SentFolder,  // a captured message was aimed at the sent-copies folder
        WriteFailed, // folder missing, name refused, disk error
    };
    Error error = Error::None;
    QString path;   // the file written (or attempted)
    QString detail; // the file system's reason, for WriteFailed
    bool ok() const { return error == Error::None; }
};

namespace SavedMessageFile {

// The folder of sent copies, and the From value a sent copy carries.
inline const QString sentFolder = QStringLiteral("sent");
inline const QString sentFrom = QStringLiteral("Sent Message");

// The longest file name, in UTF-8 bytes with ".htm", that the writer can create and replace.
constexpr int maxNameBytes = int(FileNameLimit::maxBytes);

// True when `folder` is the sent-copies folder, in any letter case.
bool isSentFolder(const QString &folder);

// The file name with ".htm", never longer than `maxBytes`: when the whole name would pass it, a
// captured message's From is shortened first, only as much as needed, then the longest of the
// parts (a sent copy's "sent message" excepted), whole characters at a time; the four "&&" parts
// stay. A leading "." becomes "_", so no message is a hidden file.
QString fileName(const SavedMessage &message, MessageKind kind, int maxBytes = maxNameBytes);

// The file's exact bytes: CR LF line ends, "<" and ">" escaped in From, To, Cc and Bcc.
QByteArray content(const SavedMessage &message);

// The values back from a file's bytes (UTF-8, or Windows-1252): the header lines' values after
// their captions, addresses unescaped, and the body as written. Nothing when the bytes hold no
// message body.
std::optional<SavedMessage> read(const QByteArray &bytes);

// "<" and ">" as "&lt;" and "&gt;"; nothing else changes.
QString escapeAddress(const QString &text);

} // namespace SavedMessageFile

// Writes `message` into mainDir/savedmgs/<folder>/<name>.htm, replacing a file of the same
// name. A Sent copy always goes to "sent", whatever `folder` says; a Captured message aimed at
// "sent" (any case) is refused with SentFolder. The folder must exist.
SaveResult writeSavedMessage(const QString &mainDir, const QString &folder, const SavedMessage &message,
                             MessageKind kind);
