// A mailto link's fields reach the compose page: body, Cc and Bcc as well as To and subject.
#include "main_form_harness.h"

#include "webpages/page_model.h"
#include "webpages/web_pane.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(MailtoFields, EveryFieldOfTheLinkIsFilledIn) {
    for (const QString &provider : {u"hotmail"_s, u"yahoo"_s}) {
        SCOPED_TRACE(provider.toStdString());
        MainFormHarness h;
        ASSERT_TRUE(h.start());
        ASSERT_TRUE(h.load(h.form().webBrowser(1), h.sim().baseUrl() + u"/"_s + provider + u"/inbox"_s));
        h.settings().SetIni(u"Settings"_s, u"mailto"_s,
                            u"b@x?subject=Hi%20%26%20bye&body=See%0D%0A%3Cb%3Eyou&cc=c@x&bcc=d@x"_s);
        ASSERT_TRUE(MainFormHarness::waitFor([&] { return h.settings().get(Keys::Bug) == u"8888"_s; }));
        const PageModel::ComposeForm &f = PageModel::composeForm(provider);
        WebPane &compose = h.form().webBrowser(3);
        QStringList values;
        for (const QString &field : {f.to, f.subject, f.body, f.cc, f.bcc})
            values.append(compose.formFieldValue(f.form, field).value_or(u"<none>"_s));
        EXPECT_EQ(values, QStringList({u"b@x"_s, u"Hi & bye"_s, u"See\n<b>you"_s, u"c@x"_s, u"d@x"_s}));
        if (provider == u"yahoo"_s) { // the rich-text area shows the link's markup as text
            EXPECT_EQ(compose.elementHtml(PageModel::yahooRichTextElement), u"See<br>&lt;b&gt;you"_s);
        }
    }
}
