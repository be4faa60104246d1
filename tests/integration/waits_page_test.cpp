// The compose page's wait and posts, against webmail-sim: a Cancel pressed while the program
// looks into the page, and submits that never leave the page.
#include "main_form_harness.h"

#include "shell/tab_navigator.h"
#include "store/saved_message_file.h"
#include "webpages/compose_transfer.h"
#include "webpages/page_model.h"
#include "webpages/web_pane.h"

#include <QDir>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const PageModel::ComposeForm &hotmail = PageModel::composeForm(PageModel::hotmail);

} // namespace

TEST(WaitsPageTest, ACancelDuringALookEndsThatTransferAndNoOther) {
    MainFormHarness h;
    ASSERT_TRUE(h.start());
    const SaveResult saved = writeSavedMessage(
        h.mainDir(), u"Saved"_s,
        {u"Ann <ann@example.com>"_s, u"Lunch"_s, u"12/05/2004"_s, u"bob@example.com"_s, {}, {}, u"Hi"_s},
        MessageKind::Captured);
    ASSERT_TRUE(h.load(h.form().webBrowser(2), saved.path));
    // The service has no compose page here: the transfer waits, looking again and again.
    ASSERT_TRUE(h.load(h.form().webBrowser(1), h.sim().baseUrl() + u"/hotmailx/inbox"_s));
    WebPane &compose = h.form().webBrowser(3);
    auto *transfer = h.form().findChild<ComposeTransfer *>(u"ComposeTransfer"_s);
    auto *cancel = h.form().findChild<QPushButton *>(u"CommandCancelWait"_s);
    QTimer waitShown;
    QObject::connect(&waitShown, &QTimer::timeout, &waitShown, [&] {
        if (!cancel->isVisible() || compose.busy() || !compose.documentUrl().contains(u"x/compose"_s))
            return;
        waitShown.stop();
        // The form comes, but the page holds its answer back for two seconds: the look that
        // finds it is under way when the user presses Cancel.
        MainFormHarness::runPageScript(compose, uR"(setTimeout(() => {
            const f = document.body.appendChild(Object.assign(document.createElement('form'), {id: '%1'}));
            for (const name of %2) f.appendChild(Object.assign(document.createElement('input'), {name}));
            for (const t = Date.now(); Date.now() - t < 2000;) {}
        }, 0))"_s.arg(hotmail.form, u"['%1','%2','%3','%4','%5']"_s.arg(hotmail.to, hotmail.cc, hotmail.bcc,
                                                                        hotmail.subject, hotmail.body)));
        QTimer::singleShot(800, cancel, &QPushButton::click);
    });
    waitShown.start(50);
    const auto outcome = [&] { // the To field and the stage marker after a transfer
        transfer->ReplyOrForward(int(TransferMode::ReplyWithText));
        return compose.formFieldValue(hotmail.form, hotmail.to).value_or(u"-"_s) + u'|' +
               h.settings().get(Keys::Bug);
    };
    EXPECT_EQ(outcome(), u"|5"_s);
    // The next transfer is not swallowed by that cancel (nor left waiting by this test).
    QTimer::singleShot(15000, cancel, &QPushButton::click);
    EXPECT_EQ(outcome(), u"<ann@example.com>|0"_s);
}

TEST(WaitsPageTest, OnlyAPostThatLeavesThePageKeepsASentCopy) {
    MainFormHarness h;
    ASSERT_TRUE(h.start());
    ASSERT_TRUE(h.load(h.form().webBrowser(1), h.sim().baseUrl() + u"/hotmail/inbox"_s));
    WebPane &compose = h.form().webBrowser(3);
    h.form().tabs().select(TabNavigator::Compose);
    ASSERT_TRUE(MainFormHarness::waitForPage(compose, u"/hotmail/compose"_s));
    // Fields named like the form's own properties hide them from the page's view of the form.
    MainFormHarness::runPageScript(
        compose, u"for (const name of ['elements', 'action', 'id', 'submit']) "
                 u"document.forms['%1'].appendChild(Object.assign("
                 u"document.createElement('input'), {name, value: 'x'}))"_s.arg(hotmail.form));
    // A page script's imitation of a submit, a submit the page cancels, and the user's Send.
    const std::pair<QString, QString> sends[] = {
        {u"Imitated"_s, u"f.dispatchEvent(new Event('submit', {bubbles: true, cancelable: true}))"_s},
        {u"Cancelled"_s, u"f.addEventListener('submit', e => e.preventDefault(), {once: true}); b.click()"_s},
        {u"Sent"_s, u"b.click()"_s}};
    for (const auto &[subject, script] : sends) {
        ASSERT_TRUE(compose.setFormFieldValue(hotmail.form, hotmail.to, u"eve@example.com"_s));
        ASSERT_TRUE(compose.setFormFieldValue(hotmail.form, hotmail.subject, subject));
        MainFormHarness::runPageScript(
            compose, u"{const f = document.forms['%1'], b = f.querySelector('input[type=submit]'); %2}"_s.arg(
                         hotmail.form, script));
    }
    const QDir sent(h.mainDir() + u"savedmgs/sent"_s);
    ASSERT_TRUE(
        MainFormHarness::waitFor([&] { return h.sim().sent().size() == 1 && !sent.isEmpty(QDir::Files); }));
    const QStringList files = sent.entryList(QDir::Files);
    EXPECT_TRUE(files.size() == 1 && files[0].contains(u"Sent"_s)) << files.join(u' ').toStdString();
}
