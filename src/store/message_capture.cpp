#include "store/message_capture.h"

#include "base/messages.h"
#include "store/folder_lists.h"
#include "store/mail_reader.h"
#include "store/message_body.h"
#include "store/saved_message_file.h"
#include "webpages/message_view.h"
#include "webpages/page_model.h"
#include "webpages/page_state.h"
#include "webpages/services/web_service.h"
#include "webpages/web_pane.h"

namespace {
constexpr int inboxTab = 1;
} // namespace

MessageCapture::MessageCapture(Context context, const FolderLists &folders, QObject *parent)
    : QObject(parent)
    , m_context(std::move(context))
    , m_folders(folders) {}

QString MessageCapture::unreadableMessage() {
    return QStringLiteral("Unable to read message. Are you sure a message is displayed?");
}

std::optional<MessageCapture::Displayed> MessageCapture::readDisplayed() {
    if (m_context.selectedTab() != inboxTab)
        m_context.selectTab(inboxTab);
    const WebService &service =
        WebServices::forPage(m_context.recordedService(), m_context.inboxPane.locationUrl());
    m_context.pageState.webmail = service.name();
    if (service.givesRawMessages())
        return readRaw(service);
    const std::optional<QString> text = MessageView::pageText(m_context.inboxPane);
    const QString &provider = m_context.pageState.webmail;
    if (!text)
        return std::nullopt;
    m_language = HeaderCapture::chooseLanguage(provider, *text, m_language);
    return Displayed{*text, HeaderCapture::read(provider, *text, m_language)};
}

std::optional<MessageCapture::Displayed> MessageCapture::readRaw(const WebService &service) {
    const std::optional<QByteArray> raw = service.rawMessage(m_context.inboxPane);
    const MailReader::Found found = raw ? MailReader::readMessage(*raw) : MailReader::Found{};
    if (!found.message)
        return std::nullopt;
    const SavedMessage &m = *found.message;
    const HeaderCapture::Headers headers{m.from, m.to, m.cc, m.subject, m.date, true};
    return Displayed{QString(), headers, m};
}

QString MessageCapture::readBody(const Displayed &displayed) {
    const QString &provider = m_context.pageState.webmail;
    const std::optional<QString> html = MessageView::bodyHtml(m_context.inboxPane, provider);
    QString body;
    if (html)
        body = *html;
    else if (provider == PageModel::yahoo)
        body = MessageBody::yahooFallback(displayed.pageText, displayed.headers.lastEnd);
    return MessageBody::tidy(body,
                             HeaderCapture::label(PageModel::yahoo, HeaderLabels::Kind::To, m_language));
}

void MessageCapture::GetBody_Click() {
    const QString folder = m_folders.captureFolder();
    if (folder.isEmpty()) {
        m_context.messages.inform(QStringLiteral("You must select a folder to save the message to"));
        return;
    }
    const std::optional<Displayed> displayed = readDisplayed();
    if (!displayed || (displayed->headers.from.isEmpty() && displayed->headers.subject.isEmpty())) {
        m_context.messages.inform(unreadableMessage());
        return;
    }
    const HeaderCapture::Headers &h = displayed->headers;
    const SavedMessage message = displayed->whole.value_or(
        SavedMessage{h.from, h.subject, h.date, h.to, {}, {}, readBody(*displayed)});
    const SaveResult result = writeSavedMessage(m_context.mainDir, folder, message, MessageKind::Captured);
    switch (result.error) {
    case SaveResult::Error::None:
        emit saved(result.path);
        break;
    case SaveResult::Error::SentFolder:
        m_context.messages.inform(
            QStringLiteral("You cannot save incoming messages to the Sent Messages Folder."));
        break;
    case SaveResult::Error::WriteFailed:
        m_context.messages.inform(
            QStringLiteral("Unable to save message. Are you sure a message is displayed?"));
        break;
    }
}
