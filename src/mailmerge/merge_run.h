#pragma once

#include "mailmerge/merge_journal.h"
#include "mailmerge/merge_plan.h"
#include "mailmerge/send_answer.h"
#include "webpages/page_wait.h"
#include "webpages/services/page_sends.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class QWebEngineLoadingInfo;
class WebPane;
class WebService;

// Sends one message per row through the service's compose page: for each row it fills To,
// subject and body with the merged text, submits the form as the page's Send button would,
// waits for the service's answer and goes back to the compose page. Every wait runs the event
// loop, so the window stays responsive and Stop ends a run at whichever wait it is in, and every
// wait ends after the time limit.
//
// An email counts as sent only when the service answered its submit with a successful page
// (SendAnswer), or, on a service that answers its sends inside the compose page (Roundcube), when
// it confirmed there the send of the page's own Send button, pressed on a fresh compose page for
// each email. Such a service may refuse an address: the run reports it and goes on with the next
// or stops, as asked, and the journal records the refusal and which. A failed, unclear or missing
// answer stops the run: the journal marks that email unknown and problem() says what happened,
// naming the address.
class MergeRun : public QObject {
    Q_OBJECT
public:
    struct Message {
        QString subject;
        QString body;
    };
    // ServiceFailed: the service failed or did not answer in time; see problem().
    enum class Outcome { Finished, Stopped, Failed, ServiceFailed };

    explicit MergeRun(WebPane &compose, QObject *parent = nullptr);
    // The recorded service ([Locations] service), which tells how the compose page sends; without
    // one the address rule of the older services does.
    void setRecordedService(std::function<QString()> recorded) { m_recorded = std::move(recorded); }

    // The message as written in the compose page, fields included; the compose address is
    // remembered for the run. Nothing when the page has no plain compose form.
    std::optional<Message> captureTemplate();
    const Message &message() const { return m_message; }
    QString composeAddress() const { return m_composeAddress; }

    // Sends to `rows` of `book`, in order, recording each send in `journal` when it is open.
    // `paceMs` is waited between two emails.
    // `onRefusal` says what follows an address the service refused.
    Outcome send(const MergePlan::Book &book, const std::vector<int> &rows, MergeJournal *journal, int paceMs,
                 MergeLog::AfterRefusal onRefusal = MergeLog::AfterRefusal::GoOn);
    // Fills the page for `row` without sending.
    Outcome test(const MergePlan::Book &book, int row);
    // Puts the captured message back into the page, To emptied, loading the compose page again
    // when it is not shown; false when the page has no form or did not load in time.
    bool restore();

    // Ends a running send at its next wait. The wait for the answer to an email already
    // submitted is not cut short: that email ends confirmed or unknown, within the time limit.
    void stop();
    bool isRunning() const { return m_running; }
    int sentCount() const { return m_sentCount; }
    void resetCount() { m_sentCount = 0; }

    // How long any one wait may last before the run stops.
    void setTimeLimit(int ms) { m_timeLimitMs = std::max(ms, 1); }
    int timeLimit() const { return m_timeLimitMs; }
    // Why the last send() ended with ServiceFailed, naming the address; empty otherwise.
    QString problem() const { return m_problem; }

    static QString failureMessage();
    // How often a wait looks at the page between the page's own signals.
    static constexpr int pollIntervalMs = 50;
    static constexpr int defaultTimeLimitMs = 60000;
    // A compose page that failed to load is loaded again after this pause.
    static constexpr int reloadPauseMs = 500;

signals:
    // A submitted email was confirmed by the service: the running total and the address.
    void emailSent(int total, const QString &address);
    // The service refused the email to `address`, in its `words`; it was not sent.
    void emailRefused(const QString &address, const QString &words);
    // `done` of `total` emails of this run, with an estimate of the time left.
    void progressChanged(int done, int total, qint64 msLeft);

private:
    enum class Wait { UntilStopped, IgnoringStop };
    // How the service took one email.
    struct Taken {
        enum class How { Sent, Refused, Unknown, Stopped } how;
        QString why; // the service's words for a refusal; what went wrong for an unknown one
    };
    Taken sendByPost();
    Taken sendInPage();
    // Until `done` holds, the run is stopped (when `wait` allows), the application quits or the
    // time limit passes.
    PageWait::Outcome waitUntil(const std::function<bool()> &done, Wait wait);
    // Loads the compose address again until the page is there, loading it anew after a load that
    // failed; `why` tells what went wrong when it does not come back.
    PageWait::Outcome returnToCompose(Wait wait, QString &why);
    bool fill(const QString &to, const QString &subject, const QString &body);
    bool pageIdle() const;
    bool atCompose() const;
    void loadingChanged(const QWebEngineLoadingInfo &info);
    int limitSeconds() const { return (m_timeLimitMs + 999) / 1000; }
    Outcome serviceFailed(const QString &problem);

    WebPane &m_compose;
    std::function<QString()> m_recorded;
    const WebService *m_service = nullptr;
    QString m_provider;
    QString m_composeAddress;
    Message m_message;
    bool m_running = false;
    PageWait *m_wait;        // ended by Stop
    PageWait *m_restoreWait; // waits Stop does not end: an answer, putting the message back
    int m_sentCount = 0;
    int m_timeLimitMs = defaultTimeLimitMs;
    QString m_problem;
    // How the page's last load ended, and how many have ended, so that a wait knows whether a
    // load ended since it began.
    std::optional<SendAnswer::Load> m_shown;
    int m_loadsEnded = 0;
    // The service's answer, in the page, to the program's last press on Send.
    std::optional<PageSends::Answer> m_pageAnswer;
};
