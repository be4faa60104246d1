#include "mailmerge/merge_run.h"

#include "mailmerge/merge_fields.h"
#include "webpages/compose_form.h"
#include "webpages/page_model.h"
#include "webpages/services/web_service.h"
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

QString refusedStop(const QString &address, const QString &words) {
    return QStringLiteral("Mail merge stopped: the service refused the email to %1 (\"%2\"). That email was "
                          "not sent.")
        .arg(address, words);
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
    connect(&PageSends::of(m_compose), &PageSends::sendAnswered, this,
            [this](const PageSends::Answer &answer) {
                if (!answer.own)
                    return;
                m_pageAnswer = answer;
                m_restoreWait->wake();
            });
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
    // A fresh compose page of a service that answers in the page has an address of its own.
    const bool there = m_service && m_service->answersSendsInPage()
                           ? ComposeForm::value(m_compose, m_provider, Field::To).has_value()
                           : m_compose.documentUrl() == m_composeAddress;
    return !m_compose.busy() && there &&
           (!m_shown || SendAnswer::problem(*m_shown, QUrl(m_composeAddress)).isEmpty());
}

std::optional<MergeRun::Message> MergeRun::captureTemplate() {
    m_wait->reset();
    if (waitUntil([this] { return pageIdle(); }, Wait::UntilStopped) != PageWait::Outcome::Met)
        return std::nullopt;
    m_service = &WebServices::forPage(m_recorded ? m_recorded() : QString(), m_compose.locationUrl());
    m_provider = m_service->name();
    m_composeAddress = m_compose.documentUrl();
    if (m_service->answersSendsInPage())
        m_composeAddress = m_service->composeAddress(m_composeAddress).value_or(m_composeAddress);
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

MergeRun::Taken MergeRun::sendByPost() {
    const PageModel::ComposeForm &form = PageModel::composeForm(m_provider);
    const int loadsBefore = m_loadsEnded;
    if (!m_compose.submitForm(form.plainForm, form.sendSuffix))
        return {Taken::How::Unknown, QStringLiteral("the page did not take the submit")};
    // Stop does not end this wait: the email has gone out, and its answer tells whether it counts.
    // A quitting application does.
    const PageWait::Outcome answer =
        waitUntil([&] { return m_loadsEnded > loadsBefore && pageIdle(); }, Wait::IgnoringStop);
    if (answer == PageWait::Outcome::Cancelled)
        return {Taken::How::Stopped, {}};
    const QString why = answer == PageWait::Outcome::TimedOut
                            ? SendAnswer::noAnswer(limitSeconds())
                            : SendAnswer::problem(*m_shown, QUrl(m_composeAddress));
    return {why.isEmpty() ? Taken::How::Sent : Taken::How::Unknown, why};
}

MergeRun::Taken MergeRun::sendInPage() {
    m_pageAnswer.reset();
    // The page's own checks come first; one that fails sends nothing, and says why in the page.
    if (!m_service->pressSend(m_compose))
        return {Taken::How::Refused, QStringLiteral("the compose page did not take it")};
    const PageWait::Outcome answer = waitUntil([&] { return m_pageAnswer.has_value(); }, Wait::IgnoringStop);
    if (answer == PageWait::Outcome::Cancelled)
        return {Taken::How::Stopped, {}};
    if (answer == PageWait::Outcome::TimedOut)
        return {Taken::How::Unknown, SendAnswer::noAnswer(limitSeconds())};
    switch (m_pageAnswer->outcome) {
    case PageSends::Answer::Outcome::Sent:
        return {Taken::How::Sent, {}};
    case PageSends::Answer::Outcome::Refused:
        return {Taken::How::Refused, m_pageAnswer->message};
    case PageSends::Answer::Outcome::Unclear:
        break;
    }
    return {Taken::How::Unknown, QStringLiteral("its answer said neither that it was sent nor why not")};
}

MergeRun::Outcome MergeRun::send(const MergePlan::Book &book, const std::vector<int> &rows,
                                 MergeJournal *journal, int paceMs, MergeLog::AfterRefusal onRefusal) {
    const QScopedValueRollback running(m_running, true);
    m_wait->reset();
    m_problem.clear();
    const bool inPage = m_service && m_service->answersSendsInPage();
    QElapsedTimer clock;
    clock.start();
    int done = 0;
    const int total = int(rows.size());
    // Each email of a service that answers in the page goes out from a compose page of its own.
    bool fresh = !inPage;
    for (const int row : rows) {
        const QStringList cells = book.cells(row);
        const QString address = cells.value(book.emailColumn).trimmed();
        if (address.isEmpty())
            continue;
        QString why;
        if (!fresh) {
            switch (returnToCompose(Wait::UntilStopped, why)) {
            case PageWait::Outcome::Met:
                break;
            case PageWait::Outcome::Cancelled:
                return Outcome::Stopped;
            case PageWait::Outcome::TimedOut:
                return serviceFailed(notSent(address, why));
            }
        }
        fresh = !inPage;
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
        const Taken taken = inPage ? sendInPage() : sendByPost();
        switch (taken.how) {
        case Taken::How::Stopped:
            return Outcome::Stopped;
        case Taken::How::Unknown:
            if (journal)
                journal->recordUnknown(entry);
            return serviceFailed(unconfirmed(address, taken.why));
        case Taken::How::Refused:
            if (journal)
                journal->recordRefused(entry, onRefusal, taken.why);
            emit emailRefused(address, taken.why);
            if (onRefusal == MergeLog::AfterRefusal::Stop)
                return serviceFailed(refusedStop(address, taken.why));
            break;
        case Taken::How::Sent:
            if (journal)
                journal->recordSent(entry);
            ++m_sentCount;
            emit emailSent(m_sentCount, address);
            break;
        }
        ++done;
        emit progressChanged(done, total, done < total ? clock.elapsed() * (total - done) / done : 0);

        switch (returnToCompose(Wait::UntilStopped, why)) {
        case PageWait::Outcome::Met:
            fresh = true;
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
    if (m_service)
        m_service->leaveQuietly(m_compose);
    m_compose.navigate(m_composeAddress);
    why = SendAnswer::noAnswer(limitSeconds());
    return waitUntil(
        [&] {
            if (failedAt) {
                if (failedAt->elapsed() < reloadPauseMs)
                    return false;
                failedAt.reset();
                loadsBefore = m_loadsEnded;
                if (m_service)
                    m_service->leaveQuietly(m_compose);
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
