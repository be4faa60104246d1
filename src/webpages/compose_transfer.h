#pragma once

#include "webpages/reply_builder.h"
#include "webpages/tab_switch.h"

#include <QObject>
#include <QString>

class ComposePane;
class Messages;
class PageWait;
class Settings;
class WebPane;
struct PageState;

// Fills the web-mail service's compose page: a reply (with or without the previewed message's
// text), a forward, a message sent again, a new message to a mailto address, or a template;
// and reads the page's subject and body back for the template dialog.
//
// The page may still be loading when the tab switch has asked for it, so the transfer waits
// for the compose form, as long as it takes, until the user cancels the wait or the program
// closes; a compose pane on an error page, or with no service known yet, is loaded as soon as
// it can be meanwhile. A compose page that holds a message not yet sent is replaced only when the
// user says so. Its progress is written to the settings key "bug" as it goes.
class ComposeTransfer : public QObject {
    Q_OBJECT
public:
    struct Panes {
        WebPane &inbox;   // the web-mail site; a compose page opened there can be the target
        WebPane &preview; // the saved message replied to
        WebPane &compose; // the service's compose page
    };
    ComposeTransfer(Panes panes, ComposePane &composePane, TabSwitch tabs, Settings &settings,
                    Messages &messages, PageState &state, QObject *parent);

    // `mode` is a TransferMode number; others do nothing. `mailtoText` is what a mailto link
    // handed in (mode 5 only). A call made while another one waits, or once the program is
    // closing, does nothing.
    void ReplyOrForward(int mode, const QString &mailtoText = QString());
    bool running() const { return m_running; }

    // The wait panel's Cancel: the waiting transfer ends without writing a field.
    void cancelWait();
    // The program is closing: a running transfer ends as cancelled and no other one starts.
    void close();

    // How often the compose form is looked for while the page loads.
    static constexpr int retryIntervalMs = 200;

signals:
    // The wait panel is to be shown, or hidden.
    void waitShown(bool shown);

private:
    void run(TransferMode mode, const QString &mailtoText, PageWait &wait);
    WebPane &chooseTarget(TransferMode mode);
    std::optional<ReplyBuilder::MessageValues> gather(TransferMode mode, const QString &mailtoText);
    bool waitForComposeForm(WebPane &target, PageWait &wait);
    // False when the page holds a message not yet sent and the user keeps it.
    bool mayReplace(TransferMode mode, WebPane &target);
    // Writes the fields; false when a write failed (the transfer stops there).
    bool writeFields(TransferMode mode, WebPane &target, const ReplyBuilder::MessageValues &values);
    bool writeYahooRichText(WebPane &target, const QString &markup);
    void stage(const char *marker);

    Panes m_panes;
    ComposePane &m_composePane;
    TabSwitch m_tabs;
    Settings &m_settings;
    Messages &m_messages;
    PageState &m_state;
    bool m_running = false;
    bool m_closed = false;
    PageWait *m_wait = nullptr; // the running transfer's wait
};
