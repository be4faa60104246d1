#include "store/search_matcher.h"

#include "shell/text_file.h"

#include <array>

namespace {

// HTML's names for the characters 160 to 255, in order.
constexpr std::array<const char *, 96> latin1Names = {
    "nbsp",   "iexcl",  "cent",   "pound",  "curren", "yen",    "brvbar", "sect",   "uml",    "copy",
    "ordf",   "laquo",  "not",    "shy",    "reg",    "macr",   "deg",    "plusmn", "sup2",   "sup3",
    "acute",  "micro",  "para",   "middot", "cedil",  "sup1",   "ordm",   "raquo",  "frac14", "frac12",
    "frac34", "iquest", "Agrave", "Aacute", "Acirc",  "Atilde", "Auml",   "Aring",  "AElig",  "Ccedil",
    "Egrave", "Eacute", "Ecirc",  "Euml",   "Igrave", "Iacute", "Icirc",  "Iuml",   "ETH",    "Ntilde",
    "Ograve", "Oacute", "Ocirc",  "Otilde", "Ouml",   "times",  "Oslash", "Ugrave", "Uacute", "Ucirc",
    "Uuml",   "Yacute", "THORN",  "szlig",  "agrave", "aacute", "acirc",  "atilde", "auml",   "aring",
    "aelig",  "ccedil", "egrave", "eacute", "ecirc",  "euml",   "igrave", "iacute", "icirc",  "iuml",
    "eth",    "ntilde", "ograve", "oacute", "ocirc",  "otilde", "ouml",   "divide", "oslash", "ugrave",
    "uacute", "ucirc",  "uuml",   "yacute", "thorn",  "yuml"};

struct NamedCharacter {
    const char *name;
    char32_t code;
};
constexpr NamedCharacter otherNames[] = {
    {"amp", u'&'},      {"lt", u'<'},       {"gt", u'>'},       {"quot", u'"'},     {"apos", u'\''},
    {"euro", u'€'},     {"hellip", u'…'},   {"ndash", u'–'},    {"mdash", u'—'},    {"lsquo", u'‘'},
    {"rsquo", u'’'},    {"ldquo", u'“'},    {"rdquo", u'”'},    {"bull", u'•'},     {"trade", u'™'},
    {"OElig", u'Œ'},    {"oelig", u'œ'},    {"Scaron", u'Š'},   {"scaron", u'š'},   {"Yuml", u'Ÿ'},
};

std::optional<char32_t> namedCharacter(QStringView name) {
    for (size_t i = 0; i < latin1Names.size(); ++i) {
        if (name == QLatin1StringView(latin1Names[i]))
            return char32_t(160 + i);
    }
    for (const NamedCharacter &named : otherNames) {
        if (name == QLatin1StringView(named.name))
            return named.code;
    }
    return std::nullopt;
}

// The character a reference at `text[at]` ("&amp;", "&#233;", "&#xE9;") stands for, and its
// length; nothing when it is no reference, and the "&" is then text.
std::optional<char32_t> reference(QStringView text, qsizetype at, qsizetype &length) {
    const qsizetype end = text.indexOf(u';', at + 1);
    if (end < 0 || end - at > 10 || end == at + 1)
        return std::nullopt;
    length = end - at + 1;
    const QStringView name = text.sliced(at + 1, end - at - 1);
    if (name.startsWith(u'#')) {
        bool ok = false;
        const bool hex = name.size() > 1 && (name[1] == u'x' || name[1] == u'X');
        const uint code = name.sliced(hex ? 2 : 1).toUInt(&ok, hex ? 16 : 10);
        if (!ok || code == 0 || code > 0x10FFFF || (code >= 0xD800 && code < 0xE000))
            return std::nullopt;
        return char32_t(code);
    }
    return namedCharacter(name);
}

// Tags after which a reader sees a new line or cell: they separate words.
bool separatesWords(QStringView name) {
    static const QLatin1StringView separating[] = {
        QLatin1StringView("br"), QLatin1StringView("p"),  QLatin1StringView("div"), QLatin1StringView("tr"),
        QLatin1StringView("td"), QLatin1StringView("th"), QLatin1StringView("li"),  QLatin1StringView("hr"),
        QLatin1StringView("h1"), QLatin1StringView("h2"), QLatin1StringView("h3"),  QLatin1StringView("table"),
        QLatin1StringView("blockquote")};
    for (const QLatin1StringView tag : separating) {
        if (name.compare(tag, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

class FoldedWriter {
public:
    explicit FoldedWriter(qsizetype capacity) { m_out.reserve(capacity); }

    void blank() {
        if (!m_out.isEmpty() && !m_lastBlank)
            m_out += u' ';
        m_lastBlank = true;
    }
    void character(char32_t c) {
        if (c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == 0xA0 || c == u'\f') {
            blank();
            return;
        }
        m_lastBlank = false;
        if (c < 0x80) {
            m_out += QChar(char16_t(c >= u'A' && c <= u'Z' ? c + 32 : c));
            return;
        }
        const char32_t folded = QChar::toCaseFolded(c);
        if (QChar::requiresSurrogates(folded)) {
            m_out += QChar(QChar::highSurrogate(folded));
            m_out += QChar(QChar::lowSurrogate(folded));
        } else {
            m_out += QChar(char16_t(folded));
        }
    }
    QString take() {
        if (m_lastBlank && !m_out.isEmpty())
            m_out.chop(1);
        return std::move(m_out);
    }

private:
    QString m_out;
    bool m_lastBlank = true;
};

// Where the tag or comment that opens at `text[at]` ends (just after it), or -1 when the "<"
// opens none and is text.
qsizetype skipMarkup(QStringView text, qsizetype at, bool &separates) {
    separates = false;
    const QStringView rest = text.sliced(at);
    if (rest.startsWith(u"<!--")) {
        const qsizetype end = text.indexOf(u"-->", at + 4);
        return end < 0 ? text.size() : end + 3;
    }
    if (rest.size() < 2 || !(rest[1].isLetter() || rest[1] == u'/' || rest[1] == u'!' || rest[1] == u'?'))
        return -1;
    const qsizetype close = text.indexOf(u'>', at + 1);
    const qsizetype end = close < 0 ? text.size() : close + 1;
    qsizetype nameStart = at + 1 + (rest[1] == u'/' ? 1 : 0);
    qsizetype nameEnd = nameStart;
    while (nameEnd < end && text[nameEnd].isLetterOrNumber())
        ++nameEnd;
    const QStringView name = text.sliced(nameStart, nameEnd - nameStart);
    separates = separatesWords(name);
    // A script's or style's content is no text either.
    for (const QLatin1StringView hidden : {QLatin1StringView("script"), QLatin1StringView("style")}) {
        if (rest[1] != u'/' && name.compare(hidden, Qt::CaseInsensitive) == 0) {
            const qsizetype closing = text.indexOf(QStringLiteral("</") + hidden, end, Qt::CaseInsensitive);
            if (closing < 0)
                return text.size();
            const qsizetype closingEnd = text.indexOf(u'>', closing);
            return closingEnd < 0 ? text.size() : closingEnd + 1;
        }
    }
    return end;
}

} // namespace

SearchMatcher::SearchMatcher(const QString &term)
    : m_term(term.trimmed())
    , m_folded(foldedText(QString(m_term).replace(u'&', QStringLiteral("&amp;")).replace(u'<', QStringLiteral("&lt;")))) {}

bool SearchMatcher::matchesName(const MessageName &name) const {
    return !m_term.isEmpty() && (name.from.contains(m_term, Qt::CaseInsensitive) ||
                                 name.subject.contains(m_term, Qt::CaseInsensitive) ||
                                 name.to.contains(m_term, Qt::CaseInsensitive));
}

bool SearchMatcher::matchesText(const QByteArray &fileBytes) const {
    if (m_folded.isEmpty())
        return false;
    const QString text = TextFile::decode(fileBytes);
    // The header lines carry captions ("From:") and the values the name search covers.
    qsizetype body = text.indexOf(QLatin1StringView("<div id=body"), 0, Qt::CaseInsensitive);
    return foldedText(QStringView(text).sliced(body < 0 ? 0 : body)).contains(m_folded);
}

QString SearchMatcher::foldedText(QStringView html) {
    FoldedWriter out(html.size());
    for (qsizetype i = 0; i < html.size(); ++i) {
        const QChar c = html[i];
        if (c == u'<') {
            bool separates = false;
            const qsizetype end = skipMarkup(html, i, separates);
            if (end >= 0) {
                if (separates)
                    out.blank();
                i = end - 1;
                continue;
            }
        } else if (c == u'&') {
            qsizetype length = 0;
            if (const std::optional<char32_t> decoded = reference(html, i, length)) {
                out.character(*decoded);
                i += length - 1;
                continue;
            }
        } else if (c.isHighSurrogate() && i + 1 < html.size() && html[i + 1].isLowSurrogate()) {
            out.character(QChar::surrogateToUcs4(c, html[i + 1]));
            ++i;
            continue;
        }
        out.character(c.unicode());
    }
    return out.take();
}
