// Signing in through the welcome page against the local sign-in service.
#include "main_form_harness.h"

#include "shell/settings_panel.h"
#include "webpages/sign_in_controller.h"

#include <QDBusConnection>
#include <QDBusVirtualObject>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

// Types into the welcome page's fields as a user would (trusted input events), then submits.
void signInByHand(WebPane &pane, const QString &email, const QString &password) {
    // Typing is editing: the browser's own insertText makes the same trusted input events.
    const QJsonArray values{email, password};
    MainFormHarness::runPageScript(pane, uR"(['email', 'password'].forEach((name, i) => {
            document.forms['login'].elements[name].focus();
            document.execCommand('insertText', false, %1[i]);
        }))"_s.arg(QString::fromUtf8(QJsonDocument(values).toJson(QJsonDocument::Compact))));
    // The page reports typed fields asynchronously; wait until the program has seen them.
    ASSERT_TRUE(MainFormHarness::waitFor([&] {
        return pane.knownFieldValue(u"login"_s, u"email"_s) == email &&
               pane.knownFieldValue(u"login"_s, u"password"_s) == password;
    }));
    MainFormHarness::runPageScript(pane, u"document.forms['login'].requestSubmit()"_s);
}

// These tests run twice: with no desktop keyring, where the settings file keeps the password,
// and against a real one (a private GNOME Keyring, see support/with_keyring.sh).
const bool withKeyring = qEnvironmentVariableIsSet("CORVALIS_TEST_KEYRING");

// The password the desktop keyring holds for `email`, read past the program.
QString inKeyring(const QString &email) {
    QProcess lookup;
    lookup.start(u"secret-tool"_s, {u"lookup"_s, u"server"_s, u"Corvalis"_s, u"user"_s, email});
    lookup.waitForFinished();
    return QString::fromUtf8(lookup.readAllStandardOutput());
}

QString placeLine(MainFormHarness &h) {
    return h.form().settingsPanel()->labelSignInPlace()->text();
}

bool keyringAnswered(MainFormHarness &h) {
    return MainFormHarness::waitFor([&] { return !placeLine(h).startsWith(u"Looking"_s); });
}

struct Stored {
    QString file, keyring; // the settings file's `pw`; the keyring's password
    friend bool operator==(const Stored &, const Stored &) = default;
};
// A password the program keeps: in the keyring when there is one, else in the file.
Stored kept(const QString &password) {
    return withKeyring ? Stored{QString(), password} : Stored{password, QString()};
}

void expectStored(MainFormHarness &h, const QString &email, const Stored &expected) {
    const auto now = [&] { return Stored{h.settings().get(Keys::Pw), inKeyring(email)}; };
    // The Settings tab says where it is (the file is written before the keyring answers).
    const QString place = !expected.keyring.isEmpty() ? u"kept in the desktop keyring"_s
                          : expected.file.isEmpty()   ? u"No sign-in is stored; one would be"_s
                                                      : u"kept in the settings file"_s;
    const auto saysPlace = [&](const QString &line) {
        return line.startsWith(u"The stored sign-in is "_s + place) || line.startsWith(place);
    };
    Stored found;
    MainFormHarness::waitFor([&] { return (found = now()) == expected && saysPlace(placeLine(h)); });
    EXPECT_EQ(QStringList({found.file, found.keyring}), QStringList({expected.file, expected.keyring}));
    EXPECT_TRUE(saysPlace(placeLine(h))) << placeLine(h).toStdString();
}

QJsonArray signIns(MainFormHarness &h) {
    return QJsonDocument::fromJson(h.sim().get(u"/_sim/signins"_s)).array();
}

} // namespace

// A sign-in without a password stores nothing: the sign-in rules' test.
TEST(SignInTest, ASignInByHandReachesTheServiceAndStoresWhatTheBoxAllows) {
    const struct {
        const char *why;
        QByteArray ini;
        bool ticked;
        QString email, password; // typed
    } cases[] = {
        {"ticked", "", true, u"ann@example.com"_s, u"pa ss&word"_s},
        {"unticked stores the switch and forgets the stored password",
         "[Settings]\r\nautologin=0\r\nemail=bea@example.com\r\npw=old\r\n", false, u"bea@example.com"_s,
         u"secret"_s},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.why);
        MainFormHarness h(c.ini);
        ASSERT_TRUE(h.start());
        WebPane &pane = h.form().webBrowser(1);
        h.child<QCheckBox>("CheckAutoLog")->setChecked(c.ticked);
        signInByHand(pane, c.email, c.password);
        ASSERT_TRUE(MainFormHarness::waitForPage(pane, u"/cgi-bin/signin.cgi"_s));
        EXPECT_EQ(h.settings().get(Keys::AutoLogin), c.ticked ? u"1"_s : u"0"_s);
        EXPECT_EQ(h.settings().get(Keys::Email), c.email);
        expectStored(h, c.email, c.ticked ? kept(c.password) : Stored());
        const QJsonArray signins = signIns(h);
        ASSERT_EQ(signins.size(), 1);
        EXPECT_EQ(signins[0].toObject()[u"password"_s].toString(), c.password);
    }
}

// A foreign page named like the welcome page is neither filled, nor read, nor fed made-up input.
TEST(SignInTest, AStoredSignInSignsInOnEveryLoadOfOurWelcomePageOnlyAndAtTheNextStart) {
    const QString bob = u"bob@example.com"_s;
    {
        MainFormHarness h("[Settings]\r\nautologin=2\r\nemail=bob@example.com\r\npw=hunter2\r\n");
        // start() waits for the welcome page, which the automatic sign-in leaves at once.
        h.start();
        WebPane &pane = h.form().webBrowser(1);
        ASSERT_TRUE(MainFormHarness::waitForPage(pane, u"/cgi-bin/signin.cgi"_s));
        ASSERT_TRUE(h.child<QCheckBox>("CheckAutoLog")->isChecked());
        ASSERT_TRUE(h.load(pane, QUrl::fromLocalFile(h.mainDir() + u"html/welcome.htm"_s).toString()) ||
                    MainFormHarness::waitForPage(pane, u"/cgi-bin/signin.cgi"_s));
        ASSERT_TRUE(MainFormHarness::waitFor([&] { return signIns(h).size() == 2; }));
        EXPECT_EQ(signIns(h)[1].toObject()[u"email"_s].toString(), bob);
        EXPECT_EQ(signIns(h)[1].toObject()[u"password"_s].toString(), u"hunter2"_s);
        for (const QString &page : {u"/hostile/welcome.htm?utm=newsletter&plant=1"_s,
                                    u"/hostile/promo/welcome.html?plant=1"_s, u"/hostile/synthetic"_s}) {
            SCOPED_TRACE(page.toStdString());
            ASSERT_TRUE(h.showPage(page));
            // The page fills its form itself with made-up input events; then the user leaves it.
            ASSERT_TRUE(MainFormHarness::waitFor(
                [&] { return MainFormHarness::runPageScript(pane, u"document.title"_s) == u"planted"_s; }));
            EXPECT_EQ(pane.knownFieldValue(u"login"_s, u"email"_s), std::nullopt);
            ASSERT_TRUE(h.showPage(u"/yahoo/inbox"_s));
        }
        const QByteArray sentHome = h.sim().get(u"/_sim/hostile-log"_s);
        EXPECT_FALSE(sentHome.contains("hunter2") || sentHome.contains("bob@")) << sentHome.toStdString();
        EXPECT_EQ(signIns(h).size(), 2);
        EXPECT_EQ(h.settings().get(Keys::Email), bob);
        // The older file's password has moved into the keyring, when there is one.
        expectStored(h, bob, kept(u"hunter2"_s));
    }
    // The next start finds it there; with no keyring and nothing in the file, nothing signs in.
    MainFormHarness h("[Settings]\r\nautologin=1\r\nemail=bob@example.com\r\n");
    ASSERT_TRUE(h.sim().started()); // else no sign-in would be seen for want of a service
    h.start();
    if (withKeyring) {
        ASSERT_TRUE(MainFormHarness::waitForPage(h.form().webBrowser(1), u"/cgi-bin/signin.cgi"_s));
        EXPECT_EQ(signIns(h)[0].toObject()[u"password"_s].toString(), u"hunter2"_s);
    } else {
        ASSERT_TRUE(keyringAnswered(h));
        EXPECT_TRUE(signIns(h).isEmpty());
    }
}

// A keyring that gives no password leaves the welcome page to the user. With no desktop keyring:
// a Secret Service that takes every call and never answers, as a keyring waiting on a prompt that
// nobody answers does. With one: it is locked (last, as it stays locked).
class SilentKeyring : public QDBusVirtualObject {
public:
    QString introspect(const QString &) const override { return {}; }
    bool handleMessage(const QDBusMessage &, const QDBusConnection &) override { return true; }
};

TEST(SignInTest, AKeyringThatGivesNoPasswordLeavesTheWelcomePageToTheUser) {
    SilentKeyring silent;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (withKeyring) {
        QProcess::execute(u"gdbus"_s, {u"call"_s, u"--session"_s, u"--dest"_s, u"org.freedesktop.secrets"_s,
                                       u"--object-path"_s, u"/org/freedesktop/secrets"_s, u"--method"_s,
                                       u"org.freedesktop.Secret.Service.Lock"_s,
                                       u"['/org/freedesktop/secrets/collection/login']"_s});
    } else if (!bus.registerService(u"org.freedesktop.secrets"_s) ||
               !bus.registerVirtualObject(u"/org/freedesktop/secrets"_s, &silent, QDBusConnection::SubPath)) {
        GTEST_SKIP() << "needs a session bus with no keyring on it";
    }
    MainFormHarness h("[Settings]\r\nautologin=1\r\nemail=bob@example.com\r\n");
    ASSERT_TRUE(h.start()); // nothing at start-up waits for the keyring
    ASSERT_TRUE(withKeyring ? keyringAnswered(h) : placeLine(h).startsWith(u"Looking"_s));
    // The user signs in by hand; the service sees only that, also once a never-answering keyring is given up.
    signInByHand(h.form().webBrowser(1), u"dee@example.com"_s, u"pw4"_s);
    ASSERT_TRUE(MainFormHarness::waitForPage(h.form().webBrowser(1), u"/cgi-bin/signin.cgi"_s));
    QTest::qWait(withKeyring ? 0 : SignInController::keyringWaitMs);
    EXPECT_EQ(signIns(h).size(), 1);
    if (withKeyring) // the locked keyring takes no new password: it stays in the file
        expectStored(h, u"dee@example.com"_s, {u"pw4"_s, {}});
}
