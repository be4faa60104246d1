#include "store/message_search.h"

#include "store/saved_folders.h"
#include "store/search_matcher.h"

#include <QFile>
#include <QPromise>
#include <QScopeGuard>
#include <QtConcurrent>

#include <algorithm>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace {

// A file to look at: the folder it lies in (its place in the query) and its name as the file
// system holds it.
struct Candidate {
    qsizetype folder;
    QByteArray name;
};

// Hands each file in `dir` that QDir::Files lists to `found`: regular files, or links to them,
// that are not hidden. A folder that cannot be listed has none.
template<typename Cancelled, typename Found>
void listFiles(const QByteArray &dir, qsizetype folder, Cancelled cancelled, Found found) {
    DIR *listing = opendir(dir.constData());
    if (!listing)
        return;
    while (const dirent *entry = readdir(listing)) {
        if (cancelled())
            break;
        if (entry->d_name[0] == '.')
            continue;
        bool regular = entry->d_type == DT_REG;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat status {};
            regular = fstatat(dirfd(listing), entry->d_name, &status, 0) == 0 && S_ISREG(status.st_mode);
        }
        if (regular)
            found(Candidate{folder, QByteArray(entry->d_name)});
    }
    closedir(listing);
}

// Whether MessageName::parse may take the file name, told from its bytes without decoding them: it
// needs four parts split by "&&" before the last four characters. A name ending in ASCII is told
// exactly (a "&" byte is that character however the rest decodes); any other may be.
bool mayBeMessageName(QByteArrayView name) {
    if (name.size() < 4 || std::any_of(name.end() - 4, name.end(), [](char c) { return uchar(c) >= 0x80; }))
        return true;
    const QByteArrayView parts = name.chopped(4);
    int separators = 0;
    for (qsizetype at = findBytes(parts, "&&"); at >= 0 && separators < 3;
         at = findBytes(parts, "&&", at + 2))
        ++separators;
    return separators == 3;
}

// The file's bytes, read into `bytes` in as few calls as its size allows: the whole file, or with
// `headOnly` as far as the body's start, where the header lines end (the whole file when it holds
// no body). False when it cannot be read or holds more than maxFileBytes. `bytes` keeps its
// storage from file to file.
bool readMessage(const QByteArray &path, bool headOnly, QByteArray &bytes) {
    const int fd = open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const auto closing = qScopeGuard([fd] { close(fd); });
    // The header lines fit in the first few kilobytes and most whole files in one read; a read that
    // comes back short has reached the end of the (regular) file. Only a larger file is asked its size.
    qsizetype want = headOnly ? 8 * 1024 : 64 * 1024;
    bytes.resize(0);
    for (;;) {
        const qsizetype had = bytes.size();
        bytes.resize(had + want);
        ssize_t count = 0;
        do
            count = read(fd, bytes.data() + had, size_t(want));
        while (count < 0 && errno == EINTR);
        if (count < 0)
            return false;
        bytes.resize(had + count);
        if (count == 0 || (!headOnly && count < want))
            return true;
        if (headOnly && findBytes(bytes, "<div id=body", qMax(qsizetype(0), had - 12)) >= 0)
            return true;
        if (!headOnly && had == 0) {
            struct stat status {};
            if (fstat(fd, &status) != 0 || status.st_size > MessageSearch::maxFileBytes)
                return false;
            want = qMax(want, qsizetype(status.st_size) - count + 1);
        }
        if (bytes.size() > MessageSearch::maxFileBytes)
            return false;
    }
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
        const auto cancelled = [&promise] { return promise.isCanceled(); };
        std::vector<QByteArray> folderPaths;
        for (const QString &folder : query.folders)
            folderPaths.push_back(QFile::encodeName(SavedFolders::folderPath(mainDir, folder)) + '/');
        // The headers are the file's first lines: without the message text, only they are read.
        const auto look = [&](const Candidate &candidate) {
            if (cancelled())
                return;
            if (!mayBeMessageName(candidate.name)) {
                ++tally->notMessages;
                return;
            }
            // Each thread reads into storage of its own, kept from file to file unless a large file
            // made it large.
            static thread_local QByteArray bytes;
            const auto shrinking = qScopeGuard([] {
                if (bytes.capacity() > 1024 * 1024)
                    bytes = QByteArray();
            });
            if (!readMessage(folderPaths[candidate.folder] + candidate.name, !query.messageText, bytes))
                ++tally->unreadable;
            else if (matcher.matchesHeaders(bytes) || (query.messageText && matcher.matchesText(bytes))) {
                if (std::optional<MessageName> name =
                        MessageName::parse(QFile::decodeName(candidate.name), order))
                    promise.addResult(SearchHit{query.folders[candidate.folder], std::move(*name)});
                else
                    ++tally->notMessages;
            }
        };
        // The files are looked at in batches on the other threads while the folders are still
        // being listed; this thread takes its share once the listing is done.
        constexpr size_t batchSize = 256;
        std::vector<QFuture<void>> batches;
        std::vector<Candidate> batch;
        const auto dispatch = [&] {
            batches.push_back(QtConcurrent::run([&look, part = std::move(batch)] {
                for (const Candidate &candidate : part)
                    look(candidate);
            }));
            batch = {};
        };
        for (qsizetype folder = 0; folder < qsizetype(folderPaths.size()); ++folder) {
            listFiles(folderPaths[folder], folder, cancelled, [&](Candidate &&candidate) {
                batch.push_back(std::move(candidate));
                if (batch.size() == batchSize)
                    dispatch();
            });
        }
        for (const Candidate &candidate : batch)
            look(candidate);
        for (QFuture<void> &part : batches)
            part.waitForFinished();
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
