#pragma once

#include <QString>
#include <QStringView>

// One tag found in HTML text; positions are 0-based, `end` is the index of its ">".
struct HtmlTag {
    QStringView name; // as written, without "<" or "/"
    bool closing = false;
    qsizetype begin = 0;
    qsizetype end = 0;

    bool is(QStringView tagName) const { return name.compare(tagName, Qt::CaseInsensitive) == 0; }
};

// Walks the tags of HTML text in document order, the way a browser sees them: names are whole
// ("<TR" is not "<TRACK"), a ">" inside a quoted attribute value does not end a tag, and
// comments, declarations and the content of script, style, textarea and title elements hold no
// tags. A "<" that starts no tag is text.
class HtmlTagScanner {
public:
    explicit HtmlTagScanner(const QString &html, qsizetype from = 0)
        : m_html(html)
        , m_pos(from) {}

    // The next tag, or false at the end of the text.
    bool next(HtmlTag &tag);

private:
    void skipRawText(const HtmlTag &opening);

    const QString &m_html;
    qsizetype m_pos;
};
