// The editor's rules on plain values: context-menu entries, selection text, document files and
// the blog footer.
#include "editor/context_menu.h"
#include "editor/document_file.h"
#include "editor/selection_text.h"
#include "webpages/blog_post.h"

#include <gtest/gtest.h>

#include <tuple>

TEST(ContextMenu, PositioningShiftsTheTableEntries) {
    ContextMenu::Statuses s;
    s.makeAbsolute = s.sendToBack = s.insertRow = 3;
    s.cut = 1; // nothing selected
    s.tablePropertiesAvailable = true;
    const ContextMenu::Layout menu = ContextMenu::build(s);
    ASSERT_EQ(menu.items.size(), 20);
    EXPECT_EQ(menu.items[8] + menu.items[10], u"Make 1DInsert Row"_qs);
    // Cut greyed, and the cell dialog's entries too until it exists.
    EXPECT_EQ(QList<int>({menu.states[0], menu.states[16], menu.states[19]}), QList<int>({2, 2, 0}));
    // With the positioning entries before them, the table's entries (each one's own work is the table editing
    // integration test's) are found further down: an entry, then its command, property dialog and scope.
    const std::pair<int, QList<int>> picks[] = {{8, {5028, 0, 0}},  {9, {0, 0, 0}},  {10, {5021, 0, 0}},
                                                {14, {5006, 0, 0}}, {18, {0, 1, 2}}, {19, {0, 2, 0}}};
    for (const auto &[index, action] : picks) {
        const ContextMenu::Action a = ContextMenu::actionAt(menu, index);
        EXPECT_EQ(QList<int>({a.command, a.propertyDialog, a.scope}), action) << index;
    }
}

TEST(SelectionText, DesignTimeAttributesAndMarker) {
    EXPECT_EQ(SelectionText::withoutDesignTimeAttributes(u"<TD DESIGNTIME=1>a</TD><P DESIGNTIME=x"_qs),
              u"<TD>a</TD><P"_qs);
    EXPECT_TRUE(SelectionText::spansCellEnd(u"a</td><td>b"_qs) && !SelectionText::spansCellEnd(u"<td>b"_qs));
    const auto capture = SelectionText::takeMarker(u"<p>xxMARKabc</p>MARK"_qs, u"MARK"_qs, 3);
    EXPECT_EQ(QString::number(capture.markerPosition) + u' ' + capture.document + u' ' +
                  capture.selectionHtml,
              u"6 <p>xxabc</p> abc"_qs);
    // A capture that lost its marker keeps the document and selects nothing.
    EXPECT_EQ(SelectionText::takeMarker(u"<p>x</p>"_qs, u"MARK"_qs, 3).markerPosition, 0);
}

TEST(DocumentFile, RefusesWhatTheEditorCannotHold) {
    const std::tuple<const char *, QByteArray, qint32> cases[] = {
        {"page", "<html><body><p>frameset is a word</p></body></html>", DocumentFile::NoError},
        {"server script", "  <% Response.Write(1) %>", DocumentFile::ServerSideScript},
        {"Windows-1252 text", "<p>caf\xe9</p>", DocumentFile::NoError},
    };
    for (const auto &[why, bytes, error] : cases)
        EXPECT_EQ(DocumentFile::check(bytes), error) << why;
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
    const std::tuple<const char *, QString, BlogPost::Footer, bool> cases[] = {
        {"on", u"<p>x</p>"_qs, on, true},
        {"empty post still gets it", QString(), on, true},
        {"off", u"<p>x</p>"_qs, {false, u"a"_qs, u"b"_qs}, false},
        {"no identifier", u"<p>x</p>"_qs, {true, QString(), u"b"_qs}, false},
        {"already there", u"<A HREF=\"http://CorValis.example\">x</A>"_qs, on, false},
    };
    for (const auto &[why, html, footer, appended] : cases) {
        const QString out = BlogPost::withFooter(html, footer);
        EXPECT_EQ(std::pair(out.startsWith(html), out.size() > html.size()), std::pair(true, appended))
            << why;
    }
    // The identifier and text cannot break out of the link.
    EXPECT_TRUE(BlogPost::withFooter({}, on).contains(u"?aff=a%26b\">My &lt;b&gt;</a>"_qs));
}
