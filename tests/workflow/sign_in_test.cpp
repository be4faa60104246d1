// The first sign-in on a fresh install, typed on the welcome page, and the automatic one after a
// restart on a desktop whose session bus has no keyring.
#include "base/settings.h"
#include "workflow/support/workflow_test.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace {

const QString main = u"MainForm"_s;

class SignInTest : public WorkflowTest {
protected:
    SignInTest()
        : WorkflowTest({}, {1600, 1000}, Service::AskedFor) {}

    QJsonArray signIns() const { return QJsonDocument::fromJson(sim.get(u"/_sim/signins"_s)).array(); }
};

TEST_F(SignInTest, DISABLED_TheStoredSignInIsUsedAfterARestartWithoutAKeyring) {
    ASSERT_TRUE(corvalis.start());
    ASSERT_TRUE(corvalis.click(u"CheckAutoLog"_s, main));
    ASSERT_TRUE(corvalis.waitForText(u"CheckAutoLog"_s, u"ticked"_s, main));
    // From the page's top: the address, the password, then the service asked for once.
    const auto page = corvalis.control(u"WebBrowser1"_s, main);
    ASSERT_TRUE(page);
    desktop.click(page->place.topLeft() + QPoint(3, 3));
    desktop.key(u"Tab"_s);
    desktop.type(u"ann@example.com\tsecret\t"_s + sim.baseUrl() + u'\n');
    ASSERT_TRUE(CorvalisRun::waitFor([&] { return signIns().size() == 1; }));

    // What follows the service follows the one just recorded.
    EXPECT_TRUE(corvalis.click(u"tab:Settings"_s, main));
    EXPECT_TRUE(corvalis.waitForText(u"TextHotmail"_s, sim.baseUrl(), main));
    EXPECT_TRUE(corvalis.click(u"tab:Calendar"_s, main));
    EXPECT_TRUE(corvalis.waitForText(u"AddressCombo"_s, sim.baseUrl() + u"/calendar/"_s, main));
    shot(u"calendar"_s);

    ASSERT_TRUE(corvalis.stop());
    EXPECT_EQ(Settings(corvalis.iniPath()).get(Keys::Pw), u"secret"_s);
    ASSERT_TRUE(corvalis.start());
    ASSERT_TRUE(CorvalisRun::waitFor([&] { return signIns().size() == 2; }));
    const QJsonValue second = signIns().at(1);
    EXPECT_EQ(second[u"email"_s].toString(), u"ann@example.com"_s);
    EXPECT_EQ(second[u"password"_s].toString(), u"secret"_s);
}

} // namespace
