#pragma once

#include <QObject>

#include <functional>

class Settings;
class WebPane;

// Keeps the stored sign-in: captures it when the main pane leaves the welcome page, and
// signs in by itself when the welcome page has loaded and the user asked for that.
class SignInController : public QObject {
    Q_OBJECT
public:
    SignInController(WebPane &mainPane, Settings &settings, std::function<bool()> autoLogTicked,
                     QObject *parent);

private:
    void captureOnLeave();
    void welcomePageLoaded();

    WebPane &m_pane;
    Settings &m_settings;
    std::function<bool()> m_autoLogTicked;
};
