#include "mailmerge/merge_run.h"

#include "mailmerge/merge_fields.h"
#include "webpages/compose_form.h"
#include "webpages/page_model.h"
#include "webpages/web_pane.h"

#include <QScopedValueRollback>

using ComposeForm::Field;

MergeRun::MergeRun(WebPane &compose, QObject *parent)
    : QObject(parent)
    , m_compose(compose)
    , m_wait(new PageWait(this))
    , m_restoreWait(new PageWait(this)) {
    for (PageWait *wait : {m_wait, m_restoreWait}) {
        wait->setPollInterval(pollIntervalMs);
        wait->wakeOn(&m_compose, &WebPane::documentCompleted);
    }
}

QString MergeRun::failureMessage() {
    return QStringLiteral(
        "Unable to send message. Are you sure the compose form is displayed? Mail Merge works "
        "only in plain test mode. You cannot use the Rich Text/HTML compose form.");
}

bool MergeRun::pageIdle() const {
    return !m_compose.busy();
}

bool MergeRun::atCompose() const {
    return !m_compose.busy() && m_compose.documentUrl() == m_composeAddress;
}

std::optional<MergeRun::Message> MergeRun::captureTemplate() {
    m_wait->reset();
    waitUntil([this] { return pageIdle(); }, Wait::UntilStopped);
    m_composeAddress = m_compose.documentUrl();
    m_provider = PageModel::DetectProvider(m_compose.locationUrl());
    const std::optional<QString> subject = ComposeForm::value(m_compose, m_provider, Field::Subject);
    const std::optional<QString> body = ComposeForm::value(m_compose, m_provider, Field::Body);
    if (!subject || !body || !ComposeForm::value(m_compose, m_provider, Field::To))
        return std::nullopt;
    m_message = {*subject, *body};
    return m_message;
}

bool MergeRun::fill(const QString &to, const QString &subject, const QString &body) {
    return ComposeForm::setValue(m_compose, m_provider, Field::To, to) &&
           ComposeForm::setValue(m_compose, m_provider, Field::Subject, subject) &&
           ComposeForm::setValue(m_compose, m_provider, Field::Body, body);
}

MergeRun::Outcome MergeRun::test(const MergePlan::Book &book, int row) {
    const QScopedValueRollback running(m_running, true);
    m_wait->reset();
    const QStringList cells = book.cells(row);
    waitUntil([this] { return pageIdle(); }, Wait::UntilStopped);
    if (!fill(cells.value(book.emailColumn).trimmed(),
              MergeFields::mergeRow(m_message.subject, book.titles, cells),
              MergeFields::mergeRow(m_message.body, book.titles, cells)))
        return Outcome::Failed;
    return Outcome::Finished;
}

MergeRun::Outcome MergeRun::send(const MergePlan::Book &book, const std::vector<int> &rows,
                                 MergeJournal *journal, int paceMs) {
    const QScopedValueRollback running(m_running, true);
    m_wait->reset();
    const PageModel::ComposeForm &form = PageModel::composeForm(m_provider);
    QElapsedTimer clock;
    clock.start();
    int done = 0;
    const int total = int(rows.size());
    for (const int row : rows) {
        const QStringList cells = book.cells(row);
        const QString address = cells.value(book.emailColumn).trimmed();
        if (address.isEmpty())
            continue;
        if (!waitUntil([this] { return pageIdle(); }, Wait::UntilStopped))
            return Outcome::Stopped;
        if (!fill(address, MergeFields::mergeRow(m_message.subject, book.titles, cells),
                  MergeFields::mergeRow(m_message.body, book.titles, cells)))
            return Outcome::Failed;
        if (!waitUntil([this] { return pageIdle(); }, Wait::UntilStopped))
            return Outcome::Stopped;

        // The log knows of the send before the service can: a crash from here on leaves the
        // address listed as in flight, for the user to decide on when resuming.
        const MergeLog::Entry entry{row, address};
        if (journal)
            journal->recordSending(entry);
        if (!m_compose.submitForm(form.plainForm, form.sendSuffix))
            return Outcome::Failed;
        // The form has gone out: the email counts even when Stop ends the wait for the answer.
        const bool answered =
            waitUntil([this] { return !m_compose.busy() && m_compose.documentUrl() != m_composeAddress; },
                      Wait::UntilStopped);
        if (answered && journal)
            journal->recordSent(entry);
        ++m_sentCount;
        ++done;
        emit progressChanged(done, total, done < total ? clock.elapsed() * (total - done) / done : 0);
        emit emailSent(m_sentCount, address);
        if (!answered)
            return Outcome::Stopped;

        if (!returnToCompose(Wait::UntilStopped))
            return Outcome::Stopped;
        if (paceMs > 0 && done < total && m_wait->sleep(paceMs) != PageWait::Outcome::Met)
            return Outcome::Stopped;
    }
    return Outcome::Finished;
}

bool MergeRun::restore() {
    if (m_composeAddress.isEmpty())
        return false;
    // A stopped run may leave the service's answer loading: the compose page replaces it.
    if (!atCompose() && !returnToCompose(Wait::IgnoringStop, restoreTimeoutMs))
        return false;
    return fill(QString(), m_message.subject, m_message.body);
}

bool MergeRun::returnToCompose(Wait wait, int timeoutMs) {
    // Only a load that completes counts: a navigation cut short also ends, at the new address.
    bool loaded = false;
    const QMetaObject::Connection completed =
        connect(&m_compose, &WebPane::documentCompleted, this, [&loaded](bool ok) { loaded = loaded || ok; });
    m_compose.navigate(m_composeAddress);
    const bool back = waitUntil(
        [&] {
            if (!loaded || m_compose.busy())
                return false;
            if (atCompose())
                return true;
            // The answer to a send that was still on its way replaced the page: load it again.
            loaded = false;
            m_compose.navigate(m_composeAddress);
            return false;
        },
        wait, timeoutMs);
    disconnect(completed);
    return back;
}

void MergeRun::stop() {
    m_wait->cancel();
}

bool MergeRun::waitUntil(const std::function<bool()> &done, Wait wait, int timeoutMs) {
    PageWait &pageWait = wait == Wait::UntilStopped ? *m_wait : *m_restoreWait;
    return pageWait.until(done, timeoutMs) == PageWait::Outcome::Met;
}
