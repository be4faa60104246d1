#include "webpages/compose_transfer.h"

#include "base/messages.h"
#include "base/settings.h"
#include "webpages/compose_form.h"
#include "webpages/compose_pane.h"
#include "webpages/mailto_address.h"
#include "webpages/page_model.h"
#include "webpages/page_state.h"
#include "webpages/page_wait.h"
#include "webpages/web_pane.h"

#include <QCoreApplication>
#include <QScopedValueRollback>

#include <algorithm>

using namespace Qt::StringLiterals;
using ComposeForm::Field;

namespace {

constexpr int inboxTab = 1;
constexpr int composeTab = 2;

bool isTemplateMode(TransferMode mode) {
    return mode == TransferMode::InsertTemplate || mode == TransferMode::ReadTemplate;
}

} // namespace

ComposeTransfer::ComposeTransfer(Panes panes, ComposePane &composePane, TabSwitch tabs, Settings &settings,
                                 Messages &messages, PageState &state, QObject *parent)
    : QObject(parent)
    , m_panes(panes)
    , m_composePane(composePane)
    , m_tabs(std::move(tabs))
    , m_settings(settings)
    , m_messages(messages)
    , m_state(state) {}

void ComposeTransfer::ReplyOrForward(int mode, const QString &mailtoText) {
    const std::optional<TransferMode> known = transferModeFrom(mode);
    if (!known || m_running || m_closed)
        return;
    const QScopedValueRollback running(m_running, true);
    // The wait holds the user's cancel: it belongs to this transfer, never to the next one.
    PageWait wait;
    wait.setPollInterval(retryIntervalMs);
    const QScopedValueRollback current(m_wait, &wait);
    run(*known, mailtoText, wait);
}

void ComposeTransfer::cancelWait() {
    if (m_wait)
        m_wait->cancel();
    emit waitShown(false);
}

void ComposeTransfer::close() {
    m_closed = true;
    if (m_wait)
        m_wait->cancel();
}

void ComposeTransfer::stage(const char *marker) {
    m_settings.set(Keys::Bug, QString::fromLatin1(marker));
}

void ComposeTransfer::run(TransferMode mode, const QString &mailtoText, PageWait &wait) {
    stage("1");
    m_state.did_insert = true; // the tab switch below must not clear the page this fills
    WebPane &target = chooseTarget(mode);
    m_state.webmail = m_composePane.serviceOf(m_panes.inbox.locationUrl());
    stage("2");

    const std::optional<ReplyBuilder::MessageValues> values = gather(mode, mailtoText);
    if (wait.isCancelled())
        return;
    if (!values) {
        stage("0");
        return;
    }
    stage("4");
    const bool composeReady = waitForComposeForm(target, wait);
    emit waitShown(false);
    if (!composeReady)
        return; // cancelled: the marker stays at "5"
    if (!mayReplace(mode, target)) {
        stage("0");
        return;
    }
    // Reading a template back ends without the closing marker.
    if (!writeFields(mode, target, *values) || mode != TransferMode::ReadTemplate)
        stage("0");
}

WebPane &ComposeTransfer::chooseTarget(TransferMode mode) {
    if (!isTemplateMode(mode)) {
        if (m_tabs.selected() != composeTab)
            m_tabs.select(composeTab);
        return m_panes.compose;
    }
    if (m_tabs.selected() >= 3)
        m_tabs.select(composeTab);
    if (m_tabs.selected() == inboxTab) {
        if (m_panes.inbox.locationUrl().toLower().contains(QLatin1String("compose")))
            return m_panes.inbox;
        m_tabs.select(composeTab);
    }
    return m_panes.compose;
}

std::optional<ReplyBuilder::MessageValues> ComposeTransfer::gather(TransferMode mode,
                                                                   const QString &mailtoText) {
    ReplyBuilder::MessageValues values;
    switch (mode) {
    case TransferMode::Mailto: {
        const MailtoAddress::Parsed parsed = MailtoAddress::parse(mailtoText);
        values = {parsed.to, parsed.cc, parsed.bcc, parsed.subject, parsed.body};
        stage("3");
        break;
    }
    case TransferMode::InsertTemplate:
    case TransferMode::ReadTemplate:
        values.subject = m_state.template_subj;
        values.body = m_state.template_body;
        break;
    default: {
        // One look reads every element, so another message selected meanwhile cannot mix in.
        const std::optional<QHash<QString, QString>> texts = m_panes.preview.elementTexts(
            {u"from"_s, u"replyto"_s, u"to"_s, u"cc"_s, u"bcc"_s, u"body"_s, u"subject"_s, u"date"_s});
        if (!texts)
            return std::nullopt;
        const auto saved = ReplyBuilder::fromSavedMessage(mode, [&texts](const QString &id) {
            const auto text = texts->constFind(id);
            return text == texts->cend() ? std::nullopt : std::optional(*text);
        });
        if (!saved)
            return std::nullopt;
        values = *saved;
        break;
    }
    }
    values.subject = ReplyBuilder::subjectFor(mode, values.subject);
    return values;
}

bool ComposeTransfer::waitForComposeForm(WebPane &target, PageWait &wait) {
    const bool composePane = &target == &m_panes.compose;
    // Every attempt is at stage "5"; the marker is written once, not on every retry.
    stage("5");
    wait.wakeOn(&target, &WebPane::documentCompleted);
    const PageWait::Outcome outcome = wait.until([&] {
        // Events that came with the tab switch run before each look.
        QCoreApplication::processEvents();
        if (wait.isCancelled())
            return false;
        // The compose pane shows the page of the service last seen, which may become known or
        // change while this waits.
        if (composePane && !m_composePane.provider().isEmpty())
            m_state.webmail = m_composePane.provider();
        if (ComposeForm::value(target, m_state.webmail, Field::To))
            return true;
        if (composePane)
            m_composePane.loadWhileWaiting();
        if (!wait.isCancelled())
            emit waitShown(true);
        return false;
    });
    return outcome == PageWait::Outcome::Met;
}

bool ComposeTransfer::mayReplace(TransferMode mode, WebPane &target) {
    // Reading a template back, or a template added to the inbox pane's own compose page, keeps
    // what the page holds.
    if (mode == TransferMode::ReadTemplate || &target == &m_panes.inbox)
        return true;
    // A page with a message on it (typed, or filled by an earlier command and not yet sent: a
    // sent message leaves the compose page) is the user's work.
    const Field fields[] = {Field::To, Field::Cc, Field::Bcc, Field::Subject, Field::Body};
    const bool holdsText = std::ranges::any_of(fields, [&](Field field) {
        return !ComposeForm::value(target, m_state.webmail, field).value_or(QString()).trimmed().isEmpty();
    });
    return !holdsText ||
           m_messages.ask(u"The compose page holds a message that has not been sent. Replace it?"_s,
                          Messages::Buttons::YesNo, Messages::Answer::No) == Messages::Answer::Yes;
}

bool ComposeTransfer::writeFields(TransferMode mode, WebPane &target,
                                  const ReplyBuilder::MessageValues &values) {
    const bool yahoo = m_state.webmail == PageModel::yahoo;
    const bool fromMessage = !isTemplateMode(mode);
    const auto write = [&](Field field, const QString &value) {
        return ComposeForm::setValue(target, m_state.webmail, field, value);
    };
    const auto read = [&](Field field) { return ComposeForm::value(target, m_state.webmail, field); };

    // The To keeps the sender's display name beside the address, on either service.
    if (fromMessage && !write(Field::To, values.to))
        return false;
    if (yahoo)
        stage("6");

    if (mode == TransferMode::ReadTemplate) {
        const std::optional<QString> subject = read(Field::Subject);
        if (!subject)
            return false;
        m_state.template_subj = *subject;
    } else if (!write(Field::Subject, values.subject)) {
        return false;
    }

    // Only a message sent again or a mailto link brings Cc and Bcc; the others empty them.
    if (fromMessage && (!write(Field::Cc, values.cc) || !write(Field::Bcc, values.bcc)))
        return false;

    QString body;
    if (mode == TransferMode::ReadTemplate) {
        const std::optional<QString> text = read(Field::Body);
        if (!text)
            return false;
        m_state.template_body = *text;
        return true;
    }
    if (mode == TransferMode::InsertTemplate) {
        const bool inInbox = &target == &m_panes.inbox;
        QString current;
        if (inInbox) {
            const std::optional<QString> text = read(Field::Body);
            if (!text)
                return false;
            current = *text;
        }
        body = ReplyBuilder::templateBody(inInbox ? ReplyBuilder::ComposeTarget::InboxPane
                                                  : ReplyBuilder::ComposeTarget::ComposePane,
                                          m_state.template_body, current);
    } else if (mode == TransferMode::Mailto) {
        body = values.body;
    } else {
        body = ReplyBuilder::composeBody(mode, values.body);
    }
    if (!write(Field::Body, body))
        return false;

    if (!yahoo)
        return true;
    const QString richText = mode == TransferMode::Mailto
                                 ? MailtoAddress::richText(body)
                                 : ReplyBuilder::yahooRichText(
                                       mode == TransferMode::InsertTemplate ? m_state.template_body : body);
    if (!writeYahooRichText(target, richText))
        return false;
    // The page draws its fields again, and they are written once more after it has.
    if (target.isVisible()) {
        target.setVisible(false);
        target.setVisible(true);
    }
    if (!write(Field::Subject, values.subject))
        return false;
    return !fromMessage || write(Field::To, values.to);
}

bool ComposeTransfer::writeYahooRichText(WebPane &target, const QString &markup) {
    if (target.setElementHtml(PageModel::yahooRichTextElement, markup))
        return true;
    return target.setFormFieldValue(PageModel::composeForm(PageModel::yahoo).plainForm,
                                    PageModel::yahooRichTextField, markup);
}
