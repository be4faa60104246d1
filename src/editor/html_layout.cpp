#include "editor/html_layout.h"

#include "editor/html_tag_scanner.h"

#include <QList>
#include <QSet>

namespace {

using namespace Qt::StringLiterals;

const QSet<QString> blocks = {
    u"address"_s,    u"article"_s,  u"aside"_s,  u"blockquote"_s, u"body"_s,   u"caption"_s, u"center"_s,
    u"col"_s,        u"colgroup"_s, u"dd"_s,     u"div"_s,        u"dl"_s,     u"dt"_s,      u"fieldset"_s,
    u"figcaption"_s, u"figure"_s,   u"footer"_s, u"form"_s,       u"h1"_s,     u"h2"_s,      u"h3"_s,
    u"h4"_s,         u"h5"_s,       u"h6"_s,     u"head"_s,       u"header"_s, u"hr"_s,      u"html"_s,
    u"li"_s,         u"main"_s,     u"nav"_s,    u"ol"_s,         u"p"_s,      u"pre"_s,     u"section"_s,
    u"table"_s,      u"tbody"_s,    u"td"_s,     u"tfoot"_s,      u"th"_s,     u"thead"_s,   u"tr"_s,
    u"ul"_s};
// In the head, where nothing shows, its elements go on lines of their own too.
const QSet<QString> headParts = {u"base"_s, u"link"_s, u"meta"_s, u"script"_s, u"style"_s, u"title"_s};
const QSet<QString> empty = {u"base"_s, u"col"_s, u"hr"_s, u"link"_s, u"meta"_s};
// Elements whose whitespace shows, or is no markup's.
const QSet<QString> verbatim = {u"listing"_s, u"plaintext"_s, u"pre"_s,   u"script"_s,
                                u"style"_s,   u"textarea"_s,  u"title"_s, u"xmp"_s};
// What a start tag closes when it finds it open (as a browser reads a file that leaves it open).
bool closedBy(const QString &open, const QString &next) {
    if (open == u"p")
        return true;
    if (open == u"li" || open == u"tr")
        return next == open;
    if (open == u"td" || open == u"th")
        return next == u"td" || next == u"th" || next == u"tr";
    if (open == u"dt" || open == u"dd")
        return next == u"dt" || next == u"dd";
    return false;
}

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\f';
}

} // namespace

QString HtmlLayout::laidOut(const QString &html, int depth, Place place) {
    struct Open {
        QString name;
        bool broken = false; // a block inside it began a line
    };
    QList<Open> open;
    QString out;
    out.reserve(html.size() + html.size() / 8);
    // Outside `html` and `body` each open block is a level.
    const auto level = [&] {
        int n = depth;
        for (const Open &o : open)
            n += o.name != u"html" && o.name != u"body";
        return n;
    };
    // A block's line; a piece that began with a line break keeps one.
    const auto newLine = [&](int indent) {
        const bool blank = out.isEmpty() ? place == Place::AfterNode : isBlank(out.back());
        while (!out.isEmpty() && isBlank(out.back()))
            out.chop(1);
        if (!out.isEmpty() || blank)
            out += u'\n' + QString(2 * indent, u' ');
    };
    QString keptAs; // the verbatim element open, whose end alone is looked for
    bool afterBlockEnd = false, afterBlockTag = false;
    qsizetype pos = 0;
    HtmlTagScanner scanner(html);
    HtmlTag tag;
    while (true) {
        const bool found = scanner.next(tag);
        QStringView text = QStringView(html).mid(pos, (found ? tag.begin : html.size()) - pos);
        QStringView rest = text;
        while (!rest.isEmpty() && isBlank(rest.front()))
            rest = rest.mid(1);
        // Blanks that end the piece stand before what follows it, which is not laid out here.
        if (keptAs.isEmpty() && afterBlockTag && (found || !rest.isEmpty())) {
            text = rest;
            if (!text.isEmpty() && afterBlockEnd)
                newLine(level());
        }
        out += text;
        if (!found)
            break;
        pos = tag.end + 1;
        const QStringView written = QStringView(html).mid(tag.begin, pos - tag.begin);
        const QString name = tag.name.toString().toLower();
        if (!keptAs.isEmpty() && !(tag.closing && name == keptAs)) {
            out += written;
            continue;
        }
        const bool inHead = !open.isEmpty() && open.back().name == u"head";
        if (!blocks.contains(name) && !(inHead && headParts.contains(name)) && name != keptAs) {
            out += written;
            afterBlockTag = afterBlockEnd = false;
            continue;
        }
        afterBlockTag = true;
        afterBlockEnd = tag.closing || empty.contains(name);
        if (!tag.closing) {
            while (!open.isEmpty() && closedBy(open.back().name, name))
                open.removeLast();
            newLine(level());
            if (!open.isEmpty())
                open.back().broken = true;
            out += written;
            if (!empty.contains(name) && !written.endsWith(u"/>"))
                open.append({name});
            if (verbatim.contains(name))
                keptAs = name;
            continue;
        }
        keptAs.clear();
        qsizetype at = open.size() - 1;
        while (at >= 0 && open[at].name != name)
            --at;
        if (at >= 0) {
            const bool broken = open[at].broken;
            open.resize(at);
            if (broken)
                newLine(level());
        }
        out += written;
    }
    return out;
}
