#include "store/saved_message_file.h"

#include "base/text_file.h"
#include "store/saved_folders.h"

#include <QDir>

namespace SavedMessageFile {

namespace {

const QString separator = QStringLiteral("&&");
const QString extension = QStringLiteral(".htm");

// The first `count` characters followed by "..." when the text is longer; counted in code
// points so that a cut never splits a surrogate pair.
QString shortened(const QString &text, int count) {
    qsizetype at = 0;
    for (int seen = 0; seen < count && at < text.size(); ++seen)
        at += text[at].isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate() ? 2 : 1;
    if (at >= text.size())
        return text;
    return text.left(at) + QStringLiteral("...");
}

// Characters the file name may not hold: removed, or turned into a space, in this order; control
// characters (NUL above all, which would end the name) become spaces too.
QString cleaned(QString text) {
    for (QChar &c : text) {
        if (c.category() == QChar::Other_Control)
            c = u' ';
    }
    text.remove(u'"');
    text.replace(u'<', u' ');
    text.replace(u'>', u' ');
    text.replace(u'/', u' ');
    text.remove(u'?');
    text.replace(u':', u' ');
    text.remove(u'*');
    text.replace(u'\\', u' ');
    return text;
}

QString withoutLeadingSpaces(const QString &text) {
    qsizetype start = 0;
    while (start < text.size() && text[start] == u' ')
        ++start;
    return text.mid(start);
}

QString withoutTrailingSpaces(const QString &text) {
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == u' ')
        --end;
    return text.left(end);
}

// Drops characters from the end of `text` until it is at least `excessBytes` (UTF-8) shorter.
QString cutBytesFromEnd(const QString &text, qsizetype excessBytes) {
    qsizetype end = text.size();
    qsizetype dropped = 0;
    while (dropped < excessBytes && end > 0) {
        const char16_t c = text[end - 1].unicode();
        if (QChar::isLowSurrogate(c) && end > 1 && text[end - 2].isHighSurrogate()) {
            end -= 2;
            dropped += 4;
        } else {
            end -= 1;
            dropped += c < 0x80 ? 1 : c < 0x800 ? 2 : 3;
        }
    }
    return text.left(end);
}

QString line(const char *id, const char *caption, const QString &value) {
    return QStringLiteral("<div id=%1><font face=arial size=2><b>%2:&nbsp;</b>")
               .arg(QLatin1String(id), QLatin1String(caption)) +
           value + QStringLiteral("</font></div>\r\n");
}

const QString lineEnd = QStringLiteral("</font></div>");
const QString bodyStart = QStringLiteral("<div id=body><font face=arial>");

QString unescapeAddress(QString text) {
    return text.replace(QLatin1String("&lt;"), QLatin1String("<"))
        .replace(QLatin1String("&gt;"), QLatin1String(">"));
}

// The value of the header line with `id`: after its caption, up to the line's closing tags.
QString headerValue(const QString &text, qsizetype headerEnd, const char *id) {
    const QString start = QStringLiteral("<div id=%1>").arg(QLatin1String(id));
    const qsizetype at = text.indexOf(start);
    if (at < 0 || at > headerEnd)
        return {};
    qsizetype end = text.indexOf(u'\n', at);
    end = end < 0 || end > headerEnd ? headerEnd : end;
    QStringView line = QStringView(text).sliced(at + start.size(), end - at - start.size());
    if (line.endsWith(u'\r'))
        line.chop(1);
    if (line.endsWith(lineEnd))
        line.chop(lineEnd.size());
    const qsizetype caption = line.indexOf(QLatin1String("</b>"));
    return (caption < 0 ? line : line.sliced(caption + 4)).toString();
}

} // namespace

std::optional<SavedMessage> read(const QByteArray &bytes) {
    const QString text = TextFile::decode(bytes);
    const qsizetype body = text.indexOf(bodyStart);
    if (body < 0)
        return std::nullopt;
    SavedMessage message;
    message.from = unescapeAddress(headerValue(text, body, "from"));
    message.to = unescapeAddress(headerValue(text, body, "to"));
    message.cc = unescapeAddress(headerValue(text, body, "cc"));
    message.replyTo = unescapeAddress(headerValue(text, body, "replyto"));
    message.bcc = unescapeAddress(headerValue(text, body, "bcc"));
    message.subject = headerValue(text, body, "subject");
    message.date = headerValue(text, body, "date");
    qsizetype from = body + bodyStart.size();
    if (QStringView(text).sliced(from).startsWith(QLatin1String("\r\n")))
        from += 2;
    qsizetype to = text.lastIndexOf(lineEnd);
    to = to < from ? text.size() : to;
    message.body = text.sliced(from, to - from);
    return message;
}

bool isSentFolder(const QString &folder) {
    return folder.toLower() == sentFolder;
}

QString escapeAddress(const QString &text) {
    QString escaped = text;
    escaped.replace(u'<', QLatin1String("&lt;"));
    escaped.replace(u'>', QLatin1String("&gt;"));
    return escaped;
}

QString fileName(const SavedMessage &message, MessageKind kind, int maxBytes) {
    QString datePart = message.date;
    datePart.replace(u':', u'^');
    datePart.replace(u'/', u'#');
    const bool sent = kind == MessageKind::Sent;
    // Cleaning touches no "&", so cleaning the parts one by one equals cleaning the joined name;
    // the leading spaces can only come from the first part, the trailing ones from the last.
    QString parts[] = {withoutLeadingSpaces(cleaned(sent ? shortened(message.to, 20) : message.from)),
                       cleaned(shortened(message.subject, 60)), cleaned(datePart),
                       sent ? QStringLiteral("sent message")
                            : withoutTrailingSpaces(cleaned(shortened(message.to, 20)))};
    // A name starting with "." would be a hidden file, left out of the folder's list.
    for (qsizetype i = 0; i < parts[0].size() && parts[0][i] == u'.'; ++i)
        parts[0][i] = u'_';

    const auto bytes = [](const QString &part) { return part.toUtf8().size(); };
    const auto excess = [&] {
        qsizetype total = 3 * separator.size() + extension.size();
        for (const QString &part : parts)
            total += bytes(part);
        return total - maxBytes;
    };
    // A capture's From gives way first, only as much as needed; then the longest part, a little at
    // a time, so that what is cut is shared out. A sent copy's last part is its mark, never cut.
    if (!sent && excess() > 0)
        parts[0] = cutBytesFromEnd(parts[0], excess());
    const int cuttable = sent ? 3 : 4;
    for (qsizetype over = excess(); over > 0; over = excess()) {
        int longest = 0;
        for (int i = 1; i < cuttable; ++i) {
            if (bytes(parts[i]) > bytes(parts[longest]))
                longest = i;
        }
        parts[longest] = cutBytesFromEnd(parts[longest], std::min<qsizetype>(over, 16));
    }
    return parts[0] + separator + parts[1] + separator + parts[2] + separator + parts[3] + extension;
}

QByteArray content(const SavedMessage &message) {
    QString text = QStringLiteral("<html>\r\n<body>\r\n");
    text += line("from", "From", escapeAddress(message.from));
    text += line("replyto", "Reply-to",
                 escapeAddress(message.replyTo.isEmpty() ? message.from : message.replyTo));
    text += line("to", "To", escapeAddress(message.to));
    text += line("cc", "Cc", escapeAddress(message.cc));
    text += line("bcc", "Bcc", escapeAddress(message.bcc));
    text += line("subject", "Subject", message.subject);
    text += line("date", "Date", message.date);
    text += bodyStart + QStringLiteral("\r\n");
    text += message.body;
    text += lineEnd + QStringLiteral("\r\n");
    return TextFile::encode(text);
}

} // namespace SavedMessageFile

SaveResult writeSavedMessage(const QString &mainDir, const QString &folder, const SavedMessage &message,
                             MessageKind kind) {
    using namespace SavedMessageFile;
    SaveResult result;
    if (kind == MessageKind::Captured && isSentFolder(folder)) {
        result.error = SaveResult::Error::SentFolder;
        return result;
    }
    const QString target = kind == MessageKind::Sent ? sentFolder : folder;
    const QString folderPath = SavedFolders::folderPath(mainDir, target);
    result.path = QDir(folderPath).filePath(fileName(message, kind));
    // Only into an existing folder of the store: a name that leaves it ("..", "a/b") or names
    // no folder must not become one.
    if (!SavedFolders::isValidName(target) || !QFileInfo(folderPath).isDir()) {
        result.error = SaveResult::Error::WriteFailed;
        result.detail = QStringLiteral("no folder %1").arg(target);
        return result;
    }
    const TextFile::WriteResult written = TextFile::writeAtomically(result.path, content(message));
    if (!written.ok) {
        result.error = SaveResult::Error::WriteFailed;
        result.detail = written.error;
    }
    return result;
}
