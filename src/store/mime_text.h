#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Header and body text in the forms mail carries them, through GMime: RFC 2047 encoded words,
// folded header lines, quoted-printable bodies. Lines end in LF. The program reaches GMime through
// a module loaded on first use (mime_facade.cpp); when it cannot be loaded the writers give nothing.
namespace MimeText {

struct Mailbox {
    QString name;    // display name, may be empty
    QString address; // addr-spec; a non-ASCII domain is written in its ASCII (IDN) form
};

// "Name: value" folded within the line limits, ending in LF: ASCII words as they are, other
// runs as encoded words. A word that would read as an encoded word ("=?utf-8?q?x?=") is itself
// encoded, so a reader shows it as written.
QByteArray unstructuredHeader(const char *name, const QString &value);

// "Name: mailbox, mailbox" folded, ending in LF: display names quoted where they hold specials
// ("Doe, John"), encoded words around the display name only.
QByteArray addressHeader(const char *name, const QList<Mailbox> &mailboxes);

// `bytes` as quoted-printable, lines of at most 76 characters ending in LF. A line that would
// start with "From " starts with "=46rom " instead, so no mbox reader takes it for a new entry.
QByteArray quotedPrintable(const QByteArray &bytes);

// Makes GMime ready for use elsewhere; the functions here do it themselves. False, with the
// reason in `why`, when the module cannot be loaded.
bool ready(QString *why = nullptr);

// A header value as a reader shows it: encoded words decoded, folds unfolded.
QString decodedHeader(const QByteArray &raw);

} // namespace MimeText
