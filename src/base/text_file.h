#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

// The program's text files (settings, saved messages, address books, templates) are written as
// UTF-8 with CR LF line ends. Files made on Windows may be Windows-1252 (wholly or in some lines) or
// UTF-16 and may end lines with LF or CR alone; reading accepts all of those.
namespace TextFile {

// UTF-16 when the bytes start with its byte-order mark. Otherwise UTF-8 (leading byte-order marks
// dropped), line by line: a line that is not valid UTF-8 is read as Windows-1252.
QString decode(const QByteArray &bytes);

// UTF-8 without a byte-order mark.
QByteArray encode(const QString &text);

// CR LF, LF or a lone CR ends a line; a line end at the very end adds no empty line.
QStringList splitLines(QStringView text);

struct WriteResult {
    bool ok = false;
    QString error;
};

// Writes through a temporary file renamed over `path`, so a failure at any point leaves the old
// file whole. Empty `permissions` keep the default (umask, or the old file's mode).
WriteResult writeAtomically(const QString &path, const QByteArray &bytes,
                            QFileDevice::Permissions permissions = {});

inline constexpr qint64 defaultReadLimit = 512 * 1024 * 1024;

// The whole file, or nothing when it is missing, unreadable or larger than `maxBytes`.
std::optional<QByteArray> readAll(const QString &path, qint64 maxBytes = defaultReadLimit);

} // namespace TextFile
