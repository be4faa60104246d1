#include "shell/sent_copies.h"

#include "base/messages.h"
#include "store/loose_date.h"
#include "store/saved_message_file.h"
#include "webpages/sent_capture.h"
#include "webpages/service_origin.h"
#include "webpages/services/page_sends.h"
#include "webpages/web_pane.h"

#include <QDateTime>
#include <QDir>

namespace {

// The sending time as the message list reads dates back: numeric, in the system's day order.
QString now() {
    const QString format = LooseDate::systemOrder() == LooseDate::Order::DayFirst
                               ? QStringLiteral("dd/MM/yyyy hh:mm:ss")
                               : QStringLiteral("MM/dd/yyyy hh:mm:ss");
    return QDateTime::currentDateTime().toString(format);
}

} // namespace

SentCopies::SentCopies(WebPane &composePane, std::function<QString()> mainDir, std::function<bool()> enabled,
                       std::function<ServiceOrigin()> origin, Messages &messages, QObject *parent)
    : QObject(parent)
    , m_mainDir(std::move(mainDir))
    , m_enabled(std::move(enabled))
    , m_origin(std::move(origin))
    , m_messages(messages) {
    connect(&composePane, &WebPane::formPosted, this,
            [this](const QString &, const QString &action, const QString &data) {
                if (m_enabled() && m_origin().holds(action) &&
                    !m_origin().service(action).answersSendsInPage())
                    store(data, action);
            });
    connect(&PageSends::of(composePane), &PageSends::sendAnswered, this,
            [this](const PageSends::Answer &answer) {
                if (m_enabled() && answer.outcome == PageSends::Answer::Outcome::Sent &&
                    m_origin().holds(answer.action) && m_origin().service(answer.action).answersSendsInPage())
                    store(answer.postData, answer.action);
            });
}

bool SentCopies::store(const QString &postData, const QString &action) {
    const std::optional<SentCapture::SentCopy> copy = m_origin().service(action).sentCopy(postData);
    if (!copy)
        return false;
    const SavedMessage message{
        SavedMessageFile::sentFrom, copy->subject, now(), copy->to, copy->cc, copy->bcc, copy->body};
    const SaveResult result =
        writeSavedMessage(m_mainDir(), SavedMessageFile::sentFolder, message, MessageKind::Sent);
    if (!result.ok()) {
        m_messages.inform(
            QStringLiteral("The message was sent, but its copy could not be saved as \"%1\": %2")
                .arg(QDir::toNativeSeparators(result.path), result.detail));
        return false;
    }
    emit stored(result.path);
    return true;
}
