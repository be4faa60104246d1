#pragma once

#include "webpages/services/web_service.h"

// Roundcube (1.6, elastic skin): a self-hosted web mail, known by its login page or chosen by the
// user, never by the words of its address. Its list rows arrive by script after the page has
// loaded; its messages are read from their raw source. Its compose page's To, Cc and Bcc are
// recipient widgets, and its body may be an HTML editor. Its Send posts into a hidden frame of the
// compose page, where the service's answer lands.
class RoundcubeService : public WebService {
public:
    QString name() const override { return WebServices::roundcube; }
    std::optional<QString> composeAddress(const QString &pageAddress) const override;
    std::optional<std::vector<InboxTicks::MessageRow>> messageRows(WebPane &pane) const override;
    void setTicks(WebPane &pane, const std::vector<bool> &ticks) const override;
    std::optional<QByteArray> rawMessage(WebPane &pane) const override;
    bool givesRawMessages() const override { return true; }
    std::optional<OwnLogin> ownLogin() const override { return login(); }
    std::optional<QString> composeValue(WebPane &pane, ComposeField field) const override;
    bool setComposeValue(WebPane &pane, ComposeField field, const QString &value) const override;
    bool answersInComposeBody() const override { return true; }
    bool answersSendsInPage() const override { return true; }
    std::optional<SentCapture::SentCopy> sentCopy(const QString &postData) const override;
    bool pressSend(WebPane &pane) const override;
    void leaveQuietly(WebPane &pane) const override;

    static OwnLogin login();
    // How long a list that is still empty is waited for: its rows come after the page.
    static constexpr int rowsWaitMs = 5000;
};
