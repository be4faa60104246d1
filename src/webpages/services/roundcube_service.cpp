#include "webpages/services/roundcube_service.h"

#include "webpages/page_wait.h"
#include "webpages/services/message_rows.h"
#include "webpages/web_pane.h"

#include <QUrlQuery>

WebService::OwnLogin RoundcubeService::login() {
    return {QStringLiteral("login-form"), QStringLiteral("_user"), QStringLiteral("_pass")};
}

std::optional<QString> RoundcubeService::composeAddress(const QString &pageAddress) const {
    // Every page of a signed-in session names its task; the login page's task is "login".
    const QUrl page(pageAddress);
    const QString task = QUrlQuery(page).queryItemValue(QStringLiteral("_task"));
    if (task.isEmpty() || task == QLatin1String("login"))
        return std::nullopt;
    return page.adjusted(QUrl::RemoveQuery | QUrl::RemoveFragment).toString() +
           QStringLiteral("?_task=mail&_action=compose");
}

std::optional<std::vector<InboxTicks::MessageRow>> RoundcubeService::messageRows(WebPane &pane) const {
    std::optional<std::vector<InboxTicks::MessageRow>> rows;
    PageWait wait;
    wait.until(
        [&] {
            rows = MessageRows::fromBridge(pane.callBridge(QStringLiteral("roundcubeRows")));
            return !rows || !rows->empty();
        },
        rowsWaitMs);
    return rows;
}

void RoundcubeService::setTicks(WebPane &pane, const std::vector<bool> &ticks) const {
    // The tick list is the call's one argument: as a braced list of its own it would be taken for
    // the argument list itself.
    pane.callBridge(QStringLiteral("roundcubeSetTicks"), {QVariant(MessageRows::toBridge(ticks))});
}

std::optional<QByteArray> RoundcubeService::rawMessage(WebPane &pane) const {
    const std::optional<QVariant> source = pane.callBridge(QStringLiteral("roundcubeSource"));
    if (!source)
        return std::nullopt;
    return QByteArray::fromBase64(source->toString().toLatin1());
}
