// The shared selection operations against the real editing surface.
#include "surface_fixture.h"

#include "editor/editor_selection.h"

namespace {

TEST_F(SurfaceTest, SaveSelectionCountsCharactersBeforeTheCaretAndKeepsIt) {
    load(u"<p id=p>Hello</p><p id=q>world</p>"_qs);
    selectText(u"#q"_qs, 3, 3);
    panel.selection().SaveSelection();
    EXPECT_EQ(panel.selection().savedCaretOffset(), 8); // "Hello" + "wor"
    EXPECT_EQ(run(u"[getSelection().anchorNode.parentElement.id, getSelection().anchorOffset].join()"_qs),
              u"q,3"_qs);
}

TEST_F(SurfaceTest, GetSelectionCapturesTheMarkedDocument) {
    const std::tuple<const char *, const char *, const char *, int, int, bool, const char *> cases[] = {
        {"outside tables", "#p", "", 6, 11, false, "world"},
        {"inside one cell", "#a", "", 1, 4, false, "lph"},
        // Across a cell's end the marker stands at the start of the first cell.
        {"across two cells", "#a", "#b", 1, 2, true, "alpha</td>"},
    };
    const QString document = uR"(<p id=p>hello world</p>
        <table><tbody><tr><td id=a>alpha</td><td id=b>beta</td></tr></tbody></table>)"_qs;
    for (const auto &[why, start, end, from, to, spansCellEnd, selectionStart] : cases) {
        SCOPED_TRACE(why);
        load(document);
        const QString before = body();
        selectText(QString::fromLatin1(start), from, to, QString::fromLatin1(end));
        EditorSelection &s = panel.selection();
        s.GetSelection();
        EXPECT_EQ(s.spansCellEnd(), spansCellEnd);
        EXPECT_FALSE(s.capturedDocument().contains(u"GWZSEL28"_qs));
        EXPECT_TRUE(s.capturedDocument().contains(u"<td id=\"a\">alpha</td>"_qs));
        EXPECT_EQ(s.selectionHtml(), s.capturedDocument().mid(s.markerPosition() - 1, s.selectionLength()));
        EXPECT_TRUE(s.selectionHtml().startsWith(QString::fromLatin1(selectionStart)))
            << s.selectionHtml().toStdString();
        if (!spansCellEnd) {
            EXPECT_EQ(s.selectionLength(), to - from);
        }
        // The undo takes the marker out of the live document again.
        EXPECT_EQ(body(), before);
    }
}

TEST_F(SurfaceTest, SelectedElementIsTheElementAtTheCaret) {
    load(u"<p>x <b id=b>bold</b></p>"_qs);
    selectText(u"#b"_qs, 1, 3);
    EXPECT_EQ(panel.selection().SelectedElement().outerHTML(), u"<b id=\"b\">bold</b>"_qs);
}

} // namespace
