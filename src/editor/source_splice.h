#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <memory>
#include <optional>

// Saving an edited document over its own source: the body's top-level nodes are found in the
// file's bytes, and only those the user changed are written anew, in the file's encoding, line
// ends and markup style; everything else keeps its bytes.
namespace SourceSplice {

// Bytes [start, end) of the file.
struct Range {
    qsizetype start = 0;
    qsizetype end = 0;
};
// Where the child nodes of an element lie in the file: after its start tag, and each node's bytes
// (adjacent text taken as one node, as a browser's document holds it).
struct Blocks {
    qsizetype contentStart = 0;
    QList<Range> nodes;
};
// A file (`bytes`, text in `encoding`) parsed once, for the questions that follow about its
// elements: the child nodes of the element at `path` (child indices from the body down); none when
// they cannot be told.
class Parsed {
public:
    Parsed(const QByteArray &bytes, const QByteArray &encoding);
    ~Parsed();
    std::optional<Blocks> childBlocks(const QList<int> &path) const;

private:
    struct Tree;
    std::unique_ptr<const Tree> m_tree;
};

// The child nodes [from, to) of an element (to == from: none, an insertion there) are now `html`.
struct Change {
    qsizetype from = 0;
    qsizetype to = 0;
    QString html;
};
// `bytes` with the change made among the child nodes `blocks` of its element.
std::optional<QByteArray> splice(const QByteArray &bytes, const QByteArray &encoding, const Blocks &blocks,
                                 const Change &change);

// The whole document `html`, as a browser serialises it, written over the file `bytes`: its
// prolog (byte-order mark, XML declaration, doctype), encoding, style and final line end kept.
QByteArray rewrite(const QByteArray &bytes, const QByteArray &encoding, const QString &html);

// `html` written as `bytes` are: CRLF line ends, "<br />" and upper-case tag names where the
// file uses them.
QString inStyleOf(const QByteArray &bytes, QString html);

} // namespace SourceSplice
