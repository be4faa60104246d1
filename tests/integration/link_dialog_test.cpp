// The hyperlink dialog on the real editing surface (offscreen): making, editing and removing links,
// read back from the live document.
#include "editor/editor_toolbar.h"
#include "editor/link_image_dialogs.h"
#include "support/sim_process.h" // prints QStrings in failures
#include "unit/editor/surface_fixture.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

class LinkDialogTest : public SurfaceTest {
protected:
    LinkDialogTest()
        : dialogs(panel, messages, &frame) {}

    // Runs the toolbar's "link" button and drives the dialog it shows; false when none was shown.
    bool linkButton(const std::function<void(QDialog &)> &drive) {
        QAction *button = frame.findChild<EditorToolbar *>()->button(u"link"_s);
        EXPECT_TRUE(button->isEnabled());
        return drivesDialog(
            dialogs, [button] { button->trigger(); }, drive);
    }
    QString paragraph() { return run(u"document.getElementById('p').innerHTML"_s).toString(); }

    LinkImageDialogs dialogs;
};

} // namespace

TEST_F(LinkDialogTest, LinksTheSelectedWordWithoutItsTrailingBlankButNotABareCaret) {
    load(u"<p id=p>Hello world again</p>"_s);
    selectText(u"#p"_s, 6, 12); // "world "
    EXPECT_TRUE(linkButton([](QDialog &dialog) {
        EXPECT_EQ(dialog.windowTitle() + field<QLineEdit>(dialog, "EditExtURL")->text(),
                  u"Insert/Edit HyperLinkhttp://"_s);
        field<QLineEdit>(dialog, "EditExtURL")->setText(u"page.htm"_s);
        field<QComboBox>(dialog, "ComboBookmark")->setEditText(u"part"_s);
        field<QComboBox>(dialog, "ComboTarget")->setEditText(u"_top"_s);
        dialog.accept();
    }));
    // Rewriting a link turns the blanks beside it into no-break spaces.
    EXPECT_EQ(paragraph().replace(u"&nbsp;"_s, u" "_s),
              u"Hello <a href=\"page.htm#part\" target=\"_top\">world</a> again"_s);
    EXPECT_EQ(run(u"getSelection().toString()"_s).toString(), u"world"_s) << "the link's text stays selected";

    selectText(u"#p"_s, 2, 2); // a bare caret: nothing to make into a link
    EXPECT_FALSE(linkButton([](QDialog &) {}));
    EXPECT_EQ(messages.last(), u"You must select some text to make into a link"_s);
}

TEST_F(LinkDialogTest, EditsTheTargetOfAnExistingLinkAndListsTheBookmarks) {
    load(u"<p id=p>see <a id=l href=\"page.htm#sec\">the page</a> now</p><a name=\"one\">1</a><a "
         u"name=\"\">2</a>"
         "<A NAME=\"Top\">3</A>"_s);
    selectText(u"#l"_s, 2, 2); // a bare caret inside the link
    EXPECT_TRUE(linkButton([](QDialog &dialog) {
        EXPECT_EQ(field<QLineEdit>(dialog, "EditExtURL")->text(), u"page.htm"_s);
        auto *bookmarks = field<QComboBox>(dialog, "ComboBookmark");
        EXPECT_EQ(bookmarks->count(), 0) << "filled on the first drop-down";
        bookmarks->showPopup();
        bookmarks->hidePopup();
        EXPECT_EQ(bookmarks->itemText(0) + bookmarks->itemText(1) + bookmarks->currentText(), u"oneTopsec"_s);
        EXPECT_TRUE(field<QPushButton>(dialog, "CommandRemoveLink")->isEnabled());
        field<QComboBox>(dialog, "ComboTarget")->setEditText(u"_blank"_s);
        dialog.accept();
    }));
    EXPECT_EQ(paragraph().replace(u"&nbsp;"_s, u" "_s),
              u"see <a id=\"l\" href=\"page.htm#sec\" target=\"_blank\">the page</a> now"_s);
}

TEST_F(LinkDialogTest, RemovesTheLinkAtABareCaretAndKeepsItsText) {
    load(u"<p id=p>see <a id=l href=\"page.htm\">the page</a> now</p>"_s);
    selectText(u"#l"_s, 2, 2);
    EXPECT_TRUE(
        linkButton([](QDialog &dialog) { field<QPushButton>(dialog, "CommandRemoveLink")->click(); }));
    EXPECT_EQ(paragraph(), u"see the page now"_s);
}
