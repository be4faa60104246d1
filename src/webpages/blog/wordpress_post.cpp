#include "webpages/blog/wordpress_post.h"

#include <QSet>
#include <QUrlQuery>

using namespace Qt::StringLiterals;

namespace {

// The elements around which WordPress's paragraph rule makes no line break.
const QSet<QString> &blockElements() {
    static const QSet<QString> names = {
        u"table"_s,   u"thead"_s,      u"tfoot"_s,   u"caption"_s,    u"col"_s,     u"colgroup"_s,
        u"tbody"_s,   u"tr"_s,         u"td"_s,      u"th"_s,         u"div"_s,     u"dl"_s,
        u"dd"_s,      u"dt"_s,         u"ul"_s,      u"ol"_s,         u"li"_s,      u"pre"_s,
        u"form"_s,    u"map"_s,        u"area"_s,    u"blockquote"_s, u"address"_s, u"math"_s,
        u"style"_s,   u"p"_s,          u"h1"_s,      u"h2"_s,         u"h3"_s,      u"h4"_s,
        u"h5"_s,      u"h6"_s,         u"hr"_s,      u"fieldset"_s,   u"legend"_s,  u"section"_s,
        u"article"_s, u"aside"_s,      u"hgroup"_s,  u"header"_s,     u"footer"_s,  u"nav"_s,
        u"figure"_s,  u"figcaption"_s, u"details"_s, u"menu"_s,       u"summary"_s, u"br"_s,
        u"body"_s};
    return names;
}

// Elements whose text is shown or run as written.
bool keepsWhitespace(const QString &name) {
    return name == u"pre"_s || name == u"textarea"_s || name == u"script"_s || name == u"style"_s;
}

// The lower-cased name of the tag that starts at `at` ('<'), with whether it closes an element;
// an empty name for comments and other markup.
std::pair<QString, bool> tagAt(const QString &html, qsizetype at) {
    qsizetype i = at + 1;
    const bool closing = i < html.size() && html.at(i) == u'/';
    if (closing)
        ++i;
    const qsizetype start = i;
    while (i < html.size() && html.at(i).isLetterOrNumber())
        ++i;
    return {html.mid(start, i - start).toLower(), closing};
}

} // namespace

bool WordPressPost::isEditScreen(const QUrl &address) {
    const QString path = address.path();
    if (path.endsWith(u"/wp-admin/post-new.php"_s))
        return true;
    const QUrlQuery query(address);
    return path.endsWith(u"/wp-admin/post.php"_s) && query.queryItemValue(u"action"_s) == u"edit"_s &&
           !query.queryItemValue(u"post"_s).isEmpty();
}

bool WordPressPost::confirmsPublishing(const QUrl &address) {
    // The edit screen's notice numbers: 1 "Post updated.", 6 "Post published.".
    const QString message = QUrlQuery(address).queryItemValue(u"message"_s);
    return isEditScreen(address) && (message == u"1"_s || message == u"6"_s);
}

bool WordPressPost::noticeConfirmsPublishing(const QString &text) {
    return text.startsWith(u"Post published."_s) || text.startsWith(u"Post updated."_s);
}

QString WordPressPost::classicBody(const QString &html) {
    QString out;
    out.reserve(html.size());
    QString verbatim;           // the element whose text is kept as written, while inside it
    bool lastTagIsBlock = true; // nothing but blanks since a block element's tag (or the start)
    qsizetype i = 0;
    while (i < html.size()) {
        const QChar c = html.at(i);
        if (c == u'<') {
            const bool comment = QStringView(html).mid(i, 4) == u"<!--";
            const qsizetype end = comment ? html.indexOf(u"-->"_s, i) : html.indexOf(u'>', i);
            const qsizetype stop = end < 0 ? html.size() : end + (comment ? 3 : 1);
            const auto [name, closing] = comment ? std::pair<QString, bool>() : tagAt(html, i);
            if (!verbatim.isEmpty()) {
                if (closing && name == verbatim)
                    verbatim.clear();
            } else if (!closing && keepsWhitespace(name)) {
                verbatim = name;
            }
            if (!name.isEmpty())
                lastTagIsBlock = blockElements().contains(name);
            out += QStringView(html).mid(i, stop - i);
            i = stop;
            continue;
        }
        if (!verbatim.isEmpty() || !c.isSpace()) {
            out += c;
            lastTagIsBlock = false;
            ++i;
            continue;
        }
        qsizetype end = i;
        bool lineBreak = false;
        while (end < html.size() && html.at(end).isSpace()) {
            lineBreak = lineBreak || html.at(end) == u'\n';
            ++end;
        }
        const bool beforeBlock =
            end < html.size() && html.at(end) == u'<' && blockElements().contains(tagAt(html, end).first);
        if (lineBreak && !lastTagIsBlock && !beforeBlock)
            out += u' ';
        else
            out += QStringView(html).mid(i, end - i);
        i = end;
    }
    return out;
}

QString WordPressPost::blockBody(const QString &html) {
    if (html.trimmed().isEmpty())
        return QString();
    return u"<!-- wp:html -->\n"_s + html + u"\n<!-- /wp:html -->"_s;
}
