// Signing in through the welcome page against the local sign-in service.
#include "main_form_harness.h"

#include "webpages/web_pane.h"

#include <QAction>
#include <QCheckBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Types into the welcome page's fields as a user would (input events), then submits.
void signInByHand(WebPane &pane, const QString &email, const QString &password) {
    MainFormHarness::runPageScript(
        pane, uR"(
        (function(email, password) {
            const f = document.forms['login'];
            for (const [name, value] of [['email', email], ['password', password]]) {
                f.elements[name].value = value;
                f.elements[name].dispatchEvent(new Event('input', {bubbles: true}));
            }
        })(%1, %2))"_s.arg(
                  QString::fromUtf8(QJsonDocument(QJsonArray{email}).toJson(QJsonDocument::Compact))
                      .mid(1)
                      .chopped(1),
                  QString::fromUtf8(QJsonDocument(QJsonArray{password}).toJson(QJsonDocument::Compact))
                      .mid(1)
                      .chopped(1)));
    // The page reports typed fields asynchronously; wait until the program has seen them.
    ASSERT_TRUE(MainFormHarness::waitFor([&] {
        return pane.knownFieldValue(u"login"_s, u"email"_s) == email &&
               pane.knownFieldValue(u"login"_s, u"password"_s) == password;
    }));
    MainFormHarness::runPageScript(pane, u"document.forms['login'].requestSubmit()"_s);
}

QString stored(MainFormHarness &h, const QString &key) {
    return h.settings().GetIni(u"Settings"_s, key, u"<none>"_s);
}

} // namespace

TEST(SignInTest, TickedSignInIsCapturedAndReachesTheService) {
    MainFormHarness h;
    ASSERT_TRUE(h.start());
    WebPane &pane = h.form().webBrowser(1);
    h.form().findChild<QCheckBox *>(u"CheckAutoLog"_s)->setChecked(true);
    signInByHand(pane, u"ann@example.com"_s, u"pa ss&word"_s);
    ASSERT_TRUE(MainFormHarness::waitForPage(pane, u"/cgi-bin/signin.cgi"_s));

    EXPECT_EQ(stored(h, u"email"_s), u"ann@example.com"_s);
    EXPECT_EQ(stored(h, u"pw"_s), u"pa ss&word"_s);
    EXPECT_EQ(stored(h, u"autologin"_s), u"1"_s);
    const QJsonArray signins = QJsonDocument::fromJson(h.sim().get(u"/_sim/signins"_s)).array();
    ASSERT_EQ(signins.size(), 1);
    EXPECT_EQ(signins[0].toObject()[u"password"_s].toString(), u"pa ss&word"_s);
    // The answer page of the sign-in service offers its answer field to the spell checker.
    auto *spell = h.form().findChild<QAction *>(u"spell"_s);
    EXPECT_TRUE(spell->isEnabled());
    EXPECT_TRUE(pane.formFieldValue(u"qaform"_s, u"eda"_s).has_value());
}

TEST(SignInTest, UntickedOrPartlyFilledSignInStoresNoCredentials) {
    {
        MainFormHarness h("[Settings]\r\nautologin=1\r\n");
        ASSERT_TRUE(h.start());
        WebPane &pane = h.form().webBrowser(1);
        h.form().findChild<QCheckBox *>(u"CheckAutoLog"_s)->setChecked(false);
        signInByHand(pane, u"ann@example.com"_s, u"secret"_s);
        ASSERT_TRUE(MainFormHarness::waitForPage(pane, u"/cgi-bin/signin.cgi"_s));
        EXPECT_EQ(stored(h, u"autologin"_s), u"0"_s);
        EXPECT_EQ(stored(h, u"email"_s), u"<none>"_s);
    }
    {
        MainFormHarness h;
        ASSERT_TRUE(h.start());
        WebPane &pane = h.form().webBrowser(1);
        h.form().findChild<QCheckBox *>(u"CheckAutoLog"_s)->setChecked(true);
        const QString before = stored(h, u"autologin"_s);
        signInByHand(pane, u"ann@example.com"_s, QString());
        ASSERT_TRUE(MainFormHarness::waitForPage(pane, u"/cgi-bin/signin.cgi"_s));
        EXPECT_EQ(stored(h, u"autologin"_s), before);
        EXPECT_EQ(stored(h, u"email"_s), u"<none>"_s);
    }
}

TEST(SignInTest, StoredSignInSignsInByItselfOnEveryLoadOfTheWelcomePage) {
    MainFormHarness h("[Settings]\r\nautologin=2\r\nemail=bob@example.com\r\npw=hunter2\r\n");
    ASSERT_TRUE(h.sim().started());
    // start() waits for the welcome page, which the automatic sign-in leaves at once.
    h.start();
    WebPane &pane = h.form().webBrowser(1);
    ASSERT_TRUE(MainFormHarness::waitForPage(pane, u"/cgi-bin/signin.cgi"_s));
    ASSERT_TRUE(h.form().findChild<QCheckBox *>(u"CheckAutoLog"_s)->isChecked());

    ASSERT_TRUE(h.load(pane, QUrl::fromLocalFile(h.mainDir() + u"html/welcome.htm"_s).toString()) ||
                MainFormHarness::waitForPage(pane, u"/cgi-bin/signin.cgi"_s));
    ASSERT_TRUE(MainFormHarness::waitFor(
        [&] { return QJsonDocument::fromJson(h.sim().get(u"/_sim/signins"_s)).array().size() == 2; }));
    const QJsonArray signins = QJsonDocument::fromJson(h.sim().get(u"/_sim/signins"_s)).array();
    EXPECT_EQ(signins[1].toObject()[u"email"_s].toString(), u"bob@example.com"_s);
    EXPECT_EQ(signins[1].toObject()[u"password"_s].toString(), u"hunter2"_s);
}
