#pragma once

#include <QByteArray>
#include <QString>

// Reading and writing the HTML files the editor opens and saves. Failures are the editing
// codes below.
namespace DocumentFile {

// Failure codes of loading and saving; 0 is success.
enum DocumentError : qint32 {
    NoError = 0,
    InvalidArgument = 5,
    AccessDenied = 70,
    UnexpectedError = qint32(0x8000FFFF),
    FileNotFound = qint32(0x80070002),
    PathNotFound = qint32(0x80070003),
    DiskFull = qint32(0x80070027),
    Cancelled = qint32(0x800704C7), // the user closed the file dialog: nothing to report
    ContainsFrameset = qint32(0x80100001),
    ServerSideScript = qint32(0x80100002),
    NotText = qint32(0x80100003),
    TooLarge = qint32(0x80100004),
};

struct ReadResult {
    qint32 error = 0;
    QString absolutePath;
    QByteArray bytes;
};
// Reads the file and refuses what the editor cannot hold: a frameset, a page that is mostly
// server-side script, or bytes that are not text.
ReadResult read(const QString &path);

// The checks of read() on bytes already in hand.
qint32 check(const QByteArray &bytes);

// Writes atomically: a failed save leaves the old file whole.
qint32 write(const QString &path, const QByteArray &bytes);

// The text of a document file: UTF-8 when valid, else Windows-1252.
QString decode(const QByteArray &bytes);

// The message part that names a failure: "File not found", "Disk is full" and so on.
enum class Operation { Load, Save };
QString reason(qint32 error, Operation operation);

} // namespace DocumentFile
