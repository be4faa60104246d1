#pragma once

#include <QString>

class QWebEngineProfile;

// The browser profile of every pane: cookies, site data and cache kept across restarts under
// $XDG_DATA_HOME/corvalis/web (the folder $XDG_DATA_HOME/corvalis private to the user), so a web
// mail's or a blog's session lasts as the service lets it, as in a browser.
namespace WebProfile {

QWebEngineProfile &shared();
// Ends the profile once no page is left, before the application goes: only then does the browser
// write out what it holds in memory (a sign-in's cookies set in the last seconds among it).
void close();
// Forgets every sign-in and what the sites kept: cookies, cache and visited links.
void forgetSites();
// What the Settings tab asks before it forgets them.
inline QString forgetQuestion() {
    return QStringLiteral(
        "Forget every web sign-in and what web sites keep (cookies, cache)? You will have to "
        "sign in again.");
}

} // namespace WebProfile
