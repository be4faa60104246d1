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

} // namespace
