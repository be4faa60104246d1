// The mailto hand-over: an address written into the settings file, by a test or by the
// `corvalis --mailto URL` launcher, becomes a new message on the compose page, every field of the
// link filled in.
#include "main_form_harness.h"

#include "shell/tab_navigator.h"

#include "webpages/page_model.h"
#include "webpages/web_pane.h"

#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString fullLink = u"b@x?subject=Hi%20%26%20bye&body=See%0D%0A%3Cb%3Eyou&cc=c@x&bcc=d@x"_s;

QString corvalisProgram() {
    return QStringLiteral(CORVALIS_PATH);
}

// Runs the launcher as a desktop would for a clicked link.
int runLauncher(const QStringList &arguments) {
    QProcess launcher;
    launcher.start(corvalisProgram(), arguments);
    if (!launcher.waitForFinished(30000))
        return -1;
    return launcher.exitStatus() == QProcess::NormalExit ? launcher.exitCode() : -1;
}

class ComposeMailtoTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QFileInfo(corvalisProgram()).isExecutable()) << corvalisProgram().toStdString();
    }

    void startOnInbox(const QString &provider) {
        ASSERT_TRUE(h.start());
        ASSERT_TRUE(h.load(h.form().webBrowser(1), h.sim().baseUrl() + u"/"_s + provider + u"/inbox"_s));
    }

    // Waits until the Compose tab shows and the compose page's To, subject, body, Cc and Bcc, joined
    // by "|", are `fields`.
    bool composed(const QString &provider, const QString &fields) {
        const PageModel::ComposeForm &f = PageModel::composeForm(provider);
        return MainFormHarness::waitFor([&] {
            QStringList values;
            for (const QString &field : {f.to, f.subject, f.body, f.cc, f.bcc})
                values.append(h.form().webBrowser(3).formFieldValue(f.form, field).value_or(u"<none>"_s));
            return h.form().tabs().selected() == 2 && values.join(u'|') == fields;
        });
    }

    MainFormHarness h;
};

} // namespace

TEST_F(ComposeMailtoTest, AHandedInAddressBecomesANewMessage) {
    const std::pair<QString, QString> cases[] = {
        {fullLink, u"b@x|Hi & bye|See\n<b>you|c@x|d@x"_s},
        // Fields the link does not give are emptied; Hotmail takes the address in angle brackets.
        {u"Ann <ann@example.com>?subject=Hi%20there"_s, u"<ann@example.com>|Hi there|||"_s},
        {u"bob@example.com"_s, u"bob@example.com||||"_s},
    };
    startOnInbox(u"hotmail"_s);
    for (const auto &[link, fields] : cases) {
        SCOPED_TRACE(link.toStdString());
        h.form().tabs().select(3); // the user is elsewhere
        h.settings().SetIni(u"Settings"_s, u"mailto"_s, link);
        ASSERT_TRUE(composed(u"hotmail"_s, fields));
        EXPECT_EQ(h.settings().get(Keys::Mailto), u""_s);
        EXPECT_TRUE(MainFormHarness::waitFor([&] { return h.settings().get(Keys::Bug) == u"8888"_s; }));
    }
}

TEST_F(ComposeMailtoTest, TheLauncherHandsOverToTheRunningProgram) {
    startOnInbox(u"yahoo"_s);
    EXPECT_EQ(runLauncher({u"--settings"_s, h.iniPath(), u"--mailto"_s, u"mailto:"_s + fullLink}), 0);
    ASSERT_TRUE(composed(u"yahoo"_s, u"b@x|Hi & bye|See\n<b>you|c@x|d@x"_s));
    EXPECT_EQ(h.settings().get(Keys::Mailto), u""_s);
    // The rich-text area shows the link's markup as text, and is emptied with the body.
    WebPane &compose = h.form().webBrowser(3);
    EXPECT_EQ(compose.elementHtml(PageModel::yahooRichTextElement), u"See<br>&lt;b&gt;you"_s);
    h.settings().SetIni(u"Settings"_s, u"mailto"_s, u"ann@example.com?subject=Hi"_s);
    ASSERT_TRUE(composed(u"yahoo"_s, u"ann@example.com|Hi|||"_s));
    EXPECT_EQ(compose.elementHtml(PageModel::yahooRichTextElement), u""_s);
}

TEST_F(ComposeMailtoTest, TheLauncherStartsTheProgramWhenNoneRuns) {
    // No window here: the launcher must start one. It closes itself once loaded, and its
    // shutdown writes the window switches back.
    EXPECT_EQ(runLauncher({u"--settings"_s, h.iniPath(), u"--no-splash"_s, u"--quit-after-start"_s,
                           u"--mailto"_s, u"mailto:ann@example.com"_s}),
              0);
    EXPECT_EQ(h.settings().GetIni(u"Settings"_s, u"mailto"_s, u"<none>"_s), u"ann@example.com"_s);
    EXPECT_TRUE(MainFormHarness::waitFor(
        [&] { return h.settings().GetIni(u"Settings"_s, u"autopos"_s, u"<none>"_s) != u"<none>"_s; }, 60000));
}
