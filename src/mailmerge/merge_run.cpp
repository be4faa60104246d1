#include "mailmerge/merge_run.h"

#include "mailmerge/merge_fields.h"
#include "webpages/compose_form.h"
#include "webpages/page_model.h"
#include "webpages/web_pane.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QScopedValueRollback>
#include <QTimer>

using ComposeForm::Field;

namespace {
// A wait's own wake-ups leave its event loop with this code; any other code means the
// application asked every event loop to end because it is quitting.
constexpr int wokenCode = 7;
} // namespace

MergeRun::MergeRun(WebPane &compose, QObject *parent)
    : QObject(parent)
    , m_compose(compose) {}

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
    m_stop = false;
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
    m_stop = false;
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
    m_stop = false;
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
        emit emailSent(m_sentCount, address);
        emit progressChanged(done, total, done < total ? clock.elapsed() * (total - done) / done : 0);
        if (!answered)
            return Outcome::Stopped;

        m_compose.navigate(m_composeAddress);
        if (!waitUntil([this] { return atCompose(); }, Wait::UntilStopped))
            return Outcome::Stopped;
        if (paceMs > 0 && done < total && !waitUntil([] { return false; }, Wait::UntilStopped, paceMs) &&
            m_stop)
            return Outcome::Stopped;
    }
    return Outcome::Finished;
}

bool MergeRun::restore() {
    if (m_composeAddress.isEmpty())
        return false;
    if (!atCompose()) {
        // A stopped run may leave the service's answer loading: the compose page replaces it.
        m_compose.navigate(m_composeAddress);
        if (!waitUntil([this] { return atCompose(); }, Wait::IgnoringStop, restoreTimeoutMs))
            return false;
    }
    return fill(QString(), m_message.subject, m_message.body);
}

void MergeRun::stop() {
    m_stop = true;
    emit stopping();
}

bool MergeRun::waitUntil(const std::function<bool()> &done, Wait wait, int timeoutMs) {
    const auto ended = [&] { return m_quitting || (wait == Wait::UntilStopped && m_stop); };
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (ended() || (timeoutMs > 0 && clock.elapsed() >= timeoutMs))
            return false;
        // Sleeps in the event loop until the page reports, the poll is due or Stop is pressed.
        QEventLoop loop;
        QTimer poll;
        poll.setSingleShot(true);
        const auto wake = [&loop] { loop.exit(wokenCode); };
        connect(&poll, &QTimer::timeout, &loop, wake);
        connect(&m_compose, &WebPane::documentCompleted, &loop, wake);
        connect(this, &MergeRun::stopping, &loop, wake);
        poll.start(timeoutMs > 0 ? std::clamp<qint64>(timeoutMs - clock.elapsed(), 1, pollIntervalMs)
                                 : pollIntervalMs);
        if (loop.exec() != wokenCode)
            m_quitting = true;
    }
    return true;
}
