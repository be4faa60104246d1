// The mailto hand-over: an address written into the settings file, by a test or by the
// `corvalis --mailto URL` launcher, becomes a new message on the compose page.
#include "main_form_harness.h"

#include "shell/tab_navigator.h"

#include "webpages/page_model.h"
#include "webpages/web_pane.h"

#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

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

    // Waits until the compose page holds a message to `to` about `subject`.
    bool composed(const QString &provider, const QString &to, const QString &subject) {
        const PageModel::ComposeForm &form = PageModel::composeForm(provider);
        WebPane &compose = h.form().webBrowser(3);
        return MainFormHarness::waitFor([&] {
            return h.form().tabs().selected() == 2 && compose.formFieldValue(form.form, form.to) == to &&
                   compose.formFieldValue(form.form, form.subject) == subject;
        });
    }

    MainFormHarness h;
};

} // namespace

TEST_F(ComposeMailtoTest, AHandedInAddressBecomesANewMessage) {
    const struct {
        const char *provider;
        QString handedIn, to, subject;
    } cases[] = {
        {"hotmail", u"ann@example.com?subject=Hi"_s, u"ann@example.com"_s, u"Hi"_s},
        // Hotmail takes the address in angle brackets; the subject is decoded.
        {"hotmail", u"Ann <ann@example.com>?subject=Hi%20there"_s, u"<ann@example.com>"_s, u"Hi there"_s},
        {"hotmail", u"bob@example.com"_s, u"bob@example.com"_s, u""_s},
    };
    startOnInbox(u"hotmail"_s);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.handedIn.toStdString());
        h.form().tabs().select(3); // the user is elsewhere
        h.settings().SetIni(u"Settings"_s, u"mailto"_s, c.handedIn);
        ASSERT_TRUE(composed(QString::fromLatin1(c.provider), c.to, c.subject));
        EXPECT_EQ(h.settings().get(Keys::Mailto), u""_s);
        ASSERT_TRUE(MainFormHarness::waitFor([&] { return h.settings().get(Keys::Bug) == u"8888"_s; }));
        const PageModel::ComposeForm &form = PageModel::composeForm(QString::fromLatin1(c.provider));
        EXPECT_EQ(h.form().webBrowser(3).formFieldValue(form.form, form.body), u""_s);
    }
}

TEST_F(ComposeMailtoTest, TheLauncherHandsOverToTheRunningProgram) {
    startOnInbox(u"yahoo"_s);
    EXPECT_EQ(
        runLauncher({u"--settings"_s, h.iniPath(), u"--mailto"_s, u"mailto:ann@example.com?subject=Hi"_s}),
        0);
    ASSERT_TRUE(composed(u"yahoo"_s, u"ann@example.com"_s, u"Hi"_s));
    EXPECT_EQ(h.settings().get(Keys::Mailto), u""_s);
    // The rich-text area is emptied with the body.
    EXPECT_EQ(h.form().webBrowser(3).elementHtml(PageModel::yahooRichTextElement), u""_s);
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
