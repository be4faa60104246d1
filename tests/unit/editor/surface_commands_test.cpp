// Toolbar, format lists and context menu against the real editing surface.
#include "surface_fixture.h"

#include <QAction>
#include <QComboBox>
#include <QSignalSpy>

namespace {

TEST_F(SurfaceTest, ToolbarButtonAppliesAndLatches) {
    struct Case {
        const char *key;
        const char *markup; // what the command leaves in the document
        bool latches;
    };
    const Case cases[] = {
        {"Bold", "<b>hello</b>", true},
        {"Italic", "<i>hello</i>", true},
        {"Underline", "<u>hello</u>", true},
        {"Numbers", "<ol><li>hello", true},
        {"Bullets", "<ul><li>hello", true},
        {"Center", "text-align: center", true},
        {"RightJustify", "text-align: right", true},
        {"Indent", "margin", false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.key);
        load(u"<p id=p>hello world</p>"_qs);
        selectText(u"#p"_qs, 0, 5);
        QAction *button = child<QAction>(c.key);
        ASSERT_TRUE(button);
        button->trigger();
        EXPECT_TRUE(body().contains(QString::fromLatin1(c.markup))) << body().toStdString();
        panel.refreshToolbar();
        EXPECT_EQ(button->isChecked(), c.latches);
        EXPECT_TRUE(button->isEnabled());
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
}

TEST_F(SurfaceTest, ContextMenuEntriesAndActions) {
    load(uR"(<p id=p>text</p><div id=d>box</div>
             <table id=t><tr><td id=a>a</td><td id=b>b</td></tr><tr><td>c</td><td>d</td></tr></table>)"_qs);
    auto rows = [this] {
        return run(u"document.querySelector('#t') ? document.querySelector('#t').rows.length : 0"_qs).toInt();
    };
    auto columns = [this] { return run(u"document.querySelector('#t').rows[0].cells.length"_qs).toInt(); };

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
    EXPECT_EQ(menu.items.mid(7, 3), (QStringList{QString(), u"Insert Row"_qs, u"Insert Column"_qs}));
    // No property dialog yet: its entries are greyed.
    EXPECT_EQ(menu.states.value(14), 2);
    struct Step {
        int index;
        int rows, columns;
    };
    for (const Step &step : {Step{8, 3, 2}, Step{9, 3, 3}, Step{11, 2, 3}, Step{12, 2, 2}}) {
        SCOPED_TRACE(step.index);
        selectText(u"#t td"_qs, 0, 0);
        panel.buildContextMenu();
        panel.contextMenuAction(step.index);
        EXPECT_EQ(rows(), step.rows);
        EXPECT_EQ(columns(), step.columns);
    }

    // Property entries ask for their dialog once the menu has closed.
    panel.setFeatureAvailable(EditorPanel::Feature::CellProperties, true);
    selectText(u"#t td"_qs, 1, 1);
    EXPECT_EQ(panel.buildContextMenu().states.value(14), 0);
    QSignalSpy cell(&panel, &EditorPanel::cellPropertiesRequested);
    panel.contextMenuAction(15);
    EXPECT_EQ(panel.pendingPropertyDialog(), 1);
    ASSERT_TRUE(cell.wait(2000));
    EXPECT_EQ(cell.first().value(0).toInt(), 1);
    EXPECT_EQ(panel.pendingPropertyDialog(), 0);
}

} // namespace
