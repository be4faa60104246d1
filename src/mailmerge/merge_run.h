#pragma once

#include "mailmerge/merge_journal.h"
#include "mailmerge/merge_plan.h"
#include "webpages/page_wait.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include <functional>

class WebPane;

// Sends one message per row through the service's compose page: for each row it fills To,
// subject and body with the merged text, submits the form as the page's Send button would,
// waits for the service's answer and goes back to the compose page. Every wait runs the event
// loop, so the window stays responsive and Stop ends a run at whichever wait it is in.
class MergeRun : public QObject {
    Q_OBJECT
public:
    struct Message {
        QString subject;
        QString body;
    };
    enum class Outcome { Finished, Stopped, Failed };

    explicit MergeRun(WebPane &compose, QObject *parent = nullptr);

    // The message as written in the compose page, fields included; the compose address is
    // remembered for the run. Nothing when the page has no plain compose form.
    std::optional<Message> captureTemplate();
    const Message &message() const { return m_message; }
    QString composeAddress() const { return m_composeAddress; }

    // Sends to `rows` of `book`, in order, recording each send in `journal` when it is open.
    // `paceMs` is waited between two emails.
    Outcome send(const MergePlan::Book &book, const std::vector<int> &rows, MergeJournal *journal,
                 int paceMs);
    // Fills the page for `row` without sending.
    Outcome test(const MergePlan::Book &book, int row);
    // Puts the captured message back into the page, To emptied; false when the page has no form.
    bool restore();

    // Ends a running send at its next wait; the email whose form went out is still counted.
    void stop();
    bool isRunning() const { return m_running; }
    int sentCount() const { return m_sentCount; }
    void resetCount() { m_sentCount = 0; }

    static QString failureMessage();
    // How often a wait looks at the page between the page's own signals.
    static constexpr int pollIntervalMs = 50;
    // How long putting the message back waits for the compose page.
    static constexpr int restoreTimeoutMs = 15000;

signals:
    // A submitted email was counted: the running total and the address.
    void emailSent(int total, const QString &address);
    // `done` of `total` emails of this run, with an estimate of the time left.
    void progressChanged(int done, int total, qint64 msLeft);

private:
    enum class Wait { UntilStopped, IgnoringStop };
    // Until `done` holds; false when the run was stopped (when `wait` allows), the application
    // quits or `timeoutMs` (when above 0) passes.
    bool waitUntil(const std::function<bool()> &done, Wait wait, int timeoutMs = PageWait::noTimeout);
    // Loads the compose address again and waits until the page is there.
    bool returnToCompose(Wait wait, int timeoutMs = PageWait::noTimeout);
    bool fill(const QString &to, const QString &subject, const QString &body);
    bool pageIdle() const;
    bool atCompose() const;

    WebPane &m_compose;
    QString m_provider;
    QString m_composeAddress;
    Message m_message;
    bool m_running = false;
    PageWait *m_wait;        // ended by Stop
    PageWait *m_restoreWait; // putting the message back after a Stop
    int m_sentCount = 0;
};
