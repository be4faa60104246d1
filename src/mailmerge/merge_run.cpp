#include "mailmerge/merge_run.h"

#include "mailmerge/merge_fields.h"
#include "webpages/compose_form.h"
#include "webpages/page_model.h"
#include "webpages/web_pane.h"

#include <QScopedValueRollback>
#include <QWebEngineLoadingInfo>

using ComposeForm::Field;

namespace {

SendAnswer::Load loadOf(const QWebEngineLoadingInfo &info) {
    SendAnswer::Load load;
    switch (info.status()) {
    case QWebEngineLoadingInfo::LoadSucceededStatus:
        load.ending = SendAnswer::Ending::Succeeded;
        break;
    case QWebEngineLoadingInfo::LoadStoppedStatus:
        load.ending = SendAnswer::Ending::Stopped;
        break;
    default:
        load.ending = SendAnswer::Ending::Failed;
        break;
    }
    load.url = info.url();
    // The browser reports the answer's HTTP status, a success's too, in this domain; any other
    // domain means no HTTP answer came (a refused, broken or aborted connection).
    if (info.errorDomain() == QWebEngineLoadingInfo::HttpStatusCodeDomain)
        load.httpStatus = info.errorCode();
    else if (load.ending != SendAnswer::Ending::Succeeded)
        load.error = info.errorString();
    load.errorPage = info.isErrorPage();
    return load;
}

QString unconfirmed(const QString &address, const QString &why) {
    return QStringLiteral(
               "Mail merge stopped: the service did not confirm the email to %1, because %2. It is "
               "not known whether it arrived. The merge log marks it as unknown; when you start "
               "the merge again you can send it again or skip it.")
        .arg(address, why);
}

QString notSent(const QString &address, const QString &why) {
    return QStringLiteral("Mail merge stopped before the email to %1, because %2. That email was not sent; "
                          "starting the merge again sends it.")
        .arg(address, why);
}

QString notBack(const QString &address, const QString &why) {
    return QStringLiteral("Mail merge stopped after the email to %1, because the compose page did not load "
                          "again: %2.")
        .arg(address, why);
}

} // namespace

MergeRun::MergeRun(WebPane &compose, QObject *parent)
    : QObject(parent)
    , m_compose(compose)
    , m_wait(new PageWait(this))
    , m_restoreWait(new PageWait(this)) {
    for (PageWait *wait : {m_wait, m_restoreWait}) {
        wait->setPollInterval(pollIntervalMs);
        wait->wakeOn(&m_compose, &WebPane::documentCompleted);
    }
    // The browser tells how a load ended (with the HTTP status) right after it finished.
    connect(m_compose.page(), &QWebEnginePage::loadingChanged, this, &MergeRun::loadingChanged);
}

QString MergeRun::failureMessage() {
    return QStringLiteral(
        "Unable to send message. Are you sure the compose form is displayed? Mail Merge works "
        "only in plain test mode. You cannot use the Rich Text/HTML compose form.");
}

void MergeRun::loadingChanged(const QWebEngineLoadingInfo &info) {
    if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus)
        return;
    m_shown = loadOf(info);
    ++m_loadsEnded;
    m_wait->wake();
    m_restoreWait->wake();
}

bool MergeRun::pageIdle() const {
    return !m_compose.busy();
}

bool MergeRun::atCompose() const {
    return !m_compose.busy() && m_compose.documentUrl() == m_composeAddress &&
           (!m_shown || SendAnswer::problem(*m_shown, QUrl(m_composeAddress)).isEmpty());
}

std::optional<MergeRun::Message> MergeRun::captureTemplate() {
    m_wait->reset();
    if (waitUntil([this] { return pageIdle(); }, Wait::UntilStopped) != PageWait::Outcome::Met)
        return std::nullopt;
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
    if (waitUntil([this] { return pageIdle(); }, Wait::UntilStopped) == PageWait::Outcome::TimedOut ||
        !fill(cells.value(book.emailColumn).trimmed(),
              MergeFields::mergeRow(m_message.subject, book.titles, cells),
              MergeFields::mergeRow(m_message.body, book.titles, cells)))
        return Outcome::Failed;
    return Outcome::Finished;
}

MergeRun::Outcome MergeRun::serviceFailed(const QString &problem) {
    m_problem = problem;
    return Outcome::ServiceFailed;
}

MergeRun::Outcome MergeRun::send(const MergePlan::Book &book, const std::vector<int> &rows,
                                 MergeJournal *journal, int paceMs) {
    const QScopedValueRollback running(m_running, true);
    m_wait->reset();
    m_problem.clear();
    const PageModel::ComposeForm &form = PageModel::composeForm(m_provider);
    const QUrl service(m_composeAddress);
    QElapsedTimer clock;
    clock.start();
    int done = 0;
    const int total = int(rows.size());
    for (const int row : rows) {
        const QStringList cells = book.cells(row);
        const QString address = cells.value(book.emailColumn).trimmed();
        if (address.isEmpty())
            continue;
        // The page is ready before it is filled, and again before the submit.
        const auto ready = [&]() -> std::optional<Outcome> {
            switch (waitUntil([this] { return pageIdle(); }, Wait::UntilStopped)) {
            case PageWait::Outcome::Met:
                return std::nullopt;
            case PageWait::Outcome::Cancelled:
                return Outcome::Stopped;
            case PageWait::Outcome::TimedOut:
                break;
            }
            return serviceFailed(notSent(
                address,
                QStringLiteral("the compose page did not finish loading within %1 s").arg(limitSeconds())));
        };
        if (const std::optional<Outcome> stop = ready())
            return *stop;
        if (!fill(address, MergeFields::mergeRow(m_message.subject, book.titles, cells),
                  MergeFields::mergeRow(m_message.body, book.titles, cells)))
            return Outcome::Failed;
        if (const std::optional<Outcome> stop = ready())
            return *stop;

        // The log knows of the send before the service can: a crash from here on leaves the
        // address unknown, for the user to decide on when resuming.
        const MergeLog::Entry entry{row, address};
        if (journal)
            journal->recordSending(entry);
        const int loadsBefore = m_loadsEnded;
        QString why;
        if (!m_compose.submitForm(form.plainForm, form.sendSuffix)) {
            why = QStringLiteral("the page did not take the submit");
        } else {
            // Stop does not end this wait: the email has gone out, and its answer tells whether
            // it counts. A quitting application does.
            const PageWait::Outcome answer =
                waitUntil([&] { return m_loadsEnded > loadsBefore && pageIdle(); }, Wait::IgnoringStop);
            if (answer == PageWait::Outcome::Cancelled)
                return Outcome::Stopped;
            why = answer == PageWait::Outcome::TimedOut ? SendAnswer::noAnswer(limitSeconds())
                                                        : SendAnswer::problem(*m_shown, service);
        }
        if (!why.isEmpty()) {
            if (journal)
                journal->recordUnknown(entry);
            return serviceFailed(unconfirmed(address, why));
        }
        if (journal)
            journal->recordSent(entry);
        ++m_sentCount;
        ++done;
        emit progressChanged(done, total, done < total ? clock.elapsed() * (total - done) / done : 0);
        emit emailSent(m_sentCount, address);

        switch (returnToCompose(Wait::UntilStopped, why)) {
        case PageWait::Outcome::Met:
            break;
        case PageWait::Outcome::Cancelled:
            return Outcome::Stopped;
        case PageWait::Outcome::TimedOut:
            return serviceFailed(notBack(address, why));
        }
        if (paceMs > 0 && done < total && m_wait->sleep(paceMs) != PageWait::Outcome::Met)
            return Outcome::Stopped;
    }
    return Outcome::Finished;
}

bool MergeRun::restore() {
    if (m_composeAddress.isEmpty())
        return false;
    // A stopped run may leave the service's answer, an error page, or a send still loading: the
    // compose page replaces it.
    QString why;
    if (!atCompose() && returnToCompose(Wait::IgnoringStop, why) != PageWait::Outcome::Met)
        return false;
    return fill(QString(), m_message.subject, m_message.body);
}

PageWait::Outcome MergeRun::returnToCompose(Wait wait, QString &why) {
    // Only a good page at the compose address counts. A load that failed (the service down, an
    // error status, a send still on its way that replaced the page) is tried again after a pause.
    int loadsBefore = m_loadsEnded;
    std::optional<QElapsedTimer> failedAt;
    m_compose.navigate(m_composeAddress);
    why = SendAnswer::noAnswer(limitSeconds());
    return waitUntil(
        [&] {
            if (failedAt) {
                if (failedAt->elapsed() < reloadPauseMs)
                    return false;
                failedAt.reset();
                loadsBefore = m_loadsEnded;
                m_compose.navigate(m_composeAddress);
                return false;
            }
            if (m_loadsEnded == loadsBefore || !pageIdle())
                return false;
            if (atCompose())
                return true;
            const QString problem = SendAnswer::problem(*m_shown, QUrl(m_composeAddress));
            why = (problem.isEmpty() ? QStringLiteral("another page replaced it") : problem) +
                  QStringLiteral(" (tried for %1 s)").arg(limitSeconds());
            failedAt.emplace();
            failedAt->start();
            return false;
        },
        wait);
}

void MergeRun::stop() {
    m_wait->cancel();
}

PageWait::Outcome MergeRun::waitUntil(const std::function<bool()> &done, Wait wait) {
    PageWait &pageWait = wait == Wait::UntilStopped ? *m_wait : *m_restoreWait;
    return pageWait.until(done, m_timeLimitMs);
}
