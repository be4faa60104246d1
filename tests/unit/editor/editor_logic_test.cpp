// The editor's rules on plain values: context-menu entries, selection text, document files and
// the blog footer.
#include "editor/context_menu.h"
#include "editor/document_file.h"
#include "editor/selection_text.h"
#include "webpages/blog_post.h"

#include <gtest/gtest.h>

namespace {

TEST(ContextMenu, PositioningShiftsTheTableEntries) {
    ContextMenu::Statuses s;
    s.makeAbsolute = s.sendToBack = s.insertRow = 3;
    s.cut = 1; // nothing selected
    s.tablePropertiesAvailable = true;
    const ContextMenu::Layout menu = ContextMenu::build(s);
    ASSERT_EQ(menu.items.size(), 20);
    EXPECT_EQ(menu.items[8], u"Make 1D"_qs);
    EXPECT_EQ(menu.items[10], u"Insert Row"_qs);
    EXPECT_EQ(menu.states[0], 2);
    EXPECT_EQ(menu.states[16], 2); // no cell dialog yet
    EXPECT_EQ(menu.states[19], 0);
    struct Case {
        int index, command, propertyDialog, scope;
    };
    for (const Case &c : {Case{8, 5028, 0, 0}, Case{10, 5021, 0, 0}, Case{11, 5020, 0, 0},
                          Case{13, 5007, 0, 0}, Case{14, 5006, 0, 0}, Case{17, 0, 1, 1}, Case{18, 0, 1, 2},
                          Case{19, 0, 2, 0}, Case{9, 0, 0, 0}, Case{3, 0, 0, 0}}) {
        SCOPED_TRACE(c.index);
        const ContextMenu::Action a = ContextMenu::actionAt(menu, c.index);
        EXPECT_EQ(a.command, c.command);
        EXPECT_EQ(a.propertyDialog, c.propertyDialog);
        EXPECT_EQ(a.scope, c.scope);
    }
}

TEST(SelectionText, DesignTimeAttributesAndMarker) {
    EXPECT_EQ(SelectionText::withoutDesignTimeAttributes(u"<TD DESIGNTIME=1>a</TD><P DESIGNTIME=x"_qs),
              u"<TD>a</TD><P"_qs);
    EXPECT_TRUE(SelectionText::spansCellEnd(u"a</td><td>b"_qs));
    EXPECT_FALSE(SelectionText::spansCellEnd(u"<td>b"_qs));
    const auto capture = SelectionText::takeMarker(u"<p>xxMARKabc</p>MARK"_qs, u"MARK"_qs, 3);
    EXPECT_EQ(capture.markerPosition, 6);
    EXPECT_EQ(capture.document, u"<p>xxabc</p>"_qs);
    EXPECT_EQ(capture.selectionHtml, u"abc"_qs);
    // A capture that lost its marker keeps the document and selects nothing.
    EXPECT_EQ(SelectionText::takeMarker(u"<p>x</p>"_qs, u"MARK"_qs, 3).markerPosition, 0);
}

TEST(DocumentFile, RefusesWhatTheEditorCannotHold) {
    struct Case {
        const char *why;
        QByteArray bytes;
        qint32 error;
    };
    const Case cases[] = {
        {"page", "<html><body><p>frameset is a word</p></body></html>", DocumentFile::NoError},
        {"frameset", "<HTML>\r\n<FrameSet rows=50%>", DocumentFile::ContainsFrameset},
        {"server script", "  <% Response.Write(1) %>", DocumentFile::ServerSideScript},
        {"binary", QByteArray("GIF89a\0\0\1", 9), DocumentFile::NotText},
        {"Windows-1252 text", "<p>caf\xe9</p>", DocumentFile::NoError},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(DocumentFile::check(c.bytes), c.error);
    }
    EXPECT_EQ(
        DocumentFile::declaringUtf8(
            uR"(<META http-equiv="Content-Type" content="text/html; charset=windows-1252">)"
            uR"(<meta charset=ISO-8859-1><p>charset=x</p>)"_qs),
        uR"(<META http-equiv="Content-Type" content="text/html; charset=utf-8"><meta charset=utf-8><p>charset=x</p>)"_qs);
    using Op = DocumentFile::Operation;
    EXPECT_EQ(DocumentFile::reason(DocumentFile::DiskFull, Op::Save), u"Disk is full"_qs);
    EXPECT_EQ(DocumentFile::reason(DocumentFile::DiskFull, Op::Load), u"Unknown error"_qs);
}

TEST(BlogPost, FooterOnlyWhenSwitchedOnAndNotThereYet) {
    const BlogPost::Footer on{true, u"a&b"_qs, u"My <b>"_qs};
    struct Case {
        const char *why;
        QString html;
        BlogPost::Footer footer;
        bool appended;
    };
    const Case cases[] = {
        {"on", u"<p>x</p>"_qs, on, true},
        {"empty post still gets it", QString(), on, true},
        {"off", u"<p>x</p>"_qs, {false, u"a"_qs, u"b"_qs}, false},
        {"no identifier", u"<p>x</p>"_qs, {true, QString(), u"b"_qs}, false},
        {"already there", u"<A HREF=\"http://VellumCast.com\">x</A>"_qs, on, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        const QString out = BlogPost::withFooter(c.html, c.footer);
        EXPECT_EQ(out.size() > c.html.size(), c.appended);
        EXPECT_TRUE(out.startsWith(c.html));
    }
    // The identifier and text cannot break out of the link.
    EXPECT_TRUE(BlogPost::withFooter({}, on).contains(u"?aff=a%26b\">My &lt;b&gt;</a>"_qs));
}

} // namespace
