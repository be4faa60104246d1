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
    struct Case {
        const char *why;
        QByteArray source, encoding;
        QList<int> path;
        SourceSplice::Change change;
        QByteArray expected;
    };
    const Case cases[] = {
        {"CRLF, upper case, XHTML void elements",
         "<HTML><BODY>\r\n<P>one</P>\r\n<P>two<BR/></P>\r\n</BODY></HTML>\r\n",
         "UTF-8",
         {},
         {3, 4, u"<p>deux\n<br></p>"_qs},
         "<HTML><BODY>\r\n<P>one</P>\r\n<P>deux\r\n<BR /></P>\r\n</BODY></HTML>\r\n"},
        {"a character the encoding lacks",
         "<p>caf\xe9</p><p>x</p>",
         "windows-1252",
         {},
         {1, 2, u"<p>€ ☃ é</p>"_qs},
         "<p>caf\xe9</p><p>\x80 &#9731; \xe9</p>"},
        {"an insertion at the end of a nested element",
         "<div>\n<p>a</p>\n</div>\n",
         "UTF-8",
         {0},
         {3, 3, u"<p>b</p>"_qs},
         "<div>\n<p>a</p>\n<p>b</p></div>\n"},
        // The parser counts a CR LF's text from its LF.
        {"an insertion before a CR LF",
         "<body>\r\n<p>a</p>\r\n</body>",
         "UTF-8",
         {},
         {2, 2, u"<hr>"_qs},
         "<body>\r\n<p>a</p><hr>\r\n</body>"},
        {"multi-byte text",
         eucJp(u"<p>日本</p><p>語</p>"_qs),
         "EUC-JP",
         {},
         {1, 2, u"<p>東京</p>"_qs},
         eucJp(u"<p>日本</p><p>東京</p>"_qs)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        const auto blocks = SourceSplice::childBlocks(c.source, c.encoding, c.path);
        ASSERT_TRUE(blocks);
        EXPECT_EQ(SourceSplice::splice(c.source, c.encoding, *blocks, c.change).value_or(""), c.expected);
    }
}

// What the editor writes itself is laid out in lines; nothing that shows changes.
TEST(HtmlLayout, PutsEachBlockOnItsOwnIndentedLine) {
    using enum HtmlLayout::Place;
    const std::tuple<const char *, QString, int, HtmlLayout::Place, QString> cases[] = {
        {"blocks, text after one", u"<p>My <b>post</b></p><ul><li>one</li></ul>tail <i>x</i>"_qs, 0, Start,
         u"<p>My <b>post</b></p>\n<ul>\n  <li>one</li>\n</ul>\ntail <i>x</i>"_qs},
        {"a table after a node, a level down", u"<table><tbody><tr><td>&nbsp;</td></tr></tbody></table>"_qs,
         1, AfterNode,
         u"\n  <table>\n    <tbody>\n      <tr>\n        <td>&nbsp;</td>\n      </tr>\n    </tbody>\n  </table>"_qs},
        {"a whole document",
         u"<!DOCTYPE html>\r\n<html><head><meta charset=utf-8><title>T  x</title></head>"
         "<body><p>a</p></body></html>"_qs,
         0, Start,
         u"<!DOCTYPE html>\n<html>\n<head>\n  <meta charset=utf-8>\n  <title>T  x</title>\n</head>\n<body>\n"
         "<p>a</p>\n</body>\n</html>"_qs},
        // Whitespace in preformatted text and beside inline markup shows.
        {"kept whitespace, blocks a file leaves open",
         u"<div><pre> a\n <div>b</div> </pre><span> c </span> d</div><p>a<ul><li>one<li>two</ul>"_qs, 0,
         Start,
         u"<div>\n  <pre> a\n <div>b</div> </pre><span> c </span> d\n</div>\n<p>a\n<ul>\n  <li>one\n  <li>two\n</ul>"_qs},
        // A piece spliced between a file's lines keeps the breaks at its ends.
        {"a piece of a file", u"\n<p>new</p><p>b</p>\n"_qs, 0, Start, u"\n<p>new</p>\n<p>b</p>\n"_qs},
    };
    for (const auto &[why, html, depth, place, expected] : cases) {
        SCOPED_TRACE(why);
        EXPECT_EQ(HtmlLayout::laidOut(html, depth, place).toStdString(), expected.toStdString());
    }
}

} // namespace
