#include "store/mime_text.h"

#include <QByteArrayList>
#include <QRegularExpression>

// GLib names a member "signals", which Qt defines as a word of its own.
#undef signals
#include <gmime/gmime.h>

#include <memory>

namespace {

template<typename T> struct GObjectFree {
    void operator()(T *object) const { g_object_unref(object); }
};
struct GFree {
    void operator()(char *text) const { g_free(text); }
};
using GText = std::unique_ptr<char, GFree>;

// GMime's own state, made once for the whole program; the format writes LF line ends.
GMimeFormatOptions *format() {
    static GMimeFormatOptions *const options = [] {
        g_mime_init();
        GMimeFormatOptions *made = g_mime_format_options_new();
        g_mime_format_options_set_newline_format(made, GMIME_NEWLINE_FORMAT_UNIX);
        return made;
    }();
    return options;
}

QByteArray oneLine(const QString &value) {
    QString text = value;
    text.replace(QLatin1String("\r\n"), QLatin1String(" ")).replace(u'\r', u' ').replace(u'\n', u' ');
    return text.toUtf8();
}

// UTF-8 encoded words of at most 45 bytes of text each, never splitting a character, for text
// GMime would leave as it is although a reader would decode it.
QByteArray encodedWords(const QString &text) {
    QByteArrayList words;
    QByteArray chunk;
    const auto flush = [&] {
        if (!chunk.isEmpty())
            words.append("=?UTF-8?B?" + chunk.toBase64() + "?=");
        chunk.clear();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QByteArray bytes = text.sliced(i, length).toUtf8();
        if (chunk.size() + bytes.size() > 45)
            flush();
        chunk += bytes;
        i += length - 1;
    }
    flush();
    return words.join(' ');
}

} // namespace

QByteArray MimeText::unstructuredHeader(const char *name, const QString &value) {
    const QByteArray text = oneLine(value);
    QByteArray encoded;
    if (text.contains("=?")) {
        encoded = encodedWords(QString::fromUtf8(text));
    } else {
        const GText made(g_mime_utils_header_encode_text(format(), text.constData(), "utf-8"));
        encoded = made.get();
    }
    const QByteArray line = QByteArray(name) + ": " + encoded;
    const GText folded(g_mime_utils_unstructured_header_fold(nullptr, format(), line.constData()));
    QByteArray out(folded.get());
    if (!out.endsWith('\n'))
        out += '\n';
    return out;
}

QByteArray MimeText::addressHeader(const char *name, const QList<Mailbox> &mailboxes) {
    format();
    const std::unique_ptr<InternetAddressList, GObjectFree<InternetAddressList>> list(
        internet_address_list_new());
    for (const Mailbox &mailbox : mailboxes) {
        InternetAddress *address = internet_address_mailbox_new(mailbox.name.toUtf8().constData(),
                                                                mailbox.address.toUtf8().constData());
        internet_address_list_add(list.get(), address);
        g_object_unref(address);
    }
    GString *out = g_string_new(name);
    g_string_append(out, ": ");
    internet_address_list_encode(list.get(), format(), out);
    QByteArray header(out->str, qsizetype(out->len));
    g_string_free(out, TRUE);
    if (!header.endsWith('\n'))
        header += '\n';
    return header;
}

QByteArray MimeText::quotedPrintable(const QByteArray &bytes) {
    GMimeEncoding state;
    g_mime_encoding_init_encode(&state, GMIME_CONTENT_ENCODING_QUOTEDPRINTABLE);
    QByteArray out(qsizetype(g_mime_encoding_outlen(&state, size_t(bytes.size()))) + 16, Qt::Uninitialized);
    const size_t written = g_mime_encoding_flush(&state, bytes.constData(), size_t(bytes.size()), out.data());
    out.truncate(qsizetype(written));
    if (!out.isEmpty() && !out.endsWith('\n'))
        out += "=\n";
    if (out.startsWith("From "))
        out.replace(0, 1, "=46");
    return out.replace("\nFrom ", "\n=46rom ");
}

bool MimeText::ready(QString *) {
    format();
    return true;
}

QString MimeText::decodedHeader(const QByteArray &raw) {
    format();
    QByteArray unfolded = raw;
    unfolded.replace("\r\n", "\n").replace("\n ", " ").replace("\n\t", " ");
    unfolded = unfolded.trimmed();
    // Each encoded word on its own: GMime joins neighbouring ones before decoding, which loses the
    // text of a word after one that ends in base64 padding. Blanks between two words are no text.
    static const QRegularExpression word(QStringLiteral("=\\?[^?\\s]+\\?[BbQq]\\?[^?\\s]*\\?="));
    const QString text = QString::fromUtf8(unfolded);
    QString out;
    qsizetype from = 0;
    for (const QRegularExpressionMatch &match : word.globalMatch(text)) {
        const QStringView between = QStringView(text).sliced(from, match.capturedStart() - from);
        if (from == 0 || !between.trimmed().isEmpty())
            out += between;
        const GText decoded(g_mime_utils_header_decode_text(nullptr, match.captured().toUtf8().constData()));
        out += QString::fromUtf8(decoded.get());
        from = match.capturedEnd();
    }
    return out + text.sliced(from);
}
