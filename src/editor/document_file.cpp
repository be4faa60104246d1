#include "editor/document_file.h"

#include "base/text_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStorageInfo>

namespace {

// Larger documents would leave the editor unusably slow.
constexpr qint64 maxDocumentBytes = 10 * 1024 * 1024;
// How much of a file the text test looks at.
constexpr qsizetype sniffBytes = 64 * 1024;

bool looksBinary(const QByteArray &bytes) {
    const QByteArray head = bytes.left(sniffBytes);
    qsizetype control = 0;
    for (const char c : head) {
        const auto u = static_cast<unsigned char>(c);
        if (u == 0)
            return true;
        if (u < 0x20 && u != '\t' && u != '\n' && u != '\r' && u != '\f')
            ++control;
    }
    return control * 20 > head.size();
}

} // namespace

qint32 DocumentFile::check(const QByteArray &bytes) {
    if (bytes.size() > maxDocumentBytes)
        return TooLarge;
    if (looksBinary(bytes))
        return NotText;
    const QString text = decode(bytes);
    static const QRegularExpression frameset(QStringLiteral("<frameset[\\s>]"),
                                             QRegularExpression::CaseInsensitiveOption);
    if (frameset.match(text).hasMatch())
        return ContainsFrameset;
    if (text.trimmed().startsWith(QLatin1String("<%")))
        return ServerSideScript;
    return NoError;
}

DocumentFile::ReadResult DocumentFile::read(const QString &path) {
    ReadResult result;
    const QFileInfo info(path);
    result.absolutePath = info.absoluteFilePath();
    if (!info.exists()) {
        result.error = info.absoluteDir().exists() ? FileNotFound : PathNotFound;
        return result;
    }
    if (info.isDir()) {
        result.error = InvalidArgument;
        return result;
    }
    if (info.size() > maxDocumentBytes) {
        result.error = TooLarge;
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = AccessDenied;
        return result;
    }
    result.bytes = file.readAll();
    result.error = check(result.bytes);
    return result;
}

qint32 DocumentFile::write(const QString &path, const QByteArray &bytes) {
    const QFileInfo info(path);
    if (info.isDir())
        return InvalidArgument;
    if (!info.absoluteDir().exists())
        return PathNotFound;
    if (TextFile::writeAtomically(path, bytes).ok)
        return NoError;
    if (QStorageInfo(info.absolutePath()).bytesAvailable() < bytes.size())
        return DiskFull;
    const bool writable = info.exists() ? info.isWritable() : QFileInfo(info.absolutePath()).isWritable();
    return writable ? UnexpectedError : AccessDenied;
}

QString DocumentFile::declaringUtf8(QString html) {
    static const QRegularExpression charset(QStringLiteral(R"((<meta\b[^>]*?\bcharset\s*=\s*["']?)[\w:.-]+)"),
                                            QRegularExpression::CaseInsensitiveOption);
    return html.replace(charset, QStringLiteral("\\1utf-8"));
}

QString DocumentFile::decode(const QByteArray &bytes) {
    return TextFile::decode(bytes);
}

QString DocumentFile::reason(qint32 error, Operation operation) {
    switch (error) {
    case UnexpectedError:
        return QStringLiteral("Unexpected error");
    case InvalidArgument:
        return QStringLiteral("Invalid argument");
    case AccessDenied:
        return QStringLiteral("Access denied");
    case PathNotFound:
        return QStringLiteral("Path not found");
    case FileNotFound:
        if (operation == Operation::Load)
            return QStringLiteral("File not found");
        break;
    case DiskFull:
        if (operation == Operation::Save)
            return QStringLiteral("Disk is full");
        break;
    case ContainsFrameset:
        if (operation == Operation::Load)
            return QStringLiteral("Document contains a frameset");
        break;
    case ServerSideScript:
        if (operation == Operation::Load)
            return QStringLiteral("Document is primarily server side script");
        break;
    case NotText:
        if (operation == Operation::Load)
            return QStringLiteral("Document is not text");
        break;
    case TooLarge:
        if (operation == Operation::Load)
            return QStringLiteral("Document is larger than 10 MB");
        break;
    default:
        break;
    }
    return QStringLiteral("Unknown error");
}
