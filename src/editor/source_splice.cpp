#include "editor/source_splice.h"

#include "editor/document_encoding.h"

#include <QRegularExpression>
#include <QStringDecoder>

#include <gumbo.h>

#include <algorithm>
#include <memory>

namespace {

bool isUtf8(const QByteArray &encoding) {
    return encoding.compare("UTF-8", Qt::CaseInsensitive) == 0;
}

// Codes in which '<' and '>' bytes are always those characters, never part of another.
bool asciiSafe(const QByteArray &encoding) {
    const QByteArray upper = encoding.toUpper();
    return !upper.startsWith("UTF-16") && !upper.startsWith("UTF-32") && !upper.startsWith("ISO-2022") &&
           !upper.startsWith("UTF-7");
}

// The file as UTF-8 for the parser, with the byte offsets where its pieces start: it is cut
// before each '<' and after each '>', which is where nodes begin and end.
class Transcoded {
public:
    Transcoded(const QByteArray &bytes, const QByteArray &encoding, qsizetype mark) {
        if (isUtf8(encoding)) {
            m_mark = mark;
            m_utf8 = bytes.mid(mark);
            return;
        }
        QStringDecoder decoder(encoding.constData());
        qsizetype start = mark;
        for (qsizetype i = mark; i <= bytes.size(); ++i) {
            const bool cut = i == bytes.size() || bytes[i] == '<' || (i > mark && bytes[i - 1] == '>');
            if (!cut || i == start)
                continue;
            m_utf8At << m_utf8.size();
            m_byteAt << start;
            m_utf8 += QString(decoder(QByteArrayView(bytes).sliced(start, i - start))).toUtf8();
            start = i;
        }
        m_utf8At << m_utf8.size();
        m_byteAt << bytes.size();
    }
    const QByteArray &utf8() const { return m_utf8; }
    std::optional<qsizetype> byteOffset(qsizetype utf8Offset) const {
        if (m_utf8At.isEmpty())
            return utf8Offset + m_mark;
        const auto at = std::lower_bound(m_utf8At.begin(), m_utf8At.end(), utf8Offset);
        if (at == m_utf8At.end() || *at != utf8Offset)
            return std::nullopt;
        return m_byteAt[at - m_utf8At.begin()];
    }

private:
    QByteArray m_utf8;
    qsizetype m_mark = 0;
    QList<qsizetype> m_utf8At;
    QList<qsizetype> m_byteAt;
};

qsizetype nodeStart(const GumboNode *node) {
    if (node->type == GUMBO_NODE_ELEMENT || node->type == GUMBO_NODE_TEMPLATE)
        return qsizetype(node->v.element.start_pos.offset);
    return qsizetype(node->v.text.start_pos.offset);
}

qsizetype nodeEnd(const GumboNode *node) {
    if (node->type != GUMBO_NODE_ELEMENT && node->type != GUMBO_NODE_TEMPLATE)
        return qsizetype(node->v.text.start_pos.offset + node->v.text.original_text.length);
    const GumboElement &e = node->v.element;
    if (e.original_end_tag.length > 0)
        return qsizetype(e.end_pos.offset + e.original_end_tag.length);
    if (e.children.length > 0)
        return std::max(nodeEnd(static_cast<const GumboNode *>(e.children.data[e.children.length - 1])),
                        qsizetype(e.start_pos.offset + e.original_tag.length));
    return qsizetype(e.start_pos.offset + e.original_tag.length);
}

bool isText(const GumboNode *node) {
    return node->type == GUMBO_NODE_TEXT || node->type == GUMBO_NODE_WHITESPACE ||
           node->type == GUMBO_NODE_CDATA;
}

const GumboNode *bodyOf(const GumboOutput *output) {
    const GumboVector &children = output->root->v.element.children;
    for (unsigned i = 0; i < children.length; ++i) {
        const auto *child = static_cast<const GumboNode *>(children.data[i]);
        if (child->type == GUMBO_NODE_ELEMENT && child->v.element.tag == GUMBO_TAG_BODY)
            return child;
    }
    return nullptr;
}

// Whether the tag names in `head` are upper case (a whole name of capitals and digits) more than
// twice as often as they begin in lower case. Counted by hand: a file holds tens of thousands.
bool mostlyUpperCaseTags(QByteArrayView head) {
    const auto upper = [](char c) { return c >= 'A' && c <= 'Z'; };
    const auto lower = [](char c) { return c >= 'a' && c <= 'z'; };
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    qsizetype upperTags = 0;
    qsizetype lowerTags = 0;
    for (qsizetype i = head.indexOf('<'); i >= 0; i = head.indexOf('<', i + 1)) {
        qsizetype at = i + 1 < head.size() && head[i + 1] == '/' ? i + 2 : i + 1;
        if (at >= head.size())
            break;
        if (lower(head[at])) {
            ++lowerTags;
        } else if (upper(head[at])) {
            while (at < head.size() && (upper(head[at]) || digit(head[at])))
                ++at;
            if (at == head.size() || !(lower(head[at]) || head[at] == '_'))
                ++upperTags;
        }
    }
    return upperTags > 2 * lowerTags;
}

qsizetype markLength(const QByteArray &bytes, const QByteArray &encoding) {
    const DocumentEncoding::Detected detected = DocumentEncoding::detect(bytes.left(4));
    return detected.name.compare(encoding, Qt::CaseInsensitive) == 0 ? detected.markLength : 0;
}

} // namespace

struct SourceSplice::Parsed::Tree {
    Tree(const QByteArray &bytes, const QByteArray &encoding)
        : text(bytes, encoding, markLength(bytes, encoding))
        , output(gumbo_parse_with_options(&kGumboDefaultOptions, text.utf8().constData(),
                                          size_t(text.utf8().size()))) {}
    ~Tree() { gumbo_destroy_output(&kGumboDefaultOptions, output); }
    Transcoded text;
    GumboOutput *output;
};

SourceSplice::Parsed::Parsed(const QByteArray &bytes, const QByteArray &encoding) {
    if (asciiSafe(encoding))
        m_tree = std::make_unique<Tree>(bytes, encoding);
}

SourceSplice::Parsed::~Parsed() = default;

std::optional<SourceSplice::Blocks> SourceSplice::Parsed::childBlocks(const QList<int> &path) const {
    if (!m_tree)
        return std::nullopt;
    const Transcoded &text = m_tree->text;
    const GumboNode *node = bodyOf(m_tree->output);
    for (qsizetype level = 0; node && level <= path.size(); ++level) {
        const GumboElement &element = node->v.element;
        const auto contentStart =
            text.byteOffset(qsizetype(element.start_pos.offset + element.original_tag.length));
        if (!contentStart)
            return std::nullopt;
        Blocks blocks{*contentStart, {}};
        QList<const GumboNode *> nodes;
        for (unsigned i = 0; i < element.children.length; ++i) {
            const auto *child = static_cast<const GumboNode *>(element.children.data[i]);
            // Text begins where the node before it ends: the parser counts a CR LF's from its LF,
            // which in a file read through another encoding is no place of the file's own.
            const auto start = isText(child) ? std::optional(blocks.nodes.isEmpty() ? blocks.contentStart
                                                                                    : blocks.nodes.last().end)
                                             : text.byteOffset(nodeStart(child));
            const auto end = text.byteOffset(nodeEnd(child));
            if (!start || !end || *end < *start ||
                *start < (blocks.nodes.isEmpty() ? blocks.contentStart : blocks.nodes.last().end))
                return std::nullopt;
            // A document holds adjacent text as one node, even across the end tags of body and html.
            if (!nodes.isEmpty() && isText(nodes.last()) && isText(child)) {
                blocks.nodes.last().end = *end;
            } else {
                blocks.nodes << Range{*start, *end};
                nodes << child;
            }
        }
        if (level == path.size())
            return blocks;
        const qsizetype index = path[level];
        node = index >= 0 && index < nodes.size() && nodes[index]->type == GUMBO_NODE_ELEMENT ? nodes[index]
                                                                                              : nullptr;
    }
    return std::nullopt;
}

std::optional<QByteArray> SourceSplice::splice(const QByteArray &bytes, const QByteArray &encoding,
                                               const Blocks &blocks, const Change &change) {
    const QList<Range> &nodes = blocks.nodes;
    if (change.from < 0 || change.to < change.from || change.to > nodes.size())
        return std::nullopt;
    qsizetype start = blocks.contentStart;
    qsizetype end = start;
    if (change.to > change.from) {
        start = nodes[change.from].start;
        end = nodes[change.to - 1].end;
    } else if (change.from < nodes.size()) {
        start = end = nodes[change.from].start;
    } else if (!nodes.isEmpty()) {
        start = end = nodes.last().end;
    }
    QByteArray out = bytes.left(start);
    out += DocumentEncoding::encode(inStyleOf(bytes, change.html), encoding);
    out += QByteArrayView(bytes).sliced(end);
    return out;
}

QByteArray SourceSplice::rewrite(const QByteArray &bytes, const QByteArray &encoding, const QString &html) {
    const QString source = DocumentEncoding::decode(bytes, encoding);
    static const QRegularExpression rootStart(QStringLiteral("<html[\\s>]"),
                                              QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression rootEnd(QStringLiteral("</html\\s*>"),
                                            QRegularExpression::CaseInsensitiveOption);
    QString document = html;
    const qsizetype sourceRoot = source.indexOf(rootStart);
    const qsizetype htmlRoot = html.indexOf(rootStart);
    if (sourceRoot >= 0 && htmlRoot >= 0)
        document = source.left(sourceRoot) + html.mid(htmlRoot);
    // What follows the end tag (a final line end) follows it again.
    const auto lastEnd = source.lastIndexOf(rootEnd);
    if (lastEnd >= 0) {
        const QString tail = source.mid(source.indexOf(u'>', lastEnd) + 1);
        if (tail.trimmed().isEmpty() && !document.endsWith(tail))
            document += tail;
    }
    document = inStyleOf(bytes, document);
    return bytes.left(markLength(bytes, encoding)) + DocumentEncoding::encode(document, encoding);
}

QString SourceSplice::inStyleOf(const QByteArray &bytes, QString html) {
    static const QRegularExpression xhtmlVoid(QStringLiteral(R"(<(br|hr|img|meta|link|input)\b[^>]*/>)"),
                                              QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression voidTag(
        QStringLiteral(
            R"(<(area|base|br|col|embed|hr|img|input|link|meta|param|source|track|wbr)\b((?:[^>"']|"[^"]*"|'[^']*')*)>)"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression lowerTag(QStringLiteral("<(/?)([a-z][a-z0-9]*)"));
    const QByteArray head = bytes.left(256 * 1024);
    if (QString::fromLatin1(head).contains(xhtmlVoid))
        html.replace(voidTag, QStringLiteral("<\\1\\2 />"));
    if (mostlyUpperCaseTags(head)) {
        QString upper;
        qsizetype last = 0;
        for (auto it = lowerTag.globalMatch(html); it.hasNext();) {
            const auto m = it.next();
            upper += QStringView(html).sliced(last, m.capturedStart(2) - last);
            upper += m.captured(2).toUpper();
            last = m.capturedEnd(2);
        }
        html = upper + html.mid(last);
    }
    if (bytes.count("\r\n") * 2 > bytes.count('\n'))
        html.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\n', QStringLiteral("\r\n"));
    return html;
}
