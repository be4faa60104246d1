// The bytes a save of the editing surface's document writes: the file's own, with only what
// changed written anew, and whether anything changed since the last load, save or post.
#include "editor/editing_surface.h"

#include "editor/document_encoding.h"
#include "editor/document_file.h"
#include "editor/html_layout.h"
#include "editor/source_splice.h"

#include <QRegularExpression>

QByteArray EditingSurface::savedBytes() {
    // A document that has not changed writes the same bytes: they are worked out once for the
    // transfers that follow the editor, which ask often, and after a save they are the file's.
    const QString count = changeCount();
    if (count.isEmpty() || count != m_saved.changeCount)
        m_saved = {count, bytesToSave()};
    return m_saved.bytes;
}

QString EditingSurface::changeCount() {
    return callBridge(QStringLiteral("editorChangeCount")).value_or(QVariant()).toString();
}

QByteArray EditingSurface::bytesToSave() {
    if (m_sourceBytes.isEmpty()) {
        m_encoding = "UTF-8";
        return DocumentFile::declaringUtf8(HtmlLayout::laidOut(documentHtml())).toUtf8();
    }
    const auto change = sourceChange();
    if (change && change->toMap().value(QStringLiteral("same")).toBool())
        return m_sourceBytes;
    if (change && m_preserveSource && !change->toMap().value(QStringLiteral("whole")).toBool()) {
        if (const auto spliced = splicedSource(change->toMap()))
            return *spliced;
    }
    const auto html = callBridge(QStringLiteral("editorSourceDocument"));
    return SourceSplice::rewrite(m_sourceBytes, m_encoding,
                                 HtmlLayout::laidOut(html ? html->toString() : documentHtml()));
}

QString EditingSurface::bodySource() {
    const QString text = DocumentEncoding::decode(savedBytes(), m_encoding);
    static const QRegularExpression body(QStringLiteral("<body\\b[^>]*>(.*)</body\\s*>"),
                                         QRegularExpression::CaseInsensitiveOption |
                                             QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch found = body.match(text);
    QString shown = found.hasMatch() ? found.captured(1) : text;
    // The line breaks that set the body's content apart from its tags are not part of it.
    while (shown.startsWith(u'\r') || shown.startsWith(u'\n'))
        shown.remove(0, 1);
    while (shown.endsWith(u'\r') || shown.endsWith(u'\n'))
        shown.chop(1);
    return shown;
}

// The source with the changed nodes written anew: those the change names, or where the file's
// nodes cannot be matched with the document's there, the element around them, and so on up.
std::optional<QByteArray> EditingSurface::splicedSource(const QVariantMap &change) {
    QList<int> path;
    for (const QVariant &index : change.value(QStringLiteral("path")).toList())
        path << index.toInt();
    const QVariantList counts = change.value(QStringLiteral("counts")).toList();
    for (qsizetype level = path.size(); level >= 0; --level) {
        const bool deepest = level == path.size();
        const int from = deepest ? change.value(QStringLiteral("from")).toInt() : path[level];
        const int to = deepest ? change.value(QStringLiteral("to")).toInt() : path[level] + 1;
        const int nowTo = deepest ? change.value(QStringLiteral("nowTo")).toInt() : path[level] + 1;
        const QList<int> at = path.first(level);
        if (!m_sourceTree)
            m_sourceTree = std::make_shared<const SourceSplice::Parsed>(m_sourceBytes, m_encoding);
        const auto blocks = m_sourceTree->childBlocks(at);
        if (!blocks || blocks->nodes.size() != counts.value(level).toInt())
            continue;
        QVariantList atList;
        for (int index : at)
            atList << index;
        const auto html = callBridge(QStringLiteral("editorSourceHtml"), {QVariant(atList), from, nowTo});
        if (!html || html->isNull())
            continue;
        if (auto spliced = SourceSplice::splice(
                m_sourceBytes, m_encoding, *blocks,
                {from, to,
                 HtmlLayout::laidOut(html->toString(), int(level),
                                     from > 0 ? HtmlLayout::Place::AfterNode : HtmlLayout::Place::Start)}))
            return spliced;
    }
    return std::nullopt;
}

void EditingSurface::keepSource(const QByteArray &bytes) {
    m_sourceBytes = bytes;
    ++m_sourceKey;
    m_sourceTree.reset();
    m_saved = {};
    m_unchangedIsSource = true;
}

std::optional<QVariant> EditingSurface::sourceChange() {
    // The page keeps the file it compares with: the file's text goes only when the page does not
    // hold it yet (a new file, or a page shown afresh).
    const QVariant key = m_sourceKey;
    auto change = callBridge(QStringLiteral("editorSourceChange"), {key, QVariant()});
    if (change && change->toMap().value(QStringLiteral("unknown")).toBool())
        change = callBridge(QStringLiteral("editorSourceChange"),
                            {key, DocumentEncoding::decode(m_sourceBytes, m_encoding)});
    return change;
}

bool EditingSurface::documentChanged() {
    if (m_unchangedIsSource && !m_sourceBytes.isEmpty()) {
        const auto change = sourceChange();
        return !change || !change->toMap().value(QStringLiteral("same")).toBool();
    }
    const auto mark = callBridge(QStringLiteral("editorBodyFingerprint"));
    return !mark || mark->toString() != m_unchangedMark;
}

void EditingSurface::markUnchanged() {
    const auto mark = callBridge(QStringLiteral("editorBodyFingerprint"));
    m_unchangedMark = mark ? mark->toString() : QString();
    m_unchangedIsSource = false;
}
