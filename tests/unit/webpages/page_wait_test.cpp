#include "webpages/page_wait.h"

#include <QTimer>

#include <gtest/gtest.h>

using Outcome = PageWait::Outcome;

TEST(PageWaitTest, EndsOnItsConditionACancelOrItsTimeLimit) {
    PageWait wait;
    QObject page;                // announces that it is ready by taking a name
    wait.setPollInterval(60000); // only a wake-up ends a sleep in time
    wait.wakeOn(&page, &QObject::objectNameChanged);
    QTimer::singleShot(20, &page, [&page] { page.setObjectName(QStringLiteral("ready")); });
    EXPECT_EQ(wait.until([&page] { return !page.objectName().isEmpty(); }, 5000), Outcome::Met);
    EXPECT_EQ(wait.until([] { return false; }, 50), Outcome::TimedOut);
    EXPECT_EQ(wait.sleep(20), Outcome::Met);
    // A cancel pressed while the condition looked into the page wins over what it found, and
    // holds for the waits after it until reset.
    const auto cancelDuringTheLook = [&wait] {
        wait.cancel();
        return true;
    };
    EXPECT_EQ(wait.until(cancelDuringTheLook), Outcome::Cancelled);
    EXPECT_EQ(wait.sleep(20), Outcome::Cancelled);
    wait.reset();
    QTimer::singleShot(20, &page, [&wait] { wait.cancel(); });
    EXPECT_EQ(wait.until([] { return false; }), Outcome::Cancelled);
    EXPECT_FALSE(PageWait::applicationQuitting());
}
