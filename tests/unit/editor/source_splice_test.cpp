// Splicing changed nodes into a document's own bytes, without a window.
#include "editor/html_layout.h"
#include "editor/source_splice.h"

#include <QStringEncoder>

#include <gtest/gtest.h>

namespace {

QByteArray eucJp(const QString &text) {
    return QStringEncoder("EUC-JP").encode(text);
}

TEST(SourceSplice, WritesOnlyTheChangedNodesInTheDocumentsOwnEncodingAndStyle) {
    const struct {
        const char *why;
        QByteArray source, encoding;
        qsizetype from, to; // the child nodes replaced, of the body or of `path` in it
        QString html;
        QByteArray expected;
        QList<int> path = {};
    } cases[] = {
        {"CRLF, upper case, XHTML void elements",
         "<HTML><BODY>\r\n<P>one</P>\r\n<P>two<BR/></P>\r\n</BODY></HTML>\r\n", "UTF-8", 3, 4,
         u"<p>deux\n<br></p>"_qs,
         "<HTML><BODY>\r\n<P>one</P>\r\n<P>deux\r\n<BR /></P>\r\n</BODY></HTML>\r\n"},
        {"CRLF, not UTF-8", "<BODY>\r\n<P>\xe9</P>\r\n<P>two</P>\r\n</BODY>\r\n", "windows-1252", 3, 4,
         u"<p>deux</p>"_qs, "<BODY>\r\n<P>\xe9</P>\r\n<P>deux</P>\r\n</BODY>\r\n"},
        {"a character the encoding lacks", "<p>caf\xe9</p><p>x</p>", "windows-1252", 1, 2, u"<p>€ ☃ é</p>"_qs,
         "<p>caf\xe9</p><p>\x80 &#9731; \xe9</p>"},
        {"an insertion at the end of a nested element", "<div>\n<p>a</p>\n</div>\n", "UTF-8", 3, 3,
         u"<p>b</p>"_qs, "<div>\n<p>a</p>\n<p>b</p></div>\n", QList<int>{0}},
        {"multi-byte text", eucJp(u"<p>日本</p><p>語</p>"_qs), "EUC-JP", 1, 2, u"<p>東京</p>"_qs,
         eucJp(u"<p>日本</p><p>東京</p>"_qs)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.why);
        const auto blocks = SourceSplice::Parsed(c.source, c.encoding).childBlocks(c.path);
        ASSERT_TRUE(blocks);
        EXPECT_EQ(SourceSplice::splice(c.source, c.encoding, *blocks, {c.from, c.to, c.html}).value_or(""),
                  c.expected);
    }
}

// What the editor writes itself is laid out in lines; nothing that shows changes.
TEST(HtmlLayout, PutsEachBlockOnItsOwnIndentedLine) {
    using enum HtmlLayout::Place;
    const std::tuple<const char *, int, HtmlLayout::Place, QString, QString> cases[] = {
        {"blocks, text after one", 0, Start, u"<p>My <b>post</b></p><ul><li>one</li></ul>tail <i>x</i>"_qs,
         u"<p>My <b>post</b></p>\n<ul>\n  <li>one</li>\n</ul>\ntail <i>x</i>"_qs},
        {"a table after a node, a level down", 1, AfterNode,
         u"<table><tbody><tr><td>&nbsp;</td></tr></tbody></table>"_qs,
         u"\n  <table>\n    <tbody>\n      <tr>\n        <td>&nbsp;</td>\n      </tr>\n    </tbody>\n  </table>"_qs},
        {"a whole document", 0, Start,
         u"<!DOCTYPE html>\r\n<html><head><meta charset=utf-8><title>T  x</title></head>"
         "<body><p>a</p></body></html>"_qs,
         u"<!DOCTYPE html>\n<html>\n<head>\n  <meta charset=utf-8>\n  <title>T  x</title>\n</head>\n<body>\n"
         "<p>a</p>\n</body>\n</html>"_qs},
        // Whitespace in preformatted text and beside inline markup shows.
        {"kept whitespace, blocks a file leaves open", 0, Start,
         u"<div><pre> a\n <div>b</div> </pre><span> c </span> d</div><p>a<ul><li>one<li>two</ul>"_qs,
         u"<div>\n  <pre> a\n <div>b</div> </pre><span> c </span> d\n</div>\n<p>a\n<ul>\n  <li>one\n  <li>two\n</ul>"_qs},
        // A piece spliced between a file's lines keeps the breaks at its ends.
        {"a piece of a file", 0, Start, u"\n<p>new</p><p>b</p>\n"_qs, u"\n<p>new</p>\n<p>b</p>\n"_qs},
    };
    for (const auto &[why, depth, place, html, expected] : cases)
        EXPECT_EQ(HtmlLayout::laidOut(html, depth, place).toStdString(), expected.toStdString()) << why;
}

} // namespace
