#pragma once

#include "webpages/services/web_service.h"

// MSN Hotmail and Yahoo! Mail: told by the words of their addresses, their message lists forms
// of check boxes, their messages read from the page's text (PageModel names their parts).
class FormListService : public WebService {
public:
    explicit FormListService(QString provider)
        : m_provider(std::move(provider)) {}

    QString name() const override { return m_provider; }
    std::optional<QString> composeAddress(const QString &pageAddress) const override;
    std::optional<std::vector<InboxTicks::MessageRow>> messageRows(WebPane &pane) const override;
    void setTicks(WebPane &pane, const std::vector<bool> &ticks) const override;
    std::optional<QString> bodyHtml(WebPane &pane) const override;
    std::optional<QString> composeValue(WebPane &pane, ComposeField field) const override;
    bool setComposeValue(WebPane &pane, ComposeField field, const QString &value) const override;

private:
    QString composeFieldName(ComposeField field) const;

    QString m_provider;
};
