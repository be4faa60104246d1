#pragma once

#include "store/loose_date.h"
#include "store/message_name.h"

#include <QFuture>
#include <QFutureWatcher>
#include <QObject>
#include <QStringList>

#include <atomic>
#include <memory>

// A search of saved messages, run off the user-interface thread. Results come as they are
// found; a new search or a cancel ends the running one.
struct SearchQuery {
    QString term;
    QStringList folders;      // the folders searched, by name
    bool messageText = false; // the message text too, not only the header values
};

struct SearchHit {
    QString folder;
    MessageName name;
};

// What a search left out: files whose name is no saved message's, and files it could not read.
struct SearchTally {
    std::atomic<int> notMessages{0};
    std::atomic<int> unreadable{0};
};

class MessageSearch : public QObject {
    Q_OBJECT
public:
    MessageSearch(QString mainDir, LooseDate::Order order, QObject *parent = nullptr);
    ~MessageSearch() override;

    // Cancels a running search, then starts this one; an empty term starts nothing.
    void start(const SearchQuery &query);
    void cancel();
    bool running() const;

    // The search itself, for callers that wait for it (benchmarks): results in the future,
    // counts of what was left out in `tally`.
    static QFuture<SearchHit> run(const QString &mainDir, const SearchQuery &query, LooseDate::Order order,
                                  std::shared_ptr<SearchTally> tally);

    // Files larger than this are left unread (and counted unreadable).
    static constexpr qint64 maxFileBytes = 256 * 1024 * 1024;

signals:
    void hitsFound(const QList<SearchHit> &hits);
    // The search ran to its end (a cancelled one does not report).
    void finished(int found, int notMessages, int unreadable);

private:
    QString m_mainDir;
    const LooseDate::Order m_order;
    std::unique_ptr<QFutureWatcher<SearchHit>> m_watcher;
    std::shared_ptr<SearchTally> m_tally;
};
