// Toolbar, format lists and context menu against the real editing surface.
#include "surface_fixture.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QColor>
#include <QComboBox>
#include <QTest>

namespace {

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
    for (const auto &[key, markup, latches] : cases) {
        SCOPED_TRACE(key);
        load(u"<p id=p>hello world</p>"_qs);
        selectText(u"#p"_qs, 0, 5);
        QAction *button = child<QAction>(key);
        ASSERT_TRUE(button);
        button->trigger();
        EXPECT_TRUE(body().contains(QString::fromLatin1(markup))) << body().toStdString();
        panel.refreshToolbar();
        EXPECT_TRUE(button->isEnabled() && button->isChecked() == latches);
    }
}

TEST_F(SurfaceTest, CutCopyAndPasteGoThroughTheClipboard) {
    load(u"<p id=p>one two</p>"_qs);
    selectText(u"#p"_qs, 0, 4);
    child<QAction>("copy")->trigger();
    ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::clipboard()->text() == u"one "_qs; }, 3000));
    selectText(u"#p"_qs, 4, 7);
    child<QAction>("cut")->trigger();
    ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::clipboard()->text() == u"two"_qs; }, 3000));
    selectText(u"#p"_qs, 0, 0);
    child<QAction>("paste")->trigger();
    EXPECT_TRUE(QTest::qWaitFor([this] { return body() == u"<p id=\"p\">twoone&nbsp;</p>"_qs; }, 3000))
        << body().toStdString();
}

TEST_F(SurfaceTest, KeyboardShortcutsEditTheSelection) {
    load(u"<p id=p>one two</p>"_qs);
    surface().setFocus();
    selectText(u"#p"_qs, 0, 3);
    // Bold, undone, redone.
    for (const auto &[key, bold] : {std::pair{Qt::Key_B, true}, {Qt::Key_Z, false}, {Qt::Key_Y, true}}) {
        QTest::keyClick(surface().focusProxy(), key, Qt::ControlModifier);
        EXPECT_TRUE(QTest::qWaitFor([&] { return body().contains(u"<b>one</b>"_qs) == bold; }, 3000))
            << body().toStdString();
    }
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
    emit sizes->activated(4);
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
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == keys; }, 3000));
    QTest::keyClicks(keys, u"!"_qs);
    EXPECT_TRUE(QTest::qWaitFor([&] { return body().contains(u"text!</h1>"_qs); }, 3000))
        << body().toStdString();
    EXPECT_EQ(styles->currentText(), u"Heading 1"_qs);
}

TEST_F(SurfaceTest, ContextMenuEntriesAndActions) {
    load(uR"(<p id=p>text</p><div id=d>box</div>
             <table id=t><tr><td id=a>a</td><td id=b>b</td></tr><tr><td>c</td><td>d</td></tr></table>)"_qs);
    auto size = [this] {
        return run(u"document.querySelector('#t').rows.length + 'x' + document.querySelector('#t').rows[0].cells.length"_qs)
            .toString();
    };

    selectText(u"#p"_qs, 1, 1);
    EXPECT_EQ(panel.buildContextMenu().items.size(), 7);
    // Content in a division can be positioned; once positioned the entry says so.
    selectText(u"#d"_qs, 1, 1);
    EXPECT_EQ(panel.buildContextMenu().items.value(8), u"Make 2D"_qs);
    panel.contextMenuAction(8);
    EXPECT_EQ(panel.buildContextMenu().items.value(8), u"Make 1D"_qs);
    EXPECT_TRUE(body().contains(u"position: absolute"_qs));

    selectText(u"#b"_qs, 0, 0);
    const ContextMenu::Layout &menu = panel.buildContextMenu();
    ASSERT_EQ(menu.items.size(), 18);
    // No property dialog yet: its entries are greyed.
    EXPECT_EQ(menu.states.value(14), 2);
    for (const auto &[index, expected] :
         {std::pair{8, u"3x2"_qs}, {9, u"3x3"_qs}, {11, u"2x3"_qs}, {12, u"2x2"_qs}}) {
        SCOPED_TRACE(index);
        selectText(u"#t td"_qs, 0, 0);
        panel.buildContextMenu();
        panel.contextMenuAction(index);
        EXPECT_EQ(size(), expected);
    }
}

TEST_F(SurfaceTest, InsertTableAndTextColour) {
    load(u"<p id=p>here</p>"_qs);
    selectText(u"#p"_qs, 4, 4);
    const EditingSurface::TableParameters table{2, 3, u"BORDER=1 WIDTH=\"50%\""_qs, u"A <caption>"_qs};
    EXPECT_TRUE(surface()
                    .execCommand(EditingSurface::InsertTable, EditingSurface::DontPromptUser,
                                 QVariant::fromValue(table))
                    .toBool());
    EXPECT_EQ(
        run(u"[document.querySelectorAll('table tr').length, document.querySelectorAll('td').length,"
            " document.querySelector('table').border, document.querySelector('caption').textContent].join()"_qs),
        u"2,6,1,A <caption>"_qs);
}

} // namespace
