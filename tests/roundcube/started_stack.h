#pragma once

#include "../integration/main_form_harness.h"
#include "support/roundcube_compose.h"
#include "support/roundcube_stack.h"
#include "webpages/services/web_service.h"
#include "webpages/web_profile.h"

#include <gtest/gtest.h>

#include <utility>

// The stack `slot` holds, started with `arguments` on first use (a run that needs none, such as a
// test's own child process, starts none) and stopped when the test run ends.
inline RoundcubeStack &startedOnce(RoundcubeStack *&slot, const QStringList &arguments = {}) {
    if (!slot) {
        slot = new RoundcubeStack(arguments);
        struct Stop : ::testing::Environment {
            explicit Stop(RoundcubeStack *&slot)
                : m_slot(slot) {}
            void TearDown() override { delete std::exchange(m_slot, nullptr); }
            RoundcubeStack *&m_slot;
        };
        ::testing::AddGlobalTestEnvironment(new Stop(slot));
    }
    return *slot;
}

// An unstarted window whose service is `stack`'s Roundcube, with `user`'s stored sign-in (`password`, by
// default the user's own) used unasked when `autoLogin`; the panes' profile knows no site.
inline std::unique_ptr<MainFormHarness> roundcubeWindow(RoundcubeStack &stack, RoundcubeStack::User user,
                                                        const std::optional<QString> &password = {},
                                                        bool autoLogin = true) {
    WebProfile::forgetSites();
    auto h = std::make_unique<MainFormHarness>();
    h->settings().set(Keys::ServiceUrl, stack.url());
    h->settings().set(Keys::Service, WebServices::roundcube);
    h->settings().set(Keys::Email, stack.login(user));
    h->settings().set(Keys::Pw, password.value_or(stack.password(user)));
    h->settings().set(Keys::AutoLogin, autoLogin ? u"1"_s : u"0"_s);
    return h;
}

// `h` (a roundcubeWindow()) started and signed in by its stored sign-in, on the Compose tab with Roundcube's
// compose page in its wide layout (Send in its toolbar); false when the page did not come.
inline bool roundcubeComposing(MainFormHarness &h, const QString &url) {
    h.start(url); // its own wait is short for a busy machine, the ones below are not
    if (!MainFormHarness::waitForPage(h.form().webBrowser(1), u"_task=mail"_s, 60000)) {
        ADD_FAILURE() << "not signed in: " << h.form().webBrowser(1).bodyText().value_or(u""_s).toStdString();
        return false;
    }
    h.form().resize(1600, 1000);
    h.form().tabs().select(TabNavigator::Compose);
    return MainFormHarness::waitFor([&] { return RoundcubeCompose::shown(h.form().webBrowser(3)); }, 60000);
}

// The user's INBOX once `holds` is true of it, else the last read after a minute. A read of the
// mailbox holds the thread that runs the page: one is made every 50 polls.
inline QJsonArray inboxOnce(RoundcubeStack &stack, RoundcubeStack::User user,
                            const std::function<bool(const QJsonArray &)> &holds) {
    QJsonArray inbox;
    int polls = 0;
    MainFormHarness::waitFor([&] { return ++polls % 50 == 0 && holds(inbox = stack.mailbox(user)); }, 60000);
    return inbox;
}
