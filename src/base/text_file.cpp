#include "base/text_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QStringDecoder>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace TextFile {

namespace {

// Windows-1252 differs from Latin-1 only in 0x80-0x9F; the five bytes it leaves undefined keep
// their Latin-1 (C1 control) meaning, so no byte is ever lost.
constexpr char16_t cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QString decodeWindows1252(QByteArrayView bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        *out++ = QChar(byte >= 0x80 && byte < 0xA0 ? cp1252High[byte - 0x80] : char16_t(byte));
    }
    return text;
}

// Each line on its own: UTF-8 where the line is valid UTF-8, Windows-1252 where it is not, so one
// line written by an older tool does not garble a UTF-8 file. CR and LF never occur inside a
// UTF-8 sequence, so cutting at them is safe; the line ends are kept as they are.
QString decodeLineByLine(QByteArrayView bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text;
    text.reserve(bytes.size());
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = start;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        const QByteArrayView line = bytes.sliced(start, end - start);
        utf8.resetState();
        const QString decoded = utf8(line);
        text += utf8.hasError() ? decodeWindows1252(line) : decoded;
        while (end < bytes.size() && (bytes[end] == '\r' || bytes[end] == '\n'))
            text += QLatin1Char(bytes[end++]);
        start = end;
    }
    return text;
}

// A damaged UTF-16 file can hold halves of surrogate pairs, which UTF-8 cannot write back.
QString withoutLoneSurrogates(QString text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (text[i].isSurrogate())
            text[i] = QChar::ReplacementCharacter;
    }
    return text;
}

} // namespace

QString decode(const QByteArray &bytes) {
    QByteArrayView rest(bytes);
    // Spreadsheet "Unicode Text" exports are UTF-16 and always carry the mark.
    for (const auto &[mark, encoding] : {std::pair{QByteArrayView("\xFF\xFE"), QStringDecoder::Utf16LE},
                                         std::pair{QByteArrayView("\xFE\xFF"), QStringDecoder::Utf16BE}}) {
        if (rest.startsWith(mark)) {
            QStringDecoder utf16(encoding, QStringDecoder::Flag::Stateless);
            QString text = withoutLoneSurrogates(utf16(rest.sliced(mark.size())));
            // Marks repeated after the first are dropped, as in UTF-8 files: written back as UTF-8
            // they would read as marks and vanish, so the text would not read back the same.
            while (text.startsWith(QChar(0xFEFF)))
                text.remove(0, 1);
            return text;
        }
    }
    static constexpr QByteArrayView bom("\xEF\xBB\xBF");
    // A file saved, re-read and saved again by other tools can carry the mark more than once.
    while (rest.startsWith(bom))
        rest = rest.sliced(bom.size());

    // Stateless, so that a sequence cut off at the end counts as an error instead of waiting for more.
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = utf8(rest);
    if (!utf8.hasError())
        return text;
    return decodeLineByLine(rest);
}

QByteArray encode(const QString &text) {
    return text.toUtf8();
}

QStringList splitLines(QStringView text) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.sliced(start, i - start).toString());
        if (c == u'\r' && i + 1 < size && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        lines.append(text.sliced(start).toString());
    return lines;
}

namespace {

mode_t modeOf(QFileDevice::Permissions permissions) {
    mode_t mode = 0;
    for (const auto &[permission, bit] : {std::pair{QFileDevice::ReadOwner, S_IRUSR},
                                          {QFileDevice::WriteOwner, S_IWUSR},
                                          {QFileDevice::ExeOwner, S_IXUSR},
                                          {QFileDevice::ReadGroup, S_IRGRP},
                                          {QFileDevice::WriteGroup, S_IWGRP},
                                          {QFileDevice::ExeGroup, S_IXGRP},
                                          {QFileDevice::ReadOther, S_IROTH},
                                          {QFileDevice::WriteOther, S_IWOTH},
                                          {QFileDevice::ExeOther, S_IXOTH}}) {
        if (permissions & permission)
            mode |= bit;
    }
    return mode;
}

WriteResult failure(int error) {
    return {false, QString::fromLocal8Bit(std::strerror(error))};
}

// Where the file system has no unnamed files: QSaveFile, whose named temporary file a killed
// process leaves behind.
WriteResult writeThroughSaveFile(const QString &path, const QByteArray &bytes,
                                 QFileDevice::Permissions permissions) {
    QSaveFile file(path);
    // Unbuffered: a buffered flush that runs out of room writes part of the data and still lets
    // commit() succeed (seen with Qt 6.4), which would replace the old file by a cut one. An
    // unbuffered write reports the short count instead.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return {false, file.errorString()};
    if (permissions && !file.setPermissions(permissions))
        return {false, file.errorString()};
    errno = 0;
    if (file.write(bytes) != bytes.size()) {
        const int error = errno;
        return {false, error ? QString::fromLocal8Bit(std::strerror(error)) : file.errorString()};
    }
    if (!file.commit())
        return {false, file.errorString()};
    return {true, {}};
}

bool writeAll(int fd, const QByteArray &bytes) {
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t count = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return false;
        done += count;
    }
    return true;
}

// The name a finished unnamed file has for a moment before it is renamed over the target: 7
// bytes longer, as QSaveFile's, and ending in "~" so that one left by a killed process is known.
QByteArray temporaryName(const QByteArray &target) {
    static constexpr char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QByteArray name = target + '.';
    for (int i = 0; i < 5; ++i)
        name += letters[QRandomGenerator::global()->bounded(int(sizeof letters - 1))];
    return name + '~';
}

void removeLeftTemporaries(const QString &target) {
    const QFileInfo info(target);
    const QString pattern = info.fileName() + QLatin1String(".?????~");
    for (const QFileInfo &left :
         info.dir().entryInfoList({pattern}, QDir::Files | QDir::Hidden | QDir::System))
        QFile::remove(left.absoluteFilePath());
}

// Gives the unnamed file its temporary name and renames it over `target`.
WriteResult publish(int fd, const QString &target) {
    const QByteArray source = "/proc/self/fd/" + QByteArray::number(fd);
    const QByteArray targetName = QFile::encodeName(target);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray temporary = temporaryName(targetName);
        if (::linkat(AT_FDCWD, source.constData(), AT_FDCWD, temporary.constData(), AT_SYMLINK_FOLLOW) != 0) {
            if (errno == EEXIST)
                continue;
            return failure(errno);
        }
        if (::rename(temporary.constData(), targetName.constData()) != 0) {
            const int error = errno;
            ::unlink(temporary.constData());
            return failure(error);
        }
        return {true, {}};
    }
    return failure(EEXIST);
}

} // namespace

WriteResult writeAtomically(const QString &path, const QByteArray &bytes,
                            QFileDevice::Permissions permissions) {
    // A link is replaced where it points, as QSaveFile does.
    const QFileInfo info(path);
    const QString target = info.isSymLink() ? info.symLinkTarget() : info.absoluteFilePath();
    // The data goes into an unnamed file in the target's folder, so a failed write never touches
    // the old file and a process killed while writing leaves nothing behind; one killed in the
    // moment between naming and renaming leaves a temporary name, removed here the next time.
    removeLeftTemporaries(target);
    const int fd = ::open(QFile::encodeName(QFileInfo(target).absolutePath()).constData(),
                          O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd < 0 && (errno == EOPNOTSUPP || errno == EISDIR))
        return writeThroughSaveFile(path, bytes, permissions);
    if (fd < 0)
        return failure(errno);
    struct stat old {};
    WriteResult result{true, {}};
    if (permissions && ::fchmod(fd, modeOf(permissions)) != 0)
        result = failure(errno);
    else if (!permissions && ::stat(QFile::encodeName(target).constData(), &old) == 0 &&
             ::fchmod(fd, old.st_mode & 07777) != 0)
        result = failure(errno);
    else if (errno = 0; !writeAll(fd, bytes))
        result = failure(errno ? errno : EIO);
    else
        result = publish(fd, target);
    ::close(fd);
    return result;
}

std::optional<QByteArray> readAll(const QString &path, qint64 maxBytes) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes;
    if (!file.isSequential()) {
        if (file.size() > maxBytes)
            return std::nullopt;
        bytes.reserve(file.size());
    }
    // Read in chunks rather than trusting size(): special files report none and may never end.
    char chunk[64 * 1024];
    for (;;) {
        const qint64 count = file.read(chunk, sizeof chunk);
        if (count < 0)
            return std::nullopt;
        if (count == 0)
            return bytes;
        bytes.append(chunk, count);
        if (bytes.size() > maxBytes)
            return std::nullopt;
    }
}

} // namespace TextFile
