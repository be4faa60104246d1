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
    const QJsonArray values{email, password};
    MainFormHarness::runPageScript(pane, uR"({
        const f = document.forms['login'];
        ['email', 'password'].forEach((name, i) => {
            f.elements[name].value = %1[i];
            f.elements[name].dispatchEvent(new Event('input', {bubbles: true}));
        });})"_s.arg(QString::fromUtf8(QJsonDocument(values).toJson(QJsonDocument::Compact))));
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

TEST(SignInTest, ASignInByHandReachesTheServiceAndStoresWhatTheBoxAllows) {
    const struct {
        const char *why;
        QByteArray ini;
        bool ticked;
        QString password;
        std::optional<QString> autologin; // nothing: left as it was
        QString email;
    } cases[] = {
        {"ticked", {}, true, u"pa ss&word"_s, u"1"_s, u"ann@example.com"_s},
        {"unticked stores only the switch", "[Settings]\r\nautologin=1\r\n", false, u"secret"_s, u"0"_s,
         u"<none>"_s},
        {"ticked without a password stores nothing", {}, true, QString(), std::nullopt, u"<none>"_s},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.why);
        MainFormHarness h(c.ini);
        ASSERT_TRUE(h.start());
        WebPane &pane = h.form().webBrowser(1);
        h.form().findChild<QCheckBox *>(u"CheckAutoLog"_s)->setChecked(c.ticked);
        const QString before = stored(h, u"autologin"_s);
        signInByHand(pane, u"ann@example.com"_s, c.password);
        ASSERT_TRUE(MainFormHarness::waitForPage(pane, u"/cgi-bin/signin.cgi"_s));
        EXPECT_EQ(stored(h, u"autologin"_s), c.autologin.value_or(before));
        EXPECT_EQ(stored(h, u"email"_s), c.email);
        EXPECT_EQ(stored(h, u"pw"_s), c.email == u"<none>"_s ? c.email : c.password);
        if (!c.password.isEmpty()) {
            const QJsonArray signins = QJsonDocument::fromJson(h.sim().get(u"/_sim/signins"_s)).array();
            ASSERT_EQ(signins.size(), 1);
            EXPECT_EQ(signins[0].toObject()[u"password"_s].toString(), c.password);
            // The answer page of the sign-in service offers its answer field to the spell checker.
            EXPECT_TRUE(h.toolAction(u"Toolbar1"_s, u"spell"_s)->isEnabled());
            EXPECT_TRUE(pane.formFieldValue(u"qaform"_s, u"eda"_s).has_value());
        }
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
