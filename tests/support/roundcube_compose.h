#pragma once

// A RoundcubeStack's compose page, signed in by its login form, written as its script would (tests, bench).
#include "support/page_script.h"
#include "webpages/page_wait.h"
#include "webpages/web_pane.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace RoundcubeCompose {

inline QString json(const QJsonArray &values) {
    return QString::fromUtf8(QJsonDocument(values).toJson(QJsonDocument::Compact));
}

inline bool until(const std::function<bool()> &condition, int timeoutMs = 30000) {
    PageWait wait;
    wait.setPollInterval(100);
    return wait.until(condition, timeoutMs) == PageWait::Outcome::Met;
}

// Runs `script` among the page's own scripts (where `rcmail` is).
inline void pageScript(WebPane &pane, const QString &script) {
    runPageScript(*pane.page(),
                  QStringLiteral("(() => { const s = document.createElement('script'); "
                                 "s.textContent = %1[0]; document.head.append(s); s.remove(); })()")
                      .arg(json({script})));
}

// The pane is not loading, and `condition` holds on its page.
inline bool settled(WebPane &pane, const QString &condition) {
    return !pane.busy() && runPageScript(*pane.page(), condition).toBool();
}

// The pane is not loading and shows Roundcube's compose page, set up by its script (recipient widgets built).
inline bool shown(WebPane &pane) {
    return settled(pane,
                   QStringLiteral("document.readyState == 'complete' && /[?&]_id=/.test(location.search) && "
                                  "!!document.querySelector('#compose_to li.input input')"));
}

// A fresh compose page, once its Send button is there; the page before is left without Roundcube's question.
inline bool loadCompose(WebPane &pane, const QString &url) {
    pageScript(pane, QStringLiteral("if (window.rcmail) rcmail.compose_skip_unsavedcheck = true"));
    // The page before may still move on (to the list, after a send): the load is made again after such a
    // move.
    bool loaded = false, movedOn = true; // the first poll makes the load
    const QMetaObject::Connection done = QObject::connect(&pane, &WebPane::documentCompleted, [&] {
        movedOn = !(loaded = pane.documentUrl().contains(QStringLiteral("_action=compose")));
    });
    const bool shown = until([&] {
        if (std::exchange(movedOn, false))
            pane.navigate(url + QStringLiteral("/?_task=mail&_action=compose"));
        return loaded && settled(pane, QStringLiteral("!!document.querySelector('button.send')"));
    });
    QObject::disconnect(done);
    return shown;
}

// Writes the compose page's fields, telling the recipient widget.
inline void write(WebPane &pane, const QString &to, const QString &subject, const QString &body) {
    pageScript(pane, QStringLiteral("%1.forEach((v, i) => { const e = document.getElementsByName(['_to', "
                                    "'_subject', '_message'][i])[0]; e.value = v; "
                                    "e.dispatchEvent(new Event('change')); })")
                         .arg(json({to, subject, body})));
}

// Signs in with the login page's form, then opens the compose page. A session the profile still
// holds (the user's, from before) goes to the mail list without the form.
inline bool signIn(WebPane &pane, const QString &url, const QString &login, const QString &password) {
    const auto inMail = [&] {
        return !pane.busy() && pane.locationUrl().contains(QStringLiteral("_task=mail"));
    };
    pane.navigate(url + QStringLiteral("/"));
    if (!until([&] { return inMail() || settled(pane, QStringLiteral("!!document.forms['login-form']")); }))
        return false;
    if (!inMail())
        runPageScript(*pane.page(), QStringLiteral("(() => { const f = document.forms['login-form'], v = %1; "
                                                   "f._user.value = v[0]; f._pass.value = v[1]; "
                                                   "document.getElementById('rcmloginsubmit').click(); })()")
                                        .arg(json({login, password})));
    return until(inMail) && loadCompose(pane, url);
}

} // namespace RoundcubeCompose
