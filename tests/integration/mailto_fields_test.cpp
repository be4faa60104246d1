// A mailto link's fields reach the compose page: body, Cc and Bcc as well as To and subject.
#include "main_form_harness.h"

#include "shell/tab_navigator.h"
#include "webpages/page_model.h"
#include "webpages/web_pane.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(MailtoFields, EveryFieldOfTheLinkIsFilledIn) {
    const QString link = u"bob@example.com?subject=Hi%20there%20%26%20welcome&body=See%20you%0D%0A"
                         u"%3Cb%3Esoon%3C%2Fb%3E&cc=carl@example.com&bcc=dan@example.com"_s;
    for (const QString &provider : {u"hotmail"_s, u"yahoo"_s}) {
        SCOPED_TRACE(provider.toStdString());
        MainFormHarness h;
        ASSERT_TRUE(h.start());
        ASSERT_TRUE(h.load(h.form().webBrowser(1), h.sim().baseUrl() + u"/"_s + provider + u"/inbox"_s));
        h.settings().SetIni(u"Settings"_s, u"mailto"_s, link);
        ASSERT_TRUE(MainFormHarness::waitFor([&] { return h.settings().get(Keys::Bug) == u"8888"_s; }));
        const PageModel::ComposeForm &form = PageModel::composeForm(provider);
        WebPane &compose = h.form().webBrowser(3);
        EXPECT_EQ(compose.formFieldValue(form.form, form.to), u"bob@example.com"_s);
        EXPECT_EQ(compose.formFieldValue(form.form, form.subject), u"Hi there & welcome"_s);
        EXPECT_EQ(compose.formFieldValue(form.form, form.body), u"See you\n<b>soon</b>"_s);
        EXPECT_EQ(compose.formFieldValue(form.form, form.cc), u"carl@example.com"_s);
        EXPECT_EQ(compose.formFieldValue(form.form, form.bcc), u"dan@example.com"_s);
        // The rich-text area shows the link's markup as text, never as markup.
        if (provider == u"yahoo"_s) {
            EXPECT_EQ(compose.elementHtml(PageModel::yahooRichTextElement),
                      u"See you<br>&lt;b&gt;soon&lt;/b&gt;"_s);
        }
    }
}
