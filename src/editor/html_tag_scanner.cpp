#include "editor/html_tag_scanner.h"

#include "editor/tag_value.h"

namespace {

bool isNameStart(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

qsizetype nameEnd(const QString &html, qsizetype from) {
    while (from < html.size() && (isNameStart(html[from]) || html[from].isDigit()))
        ++from;
    return from;
}

} // namespace

bool HtmlTagScanner::next(HtmlTag &tag) {
    while (true) {
        const qsizetype open = m_html.indexOf(u'<', m_pos);
        if (open < 0 || open + 1 >= m_html.size()) {
            m_pos = m_html.size();
            return false;
        }
        const QChar after = m_html[open + 1];
        if (QStringView(m_html).mid(open, 4) == u"<!--") {
            const qsizetype close = m_html.indexOf(QStringLiteral("-->"), open + 4);
            m_pos = close < 0 ? m_html.size() : close + 3;
            continue;
        }
        if (after == u'!' || after == u'?') {
            const qsizetype close = m_html.indexOf(u'>', open);
            m_pos = close < 0 ? m_html.size() : close + 1;
            continue;
        }
        const bool closing = after == u'/';
        const qsizetype nameBegin = open + (closing ? 2 : 1);
        if (nameBegin >= m_html.size() || !isNameStart(m_html[nameBegin])) {
            m_pos = open + 1; // a "<" in text
            continue;
        }
        const qsizetype end = closing ? m_html.indexOf(u'>', nameBegin) : TagEnd(m_html, int(open) + 1);
        if (end < 0) {
            m_pos = m_html.size(); // an unclosed tag ends the markup
            return false;
        }
        tag.name = QStringView(m_html).mid(nameBegin, nameEnd(m_html, nameBegin) - nameBegin);
        tag.closing = closing;
        tag.begin = open;
        tag.end = end;
        m_pos = end + 1;
        if (!closing)
            skipRawText(tag);
        return true;
    }
}

// The text of these elements is not markup: a "<td" inside a script is no cell.
void HtmlTagScanner::skipRawText(const HtmlTag &opening) {
    for (const char16_t *raw : {u"script", u"style", u"textarea", u"title", u"xmp"}) {
        if (!opening.is(raw))
            continue;
        QString closing = QStringLiteral("</");
        closing += QStringView(raw);
        const qsizetype at = m_html.indexOf(closing, m_pos, Qt::CaseInsensitive);
        m_pos = at < 0 ? m_html.size() : at;
        return;
    }
}
