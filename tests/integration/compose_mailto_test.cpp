// The mailto hand-over, from the settings file or the `corvalis --mailto URL` launcher.
#include "main_form_harness.h"

#include <QUrl>

namespace {

const QString fullLink = u"b@x?subject=Hi%20%26%20bye&body=See%0D%0A%3Cb%3Eyou&cc=c@x&bcc=d@x"_s;

class ComposeMailtoTest : public ::testing::Test {
protected:
    // Waits until the Compose tab shows and its To, subject, body, Cc and Bcc, joined by "|", are `fields`.
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
    const struct {
        QString provider, link, fields;
        QString rich; // Yahoo's rich-text area shows the link's markup as text, and is emptied with the body
    } cases[] = {
        {u"hotmail"_s, fullLink, u"b@x|Hi & bye|See\n<b>you|c@x|d@x"_s, {}},
        {u"yahoo"_s, fullLink, u"b@x|Hi & bye|See\n<b>you|c@x|d@x"_s, u"See<br>&lt;b&gt;you"_s},
        // Fields the link does not give are emptied (the writer is the same for both services).
        {u"yahoo"_s, u"ann@example.com?subject=Hi"_s, u"ann@example.com|Hi|||"_s, u""_s},
    };
    ASSERT_TRUE(h.start());
    h.messages().setFallbackAnswer(Messages::Answer::Yes); // each link's message replaces the last
    for (const auto &c : cases) {
        SCOPED_TRACE((c.provider + u' ' + c.link).toStdString());
        if (!h.form().webBrowser(1).locationUrl().contains(c.provider)) {
            ASSERT_TRUE(h.showPage(u"/"_s + c.provider + u"/inbox"_s));
        }
        h.form().tabs().select(3); // the user is elsewhere
        h.settings().SetIni(u"Settings"_s, u"mailto"_s, c.link);
        ASSERT_TRUE(composed(c.provider, c.fields));
        EXPECT_EQ(h.settings().get(Keys::Mailto), u""_s);
        EXPECT_TRUE(MainFormHarness::waitFor([&] { return h.settings().get(Keys::Bug) == u"8888"_s; }));
        if (c.provider == PageModel::yahoo) {
            EXPECT_EQ(h.form().webBrowser(3).elementHtml(PageModel::yahooRichTextElement), c.rich);
        }
    }
}

// A compose pane that cannot show the compose page (no service known yet after the sign-in, or an HTTP error
// page) is loaded again when needed: a link waiting on it is composed once the main pane reaches an inbox.
TEST_F(ComposeMailtoTest, ALinkWaitingOnAnUnusableComposePaneIsComposedOnceAnInboxShows) {
    const struct {
        QString why;
        QString mainPage;
        bool noService; // the Compose tab says so in a line
    } cases[] = {
        {"after the sign-in, no service known yet", u"/cgi-bin/signin.cgi"_s, true},
        {"the compose page answered 404", u"/hotmailx/inbox"_s, false},
    };
    ASSERT_TRUE(h.start());
    const auto *noService = h.child<QLabel>("LabelNoService");
    for (const auto &c : cases) {
        SCOPED_TRACE(c.why.toStdString());
        ASSERT_TRUE(h.showPage(c.mainPage));
        // Shown twice: the first showing keeps the message composed just before.
        h.form().tabs().select(TabNavigator::Compose);
        h.form().tabs().select(TabNavigator::Compose);
        EXPECT_EQ(noService && noService->isVisible(), c.noService);
        ASSERT_TRUE(c.noService ||
                    MainFormHarness::waitForPage(h.form().webBrowser(3), u"hotmailx/compose"_s));
        // The transfer waits in the tick as the main pane reaches an inbox; with no form long after, it ends.
        QTimer inbox, giveUp;
        QObject::connect(&inbox, &QTimer::timeout, &inbox, [&] {
            if (h.settings().get(Keys::Bug) != u"5"_s)
                return;
            inbox.stop();
            h.form().webBrowser(1).navigate(h.sim().baseUrl() + u"/hotmail/inbox"_s);
        });
        QObject::connect(&giveUp, &QTimer::timeout, &giveUp,
                         [&] { h.child<QPushButton>("CommandCancelWait")->click(); });
        inbox.start(100);
        giveUp.start(30000);
        // The display name stays beside the address.
        h.settings().SetIni(u"Settings"_s, u"mailto"_s, u"Ann <ann@example.com>?subject="_s + c.why);
        EXPECT_TRUE(composed(u"hotmail"_s, u"Ann <ann@example.com>|"_s + c.why + u"|||"_s));
    }
}

// A link of any length reaches the compose page whole, also from a launcher that finds the program still
// starting (lock held, not yet listening); a running program's is the mailto queue's test.
TEST_F(ComposeMailtoTest, ALongLinkReachesAProgramStillStartingWhole) {
    QString body;
    while (body.size() < 20000)
        body += u"Grüße aus Köln, 東京 & 50% mehr = ok\n"_s;
    body.truncate(20000);
    const QString link = u"mailto:ann@example.com?subject=Long&body="_s + QUrl::toPercentEncoding(body);
    const PageModel::ComposeForm &form = PageModel::composeForm(u"hotmail"_s);
    // The program opens on the inbox, as after a sign-in, so its compose page is known when the link comes: a
    // link taken on the welcome page waits in a tick of the window, holding up a later step of this test's.
    ASSERT_TRUE(
        TextFile::writeAtomically(
            h.mainDir() + u"html/welcome.htm"_s,
            u"<script>location.replace('%1/hotmail/inbox')</script>"_s.arg(h.sim().baseUrl()).toUtf8())
            .ok);
    h.holdInstance();
    QProcess launcher;
    launcher.start(QStringLiteral(CORVALIS_PATH), {u"--settings"_s, h.iniPath(), u"--mailto"_s, link});
    QTest::qWait(1500); // the launcher finds no one listening, and waits
    ASSERT_TRUE(h.start(u"/hotmail/inbox"_s));
    // The program in this process answers the launcher meanwhile.
    EXPECT_TRUE(MainFormHarness::waitFor([&] { return launcher.state() == QProcess::NotRunning; }, 40000));
    EXPECT_EQ(std::pair(launcher.exitStatus(), launcher.exitCode()), std::pair(QProcess::NormalExit, 0))
        << launcher.readAllStandardError().toStdString();
    EXPECT_TRUE(MainFormHarness::waitFor(
        [&] { return h.form().webBrowser(3).formFieldValue(form.form, form.body) == body; }));
}
