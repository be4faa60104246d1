#include "shell/sent_copies.h"

#include "store/loose_date.h"
#include "store/saved_message_file.h"
#include "webpages/sent_capture.h"
#include "webpages/web_pane.h"

#include <QDateTime>

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
                       QObject *parent)
    : QObject(parent)
    , m_mainDir(std::move(mainDir))
    , m_enabled(std::move(enabled)) {
    connect(&composePane, &WebPane::formPosted, this,
            [this](const QString &, const QString &, const QString &data) {
                if (m_enabled())
                    store(data);
            });
}

bool SentCopies::store(const QString &postData) {
    const std::optional<SentCapture::SentCopy> copy = SentCapture::fromPost(postData);
    if (!copy)
        return false;
    const SavedMessage message{
        SavedMessageFile::sentFrom, copy->subject, now(), copy->to, copy->cc, copy->bcc, copy->body};
    const SaveResult result =
        writeSavedMessage(m_mainDir(), SavedMessageFile::sentFolder, message, MessageKind::Sent);
    if (!result.ok())
        return false;
    emit stored(result.path);
    return true;
}
