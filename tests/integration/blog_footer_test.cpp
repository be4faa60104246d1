// "Blog Footer...": the dialog's choice reaches the settings file and the window's own post transfer.
#include "main_form_harness.h"

#include "base/settings_keys.h"
#include "editor/editing_surface.h"
#include "editor/editor_panel.h"
#include "shell/dialog_blog_footer.h"
#include "webpages/web_pane.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(BlogFooterTest, TheChosenFooterIsKeptAndGoesOnceIntoThePostAsText) {
    MainFormHarness h;
    ASSERT_TRUE(h.start());
    DialogBlogFooter dialog({false, {}, {}}, &h.form());
    dialog.findChild<QCheckBox *>(u"CheckFooter"_s)->setChecked(true);
    dialog.findChild<QLineEdit *>(u"TextAffID"_s)->setText(u"ann&co"_s);
    const QString text = u"Tom & \"Jerry\" <3 Vellumcast"_s;
    dialog.findChild<QLineEdit *>(u"TextAffText"_s)->setText(text);
    EXPECT_TRUE(dialog.findChild<QTextBrowser *>(u"FooterPreview"_s)->toPlainText().contains(text));
    h.form().applyBlogFooter(dialog.footer());
    EXPECT_EQ(h.settings().get(Keys::AffId), u"ann&co"_s);
    EXPECT_EQ(h.settings().get(Keys::AffText), text);

    WebPane &main = h.form().webBrowser(1);
    ASSERT_TRUE(h.load(main, h.sim().baseUrl() + u"/blog/plain"_s));
    h.form().editor().surface().setDocumentHtml(u"<html><body><p>post</p></body></html>"_s);
    auto *copy = h.form().findChild<QPushButton *>(u"CommandCopyToPost"_s);
    copy->click();
    copy->click();
    const QString posted =
        MainFormHarness::runPageScript(main, u"document.forms['stuffform'].postBody.value"_s).toString();
    EXPECT_EQ(posted.count(u"Tom &amp; &quot;Jerry&quot; &lt;3 Vellumcast"_s), 1) << posted.toStdString();
    EXPECT_TRUE(posted.startsWith(u"<p>post</p>"_s));
}
