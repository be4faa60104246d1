#pragma once

#include "webpages/services/web_service.h"

// Roundcube (1.6, elastic skin): a self-hosted web mail, known by its login page or chosen by the
// user, never by the words of its address. Its list rows arrive by script after the page has
// loaded; its messages are read from their raw source.
class RoundcubeService : public WebService {
public:
    QString name() const override { return WebServices::roundcube; }
    std::optional<QString> composeAddress(const QString &pageAddress) const override;
    std::optional<std::vector<InboxTicks::MessageRow>> messageRows(WebPane &pane) const override;
    void setTicks(WebPane &pane, const std::vector<bool> &ticks) const override;
    std::optional<QByteArray> rawMessage(WebPane &pane) const override;
    bool givesRawMessages() const override { return true; }
    std::optional<OwnLogin> ownLogin() const override { return login(); }

    static OwnLogin login();
    // How long a list that is still empty is waited for: its rows come after the page.
    static constexpr int rowsWaitMs = 5000;
};
