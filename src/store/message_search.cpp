#include "store/message_search.h"

#include "base/text_file.h"
#include "store/saved_folders.h"
#include "store/search_matcher.h"

#include <QDirIterator>
#include <QFile>
#include <QPromise>
#include <QtConcurrent>

#include <vector>

namespace {

struct Candidate {
    QString path;
    SearchHit hit;
};

// The file up to its body, where the header lines end (the whole file when it holds no body).
std::optional<QByteArray> readHead(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray head;
    while (head.size() < MessageSearch::maxFileBytes) {
        const QByteArray chunk = file.read(16 * 1024);
        if (chunk.isEmpty())
            return file.error() == QFileDevice::NoError ? std::optional(head) : std::nullopt;
        head += chunk;
        if (head.contains("<div id=body"))
            return head;
    }
    return std::nullopt;
}

} // namespace

MessageSearch::MessageSearch(QString mainDir, LooseDate::Order order, QObject *parent)
    : QObject(parent)
    , m_mainDir(std::move(mainDir))
    , m_order(order) {}

MessageSearch::~MessageSearch() {
    cancel();
}

QFuture<SearchHit> MessageSearch::run(const QString &mainDir, const SearchQuery &query,
                                      LooseDate::Order order, std::shared_ptr<SearchTally> tally) {
    return QtConcurrent::run([mainDir, query, order, tally](QPromise<SearchHit> &promise) {
        const SearchMatcher matcher(query.term);
        if (matcher.isEmpty())
            return;
        std::vector<Candidate> candidates;
        for (const QString &folder : query.folders) {
            const QString folderPath = SavedFolders::folderPath(mainDir, folder);
            for (QDirIterator it(folderPath, QDir::Files); it.hasNext();) {
                if (promise.isCanceled())
                    return;
                it.next();
                std::optional<MessageName> name = MessageName::parse(it.fileName(), order);
                if (name)
                    candidates.push_back({it.filePath(), {folder, std::move(*name)}});
                else
                    ++tally->notMessages;
            }
        }
        // The headers are the file's first lines: without the message text, only they are read.
        QtConcurrent::blockingMap(candidates, [&](const Candidate &candidate) {
            if (promise.isCanceled())
                return;
            const std::optional<QByteArray> bytes = query.messageText
                                                        ? TextFile::readAll(candidate.path, maxFileBytes)
                                                        : readHead(candidate.path);
            if (!bytes)
                ++tally->unreadable;
            else if (matcher.matchesHeaders(*bytes) || (query.messageText && matcher.matchesText(*bytes)))
                promise.addResult(candidate.hit);
        });
    });
}

void MessageSearch::start(const SearchQuery &query) {
    cancel();
    if (query.term.trimmed().isEmpty())
        return;
    m_tally = std::make_shared<SearchTally>();
    m_watcher = std::make_unique<QFutureWatcher<SearchHit>>();
    QFutureWatcher<SearchHit> *watcher = m_watcher.get();
    connect(watcher, &QFutureWatcherBase::resultsReadyAt, this, [this, watcher](int begin, int end) {
        QList<SearchHit> hits;
        hits.reserve(end - begin);
        for (int i = begin; i < end; ++i)
            hits.append(watcher->resultAt(i));
        emit hitsFound(hits);
    });
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher] {
        if (!watcher->isCanceled())
            emit finished(watcher->future().resultCount(), m_tally->notMessages, m_tally->unreadable);
    });
    watcher->setFuture(run(m_mainDir, query, m_order, m_tally));
}

void MessageSearch::cancel() {
    if (!m_watcher)
        return;
    // The old search stops at its next file; nothing it finds from now on is shown.
    m_watcher->disconnect(this);
    m_watcher->cancel();
    m_watcher.reset();
}

bool MessageSearch::running() const {
    return m_watcher && m_watcher->isRunning();
}
