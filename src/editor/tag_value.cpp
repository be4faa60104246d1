#include "editor/tag_value.h"

#include <optional>
#include <vector>

namespace {

const QString flagPresent = QStringLiteral("<ON>");

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\f';
}

// One attribute of a tag, as positions (0-based) in the html text.
struct Attribute {
    qsizetype nameBegin = 0;
    qsizetype nameEnd = 0;
    bool valued = false;      // written with "="
    qsizetype tokenBegin = 0; // the value including its quotes
    qsizetype tokenEnd = 0;
    qsizetype valueBegin = 0; // the value without its quotes
    qsizetype valueEnd = 0;
    bool quoted = false;
};

struct ParsedTag {
    qsizetype end = -1;      // the tag's closing ">"
    qsizetype insertAt = -1; // where a new attribute goes: before ">", or before "/>"
    // What the last value lacks before another attribute can follow it: its closing quote when it
    // ran unclosed to ">", or "" for a "=" with nothing after it.
    QString lastValueEnding;
    std::vector<Attribute> matches; // a browser reads only the first; a removal takes them all
};

// Walks the tag that starts at `begin` attribute by attribute, the way a browser reads it: names
// end at a blank, "=", "/" or ">"; a value may be quoted with " or ' (a ">" inside quotes does not
// end the tag); an unquoted value ends at a blank or ">". A quote that is never closed ends at the
// next ">". Gives no end when the tag is not closed.
ParsedTag parseTag(const QString &html, qsizetype begin, const QString &name) {
    ParsedTag tag;
    const qsizetype n = html.size();
    qsizetype i = begin + 1;
    while (i < n && !isBlank(html[i]) && html[i] != u'>' && html[i] != u'/')
        ++i; // the tag's own name
    while (true) {
        qsizetype slash = -1;
        while (i < n && (isBlank(html[i]) || html[i] == u'/')) {
            if (html[i] == u'/' && slash < 0)
                slash = i;
            ++i;
        }
        if (i >= n)
            return tag;
        if (html[i] == u'>') {
            tag.end = i;
            tag.insertAt = slash >= 0 ? slash : i;
            return tag;
        }
        Attribute attribute;
        attribute.nameBegin = i++; // the first character always belongs to the name, even "=" or a quote
        while (i < n && !isBlank(html[i]) && html[i] != u'=' && html[i] != u'>' && html[i] != u'/')
            ++i;
        attribute.nameEnd = i;
        qsizetype j = i;
        while (j < n && isBlank(html[j]))
            ++j;
        if (j < n && html[j] == u'=') {
            ++j;
            while (j < n && isBlank(html[j]))
                ++j;
            attribute.valued = true;
            attribute.tokenBegin = j;
            if (j < n && (html[j] == u'"' || html[j] == u'\'')) {
                attribute.quoted = true;
                attribute.valueBegin = j + 1;
                const qsizetype close = html.indexOf(html[j], j + 1);
                if (close >= 0) {
                    attribute.valueEnd = close;
                    attribute.tokenEnd = close + 1;
                } else {
                    const qsizetype gt = html.indexOf(u'>', j + 1);
                    if (gt < 0)
                        return tag;
                    attribute.valueEnd = attribute.tokenEnd = gt;
                    tag.lastValueEnding = html[j];
                }
            } else {
                attribute.valueBegin = j;
                while (j < n && !isBlank(html[j]) && html[j] != u'>')
                    ++j;
                attribute.valueEnd = attribute.tokenEnd = j;
                if (j == attribute.tokenBegin)
                    tag.lastValueEnding = QStringLiteral("\"\"");
            }
            i = attribute.tokenEnd;
        }
        const QStringView found =
            QStringView(html).mid(attribute.nameBegin, attribute.nameEnd - attribute.nameBegin);
        if (found.compare(name, Qt::CaseInsensitive) == 0)
            tag.matches.push_back(attribute);
    }
}

bool isPlainValue(const QString &value) {
    for (QChar c : value) {
        if (isBlank(c) || c == u'"' || c == u'\'' || c == u'=' || c == u'<' || c == u'>' || c == u'`')
            return false;
    }
    return true;
}

// Plain values go unquoted; others in double quotes, or in single quotes when they hold a double
// quote and no single one.
QString writtenValue(const QString &value) {
    if (isPlainValue(value))
        return value;
    if (value.contains(u'"') && !value.contains(u'\''))
        return u'\'' + value + u'\'';
    QString escaped = value;
    escaped.replace(u'"', QStringLiteral("&quot;"));
    return u'"' + escaped + u'"';
}

// A written value that runs straight into more text ("/", or the next attribute after a closing
// quote) would swallow it: a blank keeps them apart.
QString separated(const QString &html, qsizetype at) {
    return at < html.size() && !isBlank(html[at]) && html[at] != u'>' ? QStringLiteral(" ") : QString();
}

QString inserted(const QString &html, const ParsedTag &tag, const QString &attribute) {
    QString head = html.left(tag.insertAt);
    head += tag.lastValueEnding; // or the last value would take in the new attribute
    // Before "/>" the attribute takes the blank in front of the slash, if any, and leaves one behind it.
    if (tag.insertAt == tag.end || !isBlank(html[tag.insertAt - 1]))
        head += u' ';
    return head + attribute + separated(html, tag.insertAt) + html.mid(tag.insertAt);
}

QString removedAll(const QString &html, const ParsedTag &tag) {
    QString result = html;
    for (auto a = tag.matches.rbegin(); a != tag.matches.rend(); ++a)
        result.remove(a->nameBegin, (a->valued ? a->tokenEnd : a->nameEnd) - a->nameBegin);
    return result;
}

QString readValue(const QString &html, const ParsedTag &tag) {
    if (tag.matches.empty())
        return QString();
    const Attribute &a = tag.matches.front();
    if (!a.valued)
        return flagPresent;
    QString value = html.mid(a.valueBegin, a.valueEnd - a.valueBegin);
    if (!a.quoted)
        value.remove(u'"');
    return value;
}

QString setValue(const QString &html, const ParsedTag &tag, const QString &name, const QString &value) {
    if (value.isEmpty())
        return removedAll(html, tag);
    if (tag.matches.empty())
        return inserted(html, tag, name + u'=' + writtenValue(value));
    const Attribute &a = tag.matches.front();
    if (!a.valued) // a flag that is now given a value
        return html.left(a.nameEnd) + u'=' + writtenValue(value) + separated(html, a.nameEnd) +
               html.mid(a.nameEnd);
    return html.left(a.tokenBegin) + writtenValue(value) + separated(html, a.tokenEnd) + html.mid(a.tokenEnd);
}

// A flag is present or absent whatever its form: NOWRAP, nowrap="" (as a browser writes it back)
// and nowrap=nowrap all count as present.
QString setFlag(const QString &html, const ParsedTag &tag, const QString &name, const QString &value) {
    const bool wanted = value == u"1";
    if (!wanted)
        return removedAll(html, tag);
    return tag.matches.empty() ? inserted(html, tag, name) : html;
}

// The tag at the 1-based `start`, or nothing when no closed tag starts there.
std::optional<ParsedTag> tagAt(const QString &html, int start, const QString &name) {
    if (start < 1 || start > html.size() || html[start - 1] != u'<')
        return std::nullopt;
    ParsedTag tag = parseTag(html, start - 1, name);
    if (tag.end < 0)
        return std::nullopt;
    return tag;
}

} // namespace

QString TagValue(const QString &html, int start, const QString &name, const QString &value, int mode) {
    const std::optional<ParsedTag> tag = name.isEmpty() ? std::nullopt : tagAt(html, start, name);
    switch (mode) {
    case TagSetValue:
        return tag ? setValue(html, *tag, name, value) : html; // a broken tag is kept rather than lost
    case TagSetFlag:
        return tag ? setFlag(html, *tag, name, value) : html;
    default:
        return tag ? readValue(html, *tag) : QString();
    }
}

bool TagHasAttribute(const QString &html, int start, const QString &name) {
    const std::optional<ParsedTag> tag = tagAt(html, start, name);
    return !name.isEmpty() && tag && !tag->matches.empty();
}

qsizetype TagEnd(const QString &html, int start) {
    // An empty name matches no attribute: this only walks the tag.
    const std::optional<ParsedTag> tag = tagAt(html, start, QString());
    return tag ? tag->end : -1;
}
