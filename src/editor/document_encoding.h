#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The character encoding of a document file: what it declares (a byte-order mark, a meta tag or
// an XML declaration), or else what a detector makes of its bytes; and text written back in it.
namespace DocumentEncoding {

struct Detected {
    QByteArray name;          // a name the converters know: "UTF-8", "windows-1252", "EUC-JP", ...
    bool declared = false;    // named by a mark or a declaration, not guessed
    bool browserSees = false; // the browser reads it so too: a mark, a meta tag near the top, plain ASCII
    bool sure = false; // declared, or a guess without doubt (plain ASCII, valid UTF-8, a multi-byte code)
    qsizetype markLength = 0; // the byte-order mark's bytes at the start
};
Detected detect(const QByteArray &bytes);

// The text of `bytes` in `encoding`, without the byte-order mark.
QString decode(const QByteArray &bytes, const QByteArray &encoding);
// `text` in `encoding`; a character the encoding cannot hold becomes a numeric reference.
QByteArray encode(const QString &text, const QByteArray &encoding);
// Whether the converters know `encoding`.
bool known(const QByteArray &encoding);

// The encodings offered when the user picks one.
QStringList choices();

} // namespace DocumentEncoding
