#include "webpages/page_wait.h"

#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Something a page would do later: it sets its state and announces it (by a change of name).
struct FakePage : QObject {
    bool ready = false;
    void becomeReadyIn(int ms) {
        QTimer::singleShot(ms, this, [this] {
            ready = true;
            setObjectName(QStringLiteral("ready"));
        });
    }
};

} // namespace

TEST(PageWaitTest, EndsOnTheConditionACancelOrTheTimeLimit) {
    using Outcome = PageWait::Outcome;
    const struct {
        const char *why;
        std::function<void(PageWait &, FakePage &)> meanwhile;
        std::function<bool(PageWait &, FakePage &)> condition;
        int timeoutMs;
        Outcome expected;
    } cases[] = {
        {"the condition holds at once", nullptr, [](PageWait &, FakePage &) { return true; }, 0,
         Outcome::Met},
        // The poll would come only after the time limit: only the page's signal can end it in time.
        {"the page's signal wakes the wait", [](PageWait &, FakePage &p) { p.becomeReadyIn(20); },
         [](PageWait &, FakePage &p) { return p.ready; }, 5000, Outcome::Met},
        {"a cancel from an event ends it",
         [](PageWait &w, FakePage &p) { QTimer::singleShot(20, &p, [&w] { w.cancel(); }); },
         [](PageWait &, FakePage &) { return false; }, 0, Outcome::Cancelled},
        // The cancel pressed while a look into the page waited for its answer wins over the answer.
        {"a cancel during the look wins over what it found", nullptr,
         [](PageWait &w, FakePage &) {
             w.cancel();
             return true;
         },
         0, Outcome::Cancelled},
        {"the time limit passes", nullptr, [](PageWait &, FakePage &) { return false; }, 50,
         Outcome::TimedOut},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.why);
        PageWait wait;
        FakePage page;
        wait.setPollInterval(60000);
        wait.wakeOn(&page, &QObject::objectNameChanged);
        if (c.meanwhile)
            c.meanwhile(wait, page);
        EXPECT_EQ(wait.until([&] { return c.condition(wait, page); }, c.timeoutMs), c.expected);
    }
}

TEST(PageWaitTest, ACancelHoldsForLaterWaitsUntilReset) {
    PageWait wait;
    int looks = 0;
    const auto look = [&looks] {
        ++looks;
        return true;
    };
    wait.cancel();
    EXPECT_EQ(wait.until(look), PageWait::Outcome::Cancelled);
    EXPECT_EQ(wait.sleep(10), PageWait::Outcome::Cancelled);
    EXPECT_EQ(looks, 0); // a cancelled wait does not look into the page again
    wait.reset();
    EXPECT_EQ(wait.until(look), PageWait::Outcome::Met);
    EXPECT_EQ(wait.sleep(10), PageWait::Outcome::Met);
    EXPECT_FALSE(PageWait::applicationQuitting());
}
