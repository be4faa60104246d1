#include "editor/document_encoding.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringEncoder>

#include <uchardet/uchardet.h>

#include <algorithm>

namespace {

// Where a browser looks for a meta tag naming the encoding.
constexpr qsizetype prescanBytes = 1024;
// How much of a document the detector reads.
constexpr qsizetype detectBytes = 256 * 1024;

struct Mark {
    QByteArray bytes;
    const char *name;
};
const Mark marks[] = {{QByteArray("\xEF\xBB\xBF", 3), "UTF-8"},
                      {QByteArray("\xFF\xFE", 2), "UTF-16LE"},
                      {QByteArray("\xFE\xFF", 2), "UTF-16BE"}};

// A declared label as browsers read it: the Latin-1 and ASCII labels mean windows-1252, and a
// page that names UTF-16 without a mark is read as UTF-8.
QByteArray canonical(QByteArray label) {
    label = label.trimmed().toLower();
    if (label == "iso-8859-1" || label == "latin1" || label == "us-ascii" || label == "ascii" ||
        label == "iso8859-1" || label == "l1" || label == "cp1252" || label == "windows-1252")
        return "windows-1252";
    if (label == "utf-16" || label == "utf-16le" || label == "utf-16be" || label == "utf8" ||
        label == "unicode-1-1-utf-8")
        return "UTF-8";
    if (label == "x-sjis" || label == "shift-jis" || label == "ms_kanji")
        return "Shift_JIS";
    if (label == "gb2312" || label == "gbk" || label == "x-gbk")
        return "GBK";
    return label;
}

QByteArray declaredIn(const QByteArray &head, bool metaOnly) {
    static const QRegularExpression meta(
        QStringLiteral(R"(<meta\b[^>]*?\bcharset\s*=\s*["']?\s*([\w:.+-]+))"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression xml(
        QStringLiteral(R"(^\s*<\?xml\b[^>]*?\bencoding\s*=\s*["']([\w:.+-]+))"),
        QRegularExpression::CaseInsensitiveOption);
    const QString text = QString::fromLatin1(head);
    if (const auto m = meta.match(text); m.hasMatch())
        return m.captured(1).toLatin1();
    if (const auto m = xml.match(text); !metaOnly && m.hasMatch())
        return m.captured(1).toLatin1();
    return {};
}

bool isAscii(QByteArrayView bytes) {
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

bool validUtf8(QByteArrayView bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = utf8(bytes);
    return !utf8.hasError();
}

QByteArray detected(QByteArrayView bytes) {
    uchardet_t detector = uchardet_new();
    uchardet_handle_data(detector, bytes.data(), size_t(bytes.size()));
    uchardet_data_end(detector);
    const QByteArray name(uchardet_get_charset(detector));
    uchardet_delete(detector);
    return name;
}

// Codes whose byte patterns leave the detector little room for doubt.
bool multiByte(const QByteArray &name) {
    static const char *const codes[] = {"UTF-", "EUC-",    "SHIFT_JIS", "ISO-2022",
                                        "BIG5", "GB18030", "GB2312",    "GBK"};
    const QByteArray upper = name.toUpper();
    for (const char *code : codes) {
        if (upper.startsWith(code))
            return true;
    }
    return false;
}

} // namespace

bool DocumentEncoding::known(const QByteArray &encoding) {
    return !encoding.isEmpty() && QStringDecoder(encoding.constData()).isValid();
}

DocumentEncoding::Detected DocumentEncoding::detect(const QByteArray &bytes) {
    Detected result;
    for (const Mark &mark : marks) {
        if (bytes.startsWith(mark.bytes)) {
            result.name = mark.name;
            result.markLength = mark.bytes.size();
            result.declared = result.browserSees = result.sure = true;
            return result;
        }
    }
    const QByteArray meta = canonical(declaredIn(bytes.left(prescanBytes), true));
    if (known(meta)) {
        result.name = meta;
        result.declared = result.browserSees = result.sure = true;
        return result;
    }
    const QByteArray declared = canonical(declaredIn(bytes.left(detectBytes), false));
    if (known(declared)) {
        result.name = declared;
        result.declared = result.sure = true;
        return result;
    }
    const QByteArrayView sample = QByteArrayView(bytes).first(std::min(bytes.size(), detectBytes));
    if (isAscii(sample) || validUtf8(sample)) {
        result.name = "UTF-8";
        result.sure = true;
        // Plain ASCII reads the same in whatever the browser takes it for.
        result.browserSees = isAscii(bytes);
        return result;
    }
    const QByteArray guess = canonical(detected(sample));
    result.name = known(guess) ? guess : QByteArray("windows-1252");
    result.sure = known(guess) && multiByte(guess);
    return result;
}

QString DocumentEncoding::decode(const QByteArray &bytes, const QByteArray &encoding) {
    QStringDecoder decoder(encoding.constData(), QStringDecoder::Flag::ConvertInitialBom);
    if (!decoder.isValid())
        decoder = QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    QString text = decoder(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

QByteArray DocumentEncoding::encode(const QString &text, const QByteArray &encoding) {
    QStringEncoder encoder(encoding.constData(), QStringEncoder::Flag::Stateless);
    if (!encoder.isValid())
        encoder = QStringEncoder(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
    QByteArray whole = encoder(text);
    if (!encoder.hasError())
        return whole;
    // Character by character, so that each one the encoding lacks is written as a reference (a
    // converter's error stays set, so each character gets one of its own).
    QByteArray out;
    out.reserve(text.size() * 2);
    QHash<char32_t, QByteArray> written;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QStringView one = QStringView(text).sliced(i, length);
        const char32_t code = one.toUcs4().value(0);
        i += length;
        if (code < 0x80) {
            out += char(code);
            continue;
        }
        auto known = written.find(code);
        if (known == written.end()) {
            QStringEncoder single(encoder.name(), QStringEncoder::Flag::Stateless);
            const QByteArray bytes = single(one);
            known = written.insert(code, single.hasError() ? "&#" + QByteArray::number(code) + ';' : bytes);
        }
        out += *known;
    }
    return out;
}

QStringList DocumentEncoding::choices() {
    return {QStringLiteral("UTF-8"),       QStringLiteral("windows-1252"), QStringLiteral("ISO-8859-2"),
            QStringLiteral("ISO-8859-8"),  QStringLiteral("windows-1255"), QStringLiteral("windows-1251"),
            QStringLiteral("KOI8-R"),      QStringLiteral("EUC-JP"),       QStringLiteral("Shift_JIS"),
            QStringLiteral("ISO-2022-JP"), QStringLiteral("GB18030"),      QStringLiteral("Big5"),
            QStringLiteral("EUC-KR")};
}
