// Splicing changed nodes into a document's own bytes, without a window.
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

} // namespace
