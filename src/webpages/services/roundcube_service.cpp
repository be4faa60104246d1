#include "webpages/services/roundcube_service.h"

#include "webpages/page_wait.h"
#include "webpages/services/message_rows.h"
#include "webpages/web_pane.h"

#include <QUrlQuery>

namespace {

const QString composeForm = QStringLiteral("form");

QString composeFieldName(WebService::ComposeField field) {
    switch (field) {
    case WebService::ComposeField::To:
        return QStringLiteral("_to");
    case WebService::ComposeField::Cc:
        return QStringLiteral("_cc");
    case WebService::ComposeField::Bcc:
        return QStringLiteral("_bcc");
    case WebService::ComposeField::Subject:
        return QStringLiteral("_subject");
    case WebService::ComposeField::Body:
        break;
    }
    return QStringLiteral("_message");
}

// Text as the HTML editor's markup that shows it: every character as itself, lines as breaks.
QString asMarkup(const QString &text) {
    QString markup = text.toHtmlEscaped();
    markup.replace(QLatin1String("\r\n"), QLatin1String("<br>"));
    markup.replace(QLatin1Char('\n'), QLatin1String("<br>"));
    return markup;
}

} // namespace

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

std::optional<QString> RoundcubeService::composeValue(WebPane &pane, ComposeField field) const {
    const std::optional<QVariant> value =
        pane.callBridge(QStringLiteral("roundcubeComposeValue"), {composeFieldName(field)});
    return value ? std::optional(value->toString()) : std::nullopt;
}

bool RoundcubeService::setComposeValue(WebPane &pane, ComposeField field, const QString &value) const {
    const QString name = composeFieldName(field);
    const bool html = field == ComposeField::Body &&
                      pane.formFieldValue(composeForm, QStringLiteral("_is_html")) == QLatin1String("1");
    // The value goes in as the pane's checked write; the page is then told of it, which carries
    // nothing of the program's.
    if (!pane.setFormFieldValue(composeForm, name, html ? asMarkup(value) : value))
        return false;
    pane.callBridge(QStringLiteral("roundcubeComposeWritten"), {name});
    return true;
}

std::optional<SentCapture::SentCopy> RoundcubeService::sentCopy(const QString &postData) const {
    std::optional<SentCapture::SentCopy> copy = SentCapture::fromPost(postData, {{u"_to", u"_to"},
                                                                                 {u"_cc", u"_cc"},
                                                                                 {u"_bcc", u"_bcc"},
                                                                                 {u"_subject", u"_subject"},
                                                                                 {u"_message", u"_message"}});
    if (!copy)
        return std::nullopt;
    // The recipient widget leaves each address list ending in a comma.
    for (QString *list : {&copy->to, &copy->cc, &copy->bcc}) {
        while (!list->isEmpty() && (list->back().isSpace() || list->back() == u','))
            list->chop(1);
    }
    if (copy->to.isEmpty())
        return std::nullopt;
    return copy;
}

bool RoundcubeService::pressSend(WebPane &pane) const {
    const std::optional<QVariant> began = pane.callBridge(QStringLiteral("roundcubeSend"));
    return began && began->toBool();
}

void RoundcubeService::leaveQuietly(WebPane &pane) const {
    pane.callBridge(QStringLiteral("roundcubeLeaveQuietly"));
}
