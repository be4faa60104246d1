// Reply, forward and send again from a saved message into webmail-sim's compose pages.
#include "main_form_harness.h"

#include "store/message_list_model.h"
#include "webpages/compose_transfer.h"

#include <QAbstractItemView>

namespace {

const SavedMessage lunch{u"Ann Smith <ann@example.com>"_s,
                         u"Lunch"_s,
                         u"12/05/2004 10:31"_s,
                         u"bob@example.com"_s,
                         u"carl@example.com"_s,
                         u"dora@example.com"_s,
                         u"See you at noon, and please bring the map of the old town with you.<br>\r\nAnn"_s};

class ComposeTransferTest : public ::testing::TestWithParam<QString> {
protected:
    void SetUp() override {
        ASSERT_TRUE(h.start());
        ASSERT_TRUE(h.showPage(u"/"_s + provider + u"/inbox"_s));
    }

    WebPane &compose() { return h.form().webBrowser(3); }

    // Picks the message on the saved-folders tab as a user does; the preview shows it, reply buttons come on.
    void preview(const SavedMessage &message, MessageKind kind = MessageKind::Captured) {
        const SaveResult saved = writeSavedMessage(h.mainDir(), u"Saved"_s, message, kind);
        ASSERT_TRUE(saved.ok()) << saved.detail.toStdString();
        preview(saved.path, message.subject);
    }
    void preview(const QString &path, const QString &subject) {
        const QFileInfo file(path);
        h.browse(file.dir().dirName());
        // The folder may hold other messages; ours is found by its file.
        const QAbstractItemModel *list = h.child<QAbstractItemView>("ListMsg")->model();
        const QModelIndexList rows = list->match(list->index(0, MessageListModel::FileColumn),
                                                 Qt::DisplayRole, file.fileName(), 1, Qt::MatchExactly);
        ASSERT_FALSE(rows.isEmpty()) << path.toStdString();
        h.clickMessage(rows.first().row());
        WebPane &pane = h.form().webBrowser(2);
        ASSERT_TRUE(MainFormHarness::waitFor([&] {
            return !pane.busy() && pane.elementText(u"subject"_s).value_or(QString()).contains(subject);
        }));
    }

    // The command's button; the compose page starts loading afresh, so the transfer waits for it.
    void press(const char *buttonName) {
        QSignalSpy blank(&compose(), &WebPane::documentCompleted);
        compose().navigate(u"about:blank"_s);
        ASSERT_TRUE(blank.wait(15000));
        ASSERT_EQ(h.userStep(QString::fromLatin1(buttonName)), QString());
    }

    QString fields() {
        QStringList values;
        for (const QString &field : {form.to, form.cc, form.bcc, form.subject, form.body})
            values.append(compose().formFieldValue(form.form, field).value_or(u"<missing>"_s));
        // Text areas give their value back with LF line ends, whatever was written.
        return values.join(u'|').replace(u"\r\n"_s, u"\n"_s);
    }

    // The same server under another name: another origin, so another site to the program.
    QString foreign() { return h.sim().baseUrl().replace(u"127.0.0.1"_s, u"localhost"_s); }

    MainFormHarness h;
    const QString provider = GetParam();
    const PageModel::ComposeForm form = PageModel::composeForm(provider);
};

} // namespace

TEST_P(ComposeTransferTest, FillsTheComposePageForEachCommand) {
    const QString replyTo = u"Ann Smith <ann@example.com>"_s; // the display name kept on either service
    // The body line is broken at the first blank from column 43; every line is quoted.
    const QString quoted =
        u"\n>\n>See you at noon, and please bring the map of\n>the old town with you.\n>Ann"_s;
    SavedMessage sent = lunch;
    sent.from = SavedMessageFile::sentFrom;
    sent.subject = u"Lunch plans"_s; // a subject of its own tells when the preview has changed
    const struct {
        const char *button;
        MessageKind kind;
        QString fields;
    } cases[] = {
        {"CommandReplyText", MessageKind::Captured, replyTo + u"|||RE: Lunch|"_s + quoted},
        {"CommandReplyNoText", MessageKind::Captured, replyTo + u"|||RE: Lunch|"_s},
        // A forward's text is headed by the original's sender, date and subject.
        {"CommandForward", MessageKind::Captured,
         u"|||FWD: Lunch|\n>\n>From: Ann Smith <ann@example.com>\n>Date: 12/05/2004 10:31\n>Subject: Lunch\n>"_s +
             quoted.mid(2)},
        // Every addressee comes back without its caption; the body is wrapped, not quoted.
        {"CommandSendAgain", MessageKind::Sent,
         u"bob@example.com|carl@example.com|dora@example.com|Lunch plans|"
         u"\n\nSee you at noon, and please bring the map of\nthe old town with you.\nAnn"_s},
    };
    preview(lunch);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.button);
        // The saved message is shown once; a fresh preview of the same page would not be waited for.
        if (c.kind == MessageKind::Sent)
            preview(sent, c.kind);
        else
            h.form().tabs().select(3);
        press(c.button);
        EXPECT_EQ(h.form().tabs().selected(), 2);
        EXPECT_EQ(fields(), c.fields);
        EXPECT_EQ(h.settings().get(Keys::Bug), u"0"_s);
        if (provider == PageModel::yahoo) {
            // The rich-text area shows the body with each quote mark starting a line.
            const QString rich = compose().elementHtml(PageModel::yahooRichTextElement).value_or(QString());
            EXPECT_EQ(rich.contains(u"<br>&gt;Ann"_s), c.fields.contains(u">Ann"_s)) << rich.toStdString();
        }
    }
    EXPECT_FALSE(h.child("PictureWait")->isVisible());
    // The message sent again stays, unsent, with the user's typed subject: sending again replaces it on Yes.
    ASSERT_TRUE(MainFormHarness::typeInto(compose(), u"[name=\"%1\"]"_s.arg(form.subject), u"PS"_s));
    ASSERT_TRUE(MainFormHarness::waitFor([&] { return fields().contains(u"PS"_s); }));
    for (const auto answer : {Messages::Answer::No, Messages::Answer::Yes}) {
        h.messages().queueAnswer(answer);
        h.form().tabs().select(3);
        ASSERT_EQ(h.userStep(u"CommandSendAgain"_s), QString());
        EXPECT_TRUE(h.messages().last().contains(u"not been sent"_s));
        EXPECT_EQ(fields().contains(u"PS"_s), answer == Messages::Answer::No) << fields().toStdString();
    }
}

// Only the user's Send to the service keeps a copy in "sent" (its box ticked): not a script's imitation of a
// submit, a submit the page cancels or its script makes, nor the user's Send of a form posting elsewhere.
TEST_P(ComposeTransferTest, OnlyTheUsersSendToTheServiceKeepsACopyInSent) {
    preview(lunch);
    press("CommandReplyText");
    ASSERT_TRUE(fields().contains(u"|RE: Lunch|"_s));
    ASSERT_TRUE(h.child<QCheckBox>("CheckSaveSent")->isChecked());
    // Fields named like the form's own properties hide them from the page's view of the form.
    const QString shadows =
        u"for (const name of ['elements', 'action', 'id', 'submit']) "
        u"f.appendChild(Object.assign(document.createElement('input'), {name, value: 'x'}));"_s;
    const struct {
        QString subject, script;
        bool userClicks = false, leaves = true;
    } sends[] = {
        {u"Imitated"_s,
         shadows + u"f.dispatchEvent(new Event('submit', {bubbles: true, cancelable: true}))"_s, false,
         false},
        {u"Cancelled"_s, u"f.addEventListener('submit', e => e.preventDefault(), {once: true}); b.click()"_s,
         false, false},
        {u"Requested"_s, u"f.requestSubmit()"_s},
        {u"Clicked"_s, u"b.click()"_s},
        {u"Elsewhere"_s, u"f.action = f.action.replace(location.origin, '%1')"_s.arg(foreign()), true},
        {u"Sent"_s, {}, true}};
    for (const auto &c : sends) {
        SCOPED_TRACE(c.subject.toStdString());
        ASSERT_TRUE(h.load(compose(), h.sim().baseUrl() + u"/"_s + provider + u"/compose"_s));
        ASSERT_TRUE(compose().setFormFieldValue(form.form, form.to, u"bob@example.com"_s));
        ASSERT_TRUE(compose().setFormFieldValue(form.form, form.subject, c.subject));
        MainFormHarness::runPageScript(
            compose(),
            u"{const f = document.forms['%1'], b = f.querySelector('input[type=submit]'); %2}"_s.arg(
                form.form, c.script));
        ASSERT_TRUE(!c.userClicks || MainFormHarness::clickElement(compose(), u"input[type=submit]"_s));
        ASSERT_TRUE(!c.leaves || MainFormHarness::waitFor(
                                     [&] { return h.sim().sentFields({form.subject}).contains(c.subject); }));
    }
    const QDir sent(h.mainDir() + u"savedmgs/sent"_s);
    ASSERT_TRUE(MainFormHarness::waitFor([&] { return !sent.isEmpty(QDir::Files); }));
    const QStringList files = sent.entryList({u"*.htm"_s}, QDir::Files);
    EXPECT_TRUE(files.size() == 1 && files[0].contains(u"&&Sent&&"_s) &&
                files[0].endsWith(u"&&sent message.htm"_s))
        << files.join(u' ').toStdString();
}

using HostileReplyTest = ComposeTransferTest;

TEST_P(HostileReplyTest, AMessageWhoseTextIsMarkupIsRepliedToAsText) {
    // The user saves the message from the service's page, then replies to the saved copy.
    ASSERT_TRUE(h.showPage(u"/hostile/yahoo/message"_s));
    h.child<QPushButton>("GetBody")->click();
    const QDir saved(h.mainDir() + u"savedmgs/Saved"_s);
    const QStringList files = saved.entryList({u"Mallory*"_s}, QDir::Files);
    ASSERT_EQ(files.size(), 1);
    ASSERT_TRUE(h.showPage(u"/yahoo/inbox"_s));
    preview(saved.filePath(files[0]), u"Your invoice"_s);
    press("CommandReplyText");
    ASSERT_TRUE(fields().contains(u"|RE: Your invoice|"_s));
    // Every character shows (the rich text starts a line at each ">").
    const QString text = u"<img src=x onerror=\"fetch('/hostile/report?page=onerror')\""_s;
    EXPECT_TRUE(compose().elementText(PageModel::yahooRichTextElement).value_or(QString()).contains(text));
    EXPECT_FALSE(
        compose().elementHtml(PageModel::yahooRichTextElement).value_or(QString()).contains(u"<img"_s));
    EXPECT_EQ(QString::fromUtf8(h.sim().get(u"/_sim/hostile-log"_s)), u"[]\n"_s);
}

// An advert's link takes the main pane to another site whose address names the service: its compose page
// look-alike is never loaded, and nothing of the message reaches it.
TEST_P(HostileReplyTest, AnotherSiteNamedLikeTheServiceGetsNothing) {
    WebPane &main = h.form().webBrowser(1);
    ASSERT_TRUE(h.showPage(u"/hotmail/inbox?ad="_s + foreign() + u"/hostile/ad"_s));
    ASSERT_TRUE(MainFormHarness::clickElement(main, u"#ad"_s));
    ASSERT_TRUE(MainFormHarness::waitForPage(main, u"/hostile/hotmail/clicked/x"_s));
    preview(lunch);
    // No service page: the reply waits for one, and the user gives up.
    auto *cancel = h.child<QPushButton>("CommandCancelWait");
    QObject::connect(h.child<ComposeTransfer>("ComposeTransfer"), &ComposeTransfer::waitShown, cancel,
                     [cancel](bool shown) {
                         if (shown)
                             QTimer::singleShot(500, cancel, &QPushButton::click);
                     });
    press("CommandReplyText");
    EXPECT_TRUE(h.child<QLabel>("LabelNoService")->isVisible());
    EXPECT_FALSE(compose().locationUrl().startsWith(foreign())) << compose().locationUrl().toStdString();
    EXPECT_EQ(QString::fromUtf8(h.sim().get(u"/_sim/hostile-log"_s)), u"[]\n"_s);
}

// A saved message that refreshes to a local file leaves the preview where it is.
TEST_P(HostileReplyTest, ThePreviewFollowsNoRefreshOfASavedMessage) {
    SavedMessage refreshing = lunch;
    refreshing.body = QString::fromUtf8(h.sim().get(u"/hostile/refresh.htm"_s));
    WebPane &pane = h.form().webBrowser(2);
    QSignalSpy refused(&pane.webPage(), &WebPage::navigationRefused);
    preview(refreshing);
    ASSERT_TRUE(!refused.isEmpty() || refused.wait(15000));
    EXPECT_EQ(refused.first().first().toUrl(), QUrl(u"file:///etc/passwd"_s));
    EXPECT_TRUE(pane.locationUrl().endsWith(u".htm"_s)) << pane.locationUrl().toStdString();
    EXPECT_TRUE(pane.elementText(u"subject"_s).value_or(QString()).contains(u"Lunch"_s));
}

INSTANTIATE_TEST_SUITE_P(Yahoo, HostileReplyTest, ::testing::Values(u"yahoo"_s),
                         [](const auto &info) { return info.param.toStdString(); });

INSTANTIATE_TEST_SUITE_P(Providers, ComposeTransferTest, ::testing::Values(u"hotmail"_s, u"yahoo"_s),
                         [](const auto &info) { return info.param.toStdString(); });
