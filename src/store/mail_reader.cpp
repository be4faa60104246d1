#include "store/mail_reader.h"

#include "store/mime_text.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>

#include <fcntl.h>

// GLib names a member "signals", which Qt defines as a word of its own.
#undef signals
#include <gmime/gmime.h>

namespace {

using Each = std::function<bool(const MailReader::Found &, int permille)>;

QString addresses(InternetAddressList *list) {
    if (!list || internet_address_list_length(list) == 0)
        return {};
    char *text = internet_address_list_to_string(list, nullptr, FALSE);
    const QString out = QString::fromUtf8(text);
    g_free(text);
    return out;
}

QString rawHeader(GMimeMessage *message, const char *name) {
    GMimeHeader *header = g_mime_header_list_get_header(GMIME_OBJECT(message)->headers, name);
    return header ? MimeText::decodedHeader(g_mime_header_get_raw_value(header)) : QString();
}

QString textOf(GMimeTextPart *part) {
    char *text = g_mime_text_part_get_text(part);
    const QString out = QString::fromUtf8(text);
    g_free(text);
    return out;
}

// Plain text as the HTML the store keeps: characters escaped, each line end a "<br>".
QString plainAsHtml(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"))
        .replace(u'&', QLatin1String("&amp;"))
        .replace(u'<', QLatin1String("&lt;"))
        .replace(u'>', QLatin1String("&gt;"));
    return text.replace(u'\n', QLatin1String("<br>\r\n"));
}

struct Texts {
    GMimeTextPart *html = nullptr;
    GMimeTextPart *plain = nullptr;
    bool others = false;
};

void collectTexts(GMimeObject *, GMimeObject *part, gpointer data) {
    auto *texts = static_cast<Texts *>(data);
    if (GMIME_IS_MULTIPART(part))
        return;
    const bool attachment = GMIME_IS_PART(part) && g_mime_part_is_attachment(GMIME_PART(part));
    if (GMIME_IS_TEXT_PART(part) && !attachment) {
        GMimeTextPart *text = GMIME_TEXT_PART(part);
        GMimeContentType *type = g_mime_object_get_content_type(part);
        if (g_mime_content_type_is_type(type, "text", "html") && !texts->html)
            texts->html = text;
        else if (g_mime_content_type_is_type(type, "text", "plain") && !texts->plain)
            texts->plain = text;
        else
            texts->others = true;
        return;
    }
    texts->others = true;
}

MailReader::Found found(GMimeMessage *message) {
    MailReader::Found out;
    if (!message || g_mime_header_list_get_count(GMIME_OBJECT(message)->headers) == 0) {
        out.skipReason = QStringLiteral("not a mail message");
        return out;
    }
    SavedMessage saved;
    saved.from = addresses(g_mime_message_get_from(message));
    saved.to = addresses(g_mime_message_get_to(message));
    saved.cc = addresses(g_mime_message_get_cc(message));
    saved.replyTo = addresses(g_mime_message_get_reply_to(message));
    saved.subject = rawHeader(message, "Subject");
    saved.date = rawHeader(message, "Date");
    Texts texts;
    g_mime_message_foreach(message, collectTexts, &texts);
    if (texts.html)
        saved.body = textOf(texts.html);
    else if (texts.plain)
        saved.body = plainAsHtml(textOf(texts.plain));
    out.attachmentsLeft = texts.others;
    out.message = std::move(saved);
    return out;
}

// The blank line that ends an mbox entry, which the parser leaves in the last message's text.
void dropSeparator(MailReader::Found &last) {
    if (!last.message)
        return;
    QString &body = last.message->body;
    if (body.endsWith(QLatin1String("<br>\r\n")))
        body.chop(6);
    else if (body.endsWith(u'\n'))
        body.chop(1);
}

// The messages of a stream in `format`. The last one is skipped as incomplete when `cutOff`, and
// loses the mbox separator that ends it when `separated`.
bool parse(GMimeStream *stream, GMimeFormat format, qint64 size, bool cutOff, bool separated,
           const Each &each) {
    GMimeParser *parser = g_mime_parser_new_with_stream(stream);
    g_mime_parser_set_format(parser, format);
    bool going = true;
    std::optional<MailReader::Found> pending;
    while (going && !g_mime_parser_eos(parser)) {
        GMimeMessage *message = g_mime_parser_construct_message(parser, nullptr);
        if (!message)
            break;
        // Each message is handed on once the next is read, so the last one is known as such.
        if (pending)
            going = each(*pending, int(1000 * g_mime_parser_tell(parser) / qMax<qint64>(size, 1)));
        pending = found(message);
        g_object_unref(message);
    }
    if (going && pending) {
        if (cutOff)
            pending =
                MailReader::Found{std::nullopt, QStringLiteral("cut off at the end of the file"), false};
        else if (separated)
            dropSeparator(*pending);
        going = each(*pending, 1000);
    }
    g_object_unref(parser);
    return going;
}

// What a file holds: an mbox starts with a "From " line, a message with a header line.
enum class FileKind { Mbox, Message, Other };

FileKind kindOf(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return FileKind::Other;
    const QByteArray start = file.read(1000);
    if (start.startsWith("From "))
        return FileKind::Mbox;
    static const QRegularExpression header(QStringLiteral("^[!-9;-~]+:[^\\x00]*\\n"));
    const qsizetype lineEnd = start.indexOf('\n');
    if (lineEnd > 0 && header.match(QString::fromLatin1(start.first(lineEnd + 1))).hasMatch() &&
        !start.contains('\0'))
        return FileKind::Message;
    return FileKind::Other;
}

bool parseFile(const QString &path, GMimeFormat format, const Each &each) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return each({std::nullopt, QStringLiteral("unreadable"), false}, 1000);
    const qint64 size = file.size();
    bool cutOff = false;
    bool separated = false;
    if (format == GMIME_FORMAT_MBOX && size > 1 && file.seek(size - 2)) {
        const QByteArray end = file.read(2);
        cutOff = !end.endsWith('\n');
        separated = end == "\n\n";
    }
    file.seek(0);
    GMimeStream *stream = g_mime_stream_fs_new(dup(file.handle()));
    const bool going = parse(stream, format, size, cutOff, separated, each);
    g_object_unref(stream);
    return going;
}

} // namespace

MailReader::Found MailReader::readMessage(const QByteArray &raw) {
    MimeText::ready();
    GMimeStream *stream = g_mime_stream_mem_new_with_buffer(raw.constData(), size_t(raw.size()));
    Found one{std::nullopt, QStringLiteral("not a mail message"), false};
    parse(stream, GMIME_FORMAT_MESSAGE, raw.size(), false, false, [&](const Found &found, int) {
        one = found;
        return false;
    });
    g_object_unref(stream);
    return one;
}

MailReader::Outcome MailReader::read(const QString &source, const Each &each) {
    MimeText::ready();
    const QFileInfo info(source);
    if (info.isFile()) {
        const FileKind kind = kindOf(source);
        if (kind == FileKind::Other)
            return Outcome::NoMail;
        return parseFile(source, kind == FileKind::Mbox ? GMIME_FORMAT_MBOX : GMIME_FORMAT_MESSAGE, each)
                   ? Outcome::Read
                   : Outcome::Cancelled;
    }
    // A Maildir keeps its messages in cur and new, under any names; other folders hold .eml files.
    const QDir dir(source);
    QStringList files;
    if (dir.exists(QStringLiteral("cur")) || dir.exists(QStringLiteral("new"))) {
        for (const char *sub : {"cur", "new"})
            for (const QFileInfo &file :
                 QDir(dir.filePath(QLatin1String(sub))).entryInfoList(QDir::Files, QDir::Name))
                files.append(file.filePath());
    } else {
        for (const QFileInfo &file : dir.entryInfoList({QStringLiteral("*.eml")}, QDir::Files, QDir::Name))
            files.append(file.filePath());
    }
    if (files.isEmpty())
        return Outcome::NoMail;
    for (qsizetype i = 0; i < files.size(); ++i) {
        const int permille = int(1000 * (i + 1) / files.size());
        const bool going = kindOf(files[i]) == FileKind::Message
                               ? parseFile(files[i], GMIME_FORMAT_MESSAGE,
                                           [&](const Found &one, int) { return each(one, permille); })
                               : each({std::nullopt, QStringLiteral("not a mail message"), false}, permille);
        if (!going)
            return Outcome::Cancelled;
    }
    return Outcome::Read;
}
