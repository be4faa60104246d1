#include "store/search_matcher.h"

#include "base/text_file.h"

#include <algorithm>
#include <array>

#include <string.h>

namespace {

// HTML's named character references, sorted by name; `second` is 0 for a name that stands for
// one character.
struct NamedReference {
    const char *name;
    char32_t first, second;
};
constexpr NamedReference namedReferences[] = {
#include "html_entities.inc"
};

const NamedReference *namedReference(QByteArrayView name) {
    const auto found = std::lower_bound(std::begin(namedReferences), std::end(namedReferences), name,
                                        [](const NamedReference &row, QByteArrayView key) {
                                            return QByteArrayView(row.name).compare(key) < 0;
                                        });
    return found != std::end(namedReferences) && QByteArrayView(found->name) == name ? found : nullptr;
}

// The characters a reference at `text[at]` ("&amp;", "&#233;", "&#xE9;") stands for (one, or
// two for a few names), and its length; nothing when it is no reference, and the "&" is then text.
struct Referenced {
    char32_t first, second = 0;
};
std::optional<Referenced> reference(QByteArrayView text, qsizetype at, qsizetype &length) {
    const qsizetype end = text.indexOf(';', at + 1);
    if (end < 0 || end - at > 40 || end == at + 1)
        return std::nullopt;
    length = end - at + 1;
    const QByteArrayView name = text.sliced(at + 1, end - at - 1);
    if (name.startsWith('#')) {
        bool ok = false;
        const bool hex = name.size() > 1 && (name[1] == 'x' || name[1] == 'X');
        const uint code = name.sliced(hex ? 2 : 1).toUInt(&ok, hex ? 16 : 10);
        if (!ok || code == 0 || code > 0x10FFFF || (code >= 0xD800 && code < 0xE000))
            return std::nullopt;
        return Referenced{char32_t(code)};
    }
    if (const NamedReference *named = namedReference(name))
        return Referenced{named->first, named->second};
    return std::nullopt;
}

bool isAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isAsciiAlnum(char c) {
    return isAsciiLetter(c) || (c >= '0' && c <= '9');
}

// Tags after which a reader sees a new line or cell: they separate words.
bool separatesWords(QByteArrayView name) {
    static constexpr QByteArrayView separating[] = {"br", "p",  "div", "tr", "td",    "th",        "li",
                                                    "hr", "h1", "h2",  "h3", "table", "blockquote"};
    for (const QByteArrayView tag : separating) {
        if (tag.size() == name.size() && tag.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

// Writes folded UTF-8: letters case-folded, every run of blanks one blank, none at either end.
class FoldedWriter {
public:
    explicit FoldedWriter(qsizetype capacity)
        : m_out(capacity + 8, Qt::Uninitialized)
        , m_at(m_out.data()) {}

    void blank() {
        if (m_at != m_out.data() && !m_lastBlank)
            *m_at++ = ' ';
        m_lastBlank = true;
    }
    void ascii(char c) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f') {
            blank();
            return;
        }
        m_lastBlank = false;
        *m_at++ = c >= 'A' && c <= 'Z' ? char(c + 32) : c;
    }
    void character(char32_t c) {
        if (c < 0x80) {
            ascii(char(c));
            return;
        }
        if (c == 0xA0) {
            blank();
            return;
        }
        m_lastBlank = false;
        const char32_t folded = QChar::toCaseFolded(c);
        if (folded < 0x80) { // the Kelvin sign and the long s fold to ASCII letters
            *m_at++ = char(folded);
            return;
        }
        // A folded character may take more bytes than it came from (a reference never does).
        if (m_at + 4 > m_out.data() + m_out.size()) {
            const qsizetype used = m_at - m_out.data();
            m_out.resize(m_out.size() * 2 + 8);
            m_at = m_out.data() + used;
        }
        if (folded < 0x800) {
            *m_at++ = char(0xC0 | (folded >> 6));
        } else {
            if (folded < 0x10000) {
                *m_at++ = char(0xE0 | (folded >> 12));
            } else {
                *m_at++ = char(0xF0 | (folded >> 18));
                *m_at++ = char(0x80 | ((folded >> 12) & 0x3F));
            }
            *m_at++ = char(0x80 | ((folded >> 6) & 0x3F));
        }
        *m_at++ = char(0x80 | (folded & 0x3F));
    }
    QByteArray take() {
        qsizetype size = m_at - m_out.data();
        if (m_lastBlank && size > 0)
            --size;
        m_out.truncate(size);
        return std::move(m_out);
    }

private:
    QByteArray m_out;
    char *m_at;
    bool m_lastBlank = true;
};

// The character whose UTF-8 starts at `text[at]`, and its length; nothing when the bytes there
// are no UTF-8.
std::optional<char32_t> utf8Character(QByteArrayView text, qsizetype at, qsizetype &length) {
    const uchar lead = uchar(text[at]);
    length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (length == 0 || lead > 0xF4 || at + length > text.size())
        return std::nullopt;
    char32_t code = lead & (0x7F >> length);
    for (qsizetype i = 1; i < length; ++i) {
        const uchar next = uchar(text[at + i]);
        if ((next & 0xC0) != 0x80)
            return std::nullopt;
        code = (code << 6) | (next & 0x3F);
    }
    const char32_t least = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code < 0xE000))
        return std::nullopt;
    return code;
}

// Where the tag or comment that opens at `text[at]` ends (just after it), or -1 when the "<"
// opens none and is text.
qsizetype skipMarkup(QByteArrayView text, qsizetype at, bool &separates) {
    separates = false;
    const QByteArrayView rest = text.sliced(at);
    if (rest.startsWith("<!--")) {
        const qsizetype end = findBytes(text, "-->", at + 4);
        return end < 0 ? text.size() : end + 3;
    }
    if (rest.size() < 2 || !(isAsciiLetter(rest[1]) || rest[1] == '/' || rest[1] == '!' || rest[1] == '?'))
        return -1;
    const qsizetype close = text.indexOf('>', at + 1);
    const qsizetype end = close < 0 ? text.size() : close + 1;
    const qsizetype nameStart = at + 1 + (rest[1] == '/' ? 1 : 0);
    qsizetype nameEnd = nameStart;
    while (nameEnd < end && isAsciiAlnum(text[nameEnd]))
        ++nameEnd;
    const QByteArrayView name = text.sliced(nameStart, nameEnd - nameStart);
    separates = separatesWords(name);
    // A script's or style's content is no text either.
    for (const char *hidden : {"script", "style"}) {
        if (rest[1] != '/' &&
            QLatin1StringView(name).compare(QLatin1StringView(hidden), Qt::CaseInsensitive) == 0) {
            const QLatin1StringView tag(hidden);
            qsizetype closing = findBytes(text, "</", end);
            while (
                closing >= 0 &&
                QLatin1StringView(text.sliced(closing + 2).first(qMin(tag.size(), text.size() - closing - 2)))
                        .compare(tag, Qt::CaseInsensitive) != 0)
                closing = findBytes(text, "</", closing + 2);
            if (closing < 0)
                return text.size();
            const qsizetype closingEnd = text.indexOf('>', closing);
            return closingEnd < 0 ? text.size() : closingEnd + 1;
        }
    }
    return end;
}

// The folded text of valid UTF-8; nothing when the bytes are not UTF-8.
std::optional<QByteArray> foldUtf8(QByteArrayView html) {
    FoldedWriter out(html.size());
    for (qsizetype i = 0; i < html.size(); ++i) {
        const char c = html[i];
        if (c == '<') {
            bool separates = false;
            const qsizetype end = skipMarkup(html, i, separates);
            if (end >= 0) {
                if (separates)
                    out.blank();
                i = end - 1;
                continue;
            }
        } else if (c == '&') {
            qsizetype length = 0;
            if (const std::optional<Referenced> decoded = reference(html, i, length)) {
                out.character(decoded->first);
                if (decoded->second != 0)
                    out.character(decoded->second);
                i += length - 1;
                continue;
            }
        } else if (uchar(c) >= 0x80) {
            qsizetype length = 0;
            const std::optional<char32_t> decoded = utf8Character(html, i, length);
            if (!decoded)
                return std::nullopt;
            out.character(*decoded);
            i += length - 1;
            continue;
        }
        out.ascii(c);
    }
    return out.take();
}

// The ASCII letters that some other character case-folds to (the Kelvin sign to "k", the long s to "s").
const std::array<bool, 128> &foldedFromBeyondAscii() {
    static const std::array<bool, 128> reached = [] {
        std::array<bool, 128> made{};
        for (char32_t c = 0x80; c <= 0x10FFFF; ++c) {
            const char32_t folded = QChar::toCaseFolded(c);
            if (folded < 0x80)
                made[folded] = true;
        }
        return made;
    }();
    return reached;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? char(c + 32) : c;
}

// Whether the folded term may start at `text[at]`, which holds its first letter in some case: the
// rest follows letter by letter, any blank run standing for a blank. A tag, a reference or a byte
// beyond ASCII on the way could hide or make the rest, so there the answer is "may".
bool mayStartAt(QByteArrayView text, qsizetype at, QByteArrayView folded) {
    qsizetype i = at + 1;
    for (qsizetype j = 1; j < folded.size(); ++j) {
        if (i == text.size())
            return false;
        const char c = text[i];
        if (c == '<' || c == '&' || uchar(c) >= 0x80 || uchar(folded[j]) >= 0x80)
            return true;
        if (folded[j] == ' ') {
            if (!isBlank(c))
                return false;
            while (i < text.size() && isBlank(text[i]))
                ++i;
        } else if (asciiLower(c) == folded[j]) {
            ++i;
        } else {
            return false;
        }
    }
    return true;
}

// A quick look at the raw bytes, far cheaper than folding them: false only when the folded text
// cannot hold `folded`, which starts with an ASCII letter or digit.
bool mayContain(QByteArrayView text, QByteArrayView folded) {
    const char first = folded[0];
    // UTF-16 text, where a zero byte sits beside every ASCII letter: only the full reading knows.
    if (text.contains('\0'))
        return true;
    if (foldedFromBeyondAscii()[uchar(first)] &&
        std::any_of(text.begin(), text.end(), [](char c) { return uchar(c) >= 0x80; }))
        return true;
    // Of the references, only numeric ones stand for letters and digits.
    for (qsizetype at = findBytes(text, "&#"); at >= 0; at = findBytes(text, "&#", at + 2)) {
        qsizetype length = 0;
        const std::optional<Referenced> decoded = reference(text, at, length);
        if (decoded && QChar::toCaseFolded(decoded->first) == char32_t(first))
            return true;
    }
    // The first letter's places in either case, taken in order from two memchr runs.
    const char upper = first >= 'a' && first <= 'z' ? char(first - 32) : first;
    qsizetype lowerAt = findBytes(text, {&first, 1});
    qsizetype upperAt = upper == first ? -1 : findBytes(text, {&upper, 1});
    while (lowerAt >= 0 || upperAt >= 0) {
        const bool lowerNext = upperAt < 0 || (lowerAt >= 0 && lowerAt < upperAt);
        const qsizetype at = lowerNext ? lowerAt : upperAt;
        if (mayStartAt(text, at, folded))
            return true;
        if (lowerNext)
            lowerAt = findBytes(text, {&first, 1}, at + 1);
        else
            upperAt = findBytes(text, {&upper, 1}, at + 1);
    }
    return false;
}

} // namespace

qsizetype findBytes(QByteArrayView text, QByteArrayView needle, qsizetype from) {
    if (from < 0 || needle.isEmpty())
        return needle.isEmpty() && from >= 0 && from <= text.size() ? from : -1;
    if (needle.size() == 1) {
        const void *found =
            from < text.size() ? memchr(text.data() + from, needle[0], size_t(text.size() - from)) : nullptr;
        return found ? static_cast<const char *>(found) - text.data() : -1;
    }
    // memchr looks for one byte of the needle, the one least common in mail's HTML (the last of the
    // rarer ones: "=" of "<div id=", "#" of "&#"), and the needle is compared where it is found.
    const auto common = [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == ' ' || c == '<' || c == '>' ||
               c == '/' || c == '\r' || c == '\n';
    };
    qsizetype anchor = needle.size() - 1;
    for (qsizetype i = needle.size() - 1; i >= 0; --i) {
        if (!common(needle[i])) {
            anchor = i;
            break;
        }
    }
    const char anchorByte = needle[anchor];
    const qsizetype after = needle.size() - 1 - anchor;
    for (qsizetype at = from + anchor; at + after < text.size();) {
        const void *found = memchr(text.data() + at, anchorByte, size_t(text.size() - after - at));
        if (!found)
            return -1;
        at = static_cast<const char *>(found) - text.data();
        if (memcmp(text.data() + at - anchor, needle.data(), size_t(needle.size())) == 0)
            return at - anchor;
        ++at;
    }
    return -1;
}

SearchMatcher::SearchMatcher(const QString &term)
    : m_term(term.trimmed())
    , m_folded(foldedText(QString(m_term)
                              .replace(u'&', QStringLiteral("&amp;"))
                              .replace(u'<', QStringLiteral("&lt;"))
                              .toUtf8())) {}

bool SearchMatcher::matchesHeaders(QByteArrayView fileBytes) const {
    if (m_folded.isEmpty())
        return false;
    // One pass over the header lines ("<div id=subject>"), up to the body's; of each line asked
    // for, the first one's value between its caption ("<b>Subject:&nbsp;</b>") and its end.
    static constexpr QByteArrayView searched[] = {"from", "to", "cc", "subject", "date"};
    bool seen[std::size(searched)] = {};
    const QByteArrayView lineStart = "<div id=";
    for (qsizetype line = findBytes(fileBytes, lineStart); line >= 0;
         line = findBytes(fileBytes, lineStart, line + lineStart.size())) {
        const qsizetype idStart = line + lineStart.size();
        const qsizetype idEnd = findBytes(fileBytes, ">", idStart);
        if (idEnd < 0)
            break;
        const QByteArrayView id = fileBytes.sliced(idStart, idEnd - idStart);
        if (id.startsWith("body"))
            break;
        const auto which = std::find(std::begin(searched), std::end(searched), id);
        if (which == std::end(searched) || seen[which - std::begin(searched)])
            continue;
        seen[which - std::begin(searched)] = true;
        const qsizetype caption = findBytes(fileBytes, "</b>", idEnd);
        if (caption < 0)
            continue;
        const qsizetype from = caption + 4;
        qsizetype end = findBytes(fileBytes, "</font></div>\r\n<div id=", from);
        if (end < 0)
            end = findBytes(fileBytes, "</font></div>", from);
        if (end >= 0 && matchesFolded(fileBytes.sliced(from, end - from)))
            return true;
    }
    return false;
}

bool SearchMatcher::matchesText(QByteArrayView fileBytes) const {
    if (m_folded.isEmpty())
        return false;
    // The header lines carry captions ("From:"); their values are matchesHeaders' to find.
    const qsizetype body = findBytes(fileBytes, "<div id=body");
    return matchesFolded(fileBytes.sliced(body < 0 ? 0 : body));
}

bool SearchMatcher::matchesFolded(QByteArrayView html) const {
    if (isAsciiAlnum(m_folded[0]) && !mayContain(html, m_folded))
        return false;
    return foldedText(html).contains(m_folded);
}

QByteArray SearchMatcher::foldedText(QByteArrayView html) {
    if (html.startsWith("\xEF\xBB\xBF"))
        html = html.sliced(3);
    if (std::optional<QByteArray> folded = foldUtf8(html))
        return *folded;
    // A file made on Windows in its code page.
    return *foldUtf8(TextFile::decode(html.toByteArray()).toUtf8());
}
