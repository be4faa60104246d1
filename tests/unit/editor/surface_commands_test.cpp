// Toolbar, format lists and the shared selection operations against the real editing surface.
#include "surface_fixture.h"

#include <QAbstractItemView>
#include <QAction>
#include <QClipboard>
#include <QComboBox>

// Each button, clicked with the mouse, applies its format and shows it pressed where it latches;
// Ctrl+Z and the Undo button take it back, the Redo button and Ctrl+Y bring it again.
TEST_F(SurfaceTest, ToolbarButtonAppliesAndLatches) {
    const std::tuple<const char *, const char *, bool> cases[] = {
        {"Bold", "<b>hello</b>", true},
        {"Italic", "<i>hello</i>", true},
        {"Underline", "<u>hello</u>", true},
        {"Numbers", "<ol><li>hello", true},
        {"Bullets", "<ul><li>hello", true},
        {"Center", "text-align: center", true},
        {"RightJustify", "text-align: right", true},
        {"Indent", "margin", false},
    };
    QWidget *keys = input();
    const std::pair<std::function<void()>, bool> history[] = {
        {[&] { QTest::keyClick(keys, Qt::Key_Z, Qt::ControlModifier); }, false},
        {[&] { clickButton("redo"); }, true},
        {[&] { clickButton("undo"); }, false},
        {[&] { QTest::keyClick(keys, Qt::Key_Y, Qt::ControlModifier); }, true}};
    for (const auto &[key, markup, latches] : cases) {
        SCOPED_TRACE(key);
        load(u"<p id=p>hello world</p>"_qs);
        selectText(u"#p"_qs, 0, 5);
        clickButton(key);
        EXPECT_TRUE(body().contains(QString::fromLatin1(markup))) << body().toStdString();
        panel.refreshToolbar();
        EXPECT_TRUE(child<QAction>(key)->isEnabled() && child<QAction>(key)->isChecked() == latches);
        for (const auto &[step, applied] : history) {
            step();
            EXPECT_TRUE(QTest::qWaitFor(
                [&] { return body().contains(QString::fromLatin1(markup)) == applied; }, 3000))
                << body().toStdString();
        }
    }
}

TEST_F(SurfaceTest, CutCopyAndPasteGoThroughTheClipboard) {
    load(u"<p id=p>one two</p>"_qs);
    selectText(u"#p"_qs, 0, 4);
    clickButton("copy");
    ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::clipboard()->text() == u"one "_qs; }, 3000));
    selectText(u"#p"_qs, 4, 7);
    clickButton("cut");
    ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::clipboard()->text() == u"two"_qs; }, 3000));
    selectText(u"#p"_qs, 0, 0);
    clickButton("paste");
    EXPECT_TRUE(QTest::qWaitFor([this] { return body() == u"<p id=\"p\">twoone&nbsp;</p>"_qs; }, 3000))
        << body().toStdString();
}

TEST_F(SurfaceTest, FontListsFollowTheSelection) {
    load(uR"(<p id=p><font face="Arial">one</font> <font face="Verdana">two</font></p>)"_qs);
    auto *fonts = child<QComboBox>("FontCombo");
    selectText(u"#p font"_qs, 0, 2);
    EXPECT_EQ(fonts->currentText(), u"Arial"_qs);
    // Several fonts: empty, but still there to pick one for all.
    selectText(u"#p font"_qs, 0, -1, u"#p font + font"_qs);
    EXPECT_EQ(fonts->currentText(), QString());
    EXPECT_TRUE(fonts->isEnabled());

    // The fifth entry sets size 5, whatever it says.
    auto *sizes = child<QComboBox>("FontSizeCombo");
    sizes->setItemText(4, u"huge"_qs);
    sizes->showPopup();
    const QRect fifth = sizes->view()->visualRect(sizes->view()->model()->index(4, 0));
    QTest::mouseClick(sizes->view()->viewport(), Qt::LeftButton, {}, fifth.center());
    EXPECT_TRUE(body().contains(uR"(size="5")"_qs)) << body().toStdString();

    // The paragraph format and the alignment buttons show the block at the caret, one
    // alignment pressed at a time.
    load(
        u"<h1 id=h>Title</h1><p id=p>text</p><p id=r align=right>right</p><p id=c style='text-align:center'>c</p>"_qs);
    const std::tuple<const char *, QString, const char *> places[] = {{"#p", u"Normal"_qs, "LeftJustify"},
                                                                      {"#h", u"Heading 1"_qs, "LeftJustify"},
                                                                      {"#r", u"Normal"_qs, "RightJustify"},
                                                                      {"#c", u"Normal"_qs, "Center"}};
    for (const auto &[at, format, pressed] : places) {
        SCOPED_TRACE(at);
        selectText(QString::fromLatin1(at), 1, 1);
        EXPECT_EQ(child<QComboBox>("ComboStyle")->currentText(), format);
        for (const char *key : {"LeftJustify", "Center", "RightJustify"})
            EXPECT_EQ(child<QAction>(key)->isChecked(), qstrcmp(key, pressed) == 0) << key;
    }
    // A choice from the list gives the keys back to the document.
    QWidget *keys = input();
    selectText(u"#p"_qs, 4, 4);
    auto *styles = child<QComboBox>("ComboStyle");
    styles->setFocus();
    QTest::keyClick(styles, Qt::Key_Down);
    // Keys typed before the page itself has the focus back are dropped by it.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return QApplication::focusWidget() == keys && run(u"document.hasFocus()"_qs).toBool(); },
        3000));
    QTest::keyClicks(keys, u"!"_qs);
    EXPECT_TRUE(QTest::qWaitFor([&] { return body().contains(u"text!</h1>"_qs); }, 10000))
        << body().toStdString();
    EXPECT_EQ(styles->currentText(), u"Heading 1"_qs);
}
