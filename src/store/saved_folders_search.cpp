#include "store/saved_folders_search.h"

#include "store/message_list_model.h"
#include "store/message_search.h"
#include "store/saved_folders.h"
#include "store/search_bar.h"

SavedFoldersSearch::SavedFoldersSearch(Context context, LooseDate::Order order, QObject *parent)
    : QObject(parent)
    , m_context(std::move(context))
    , m_search(new MessageSearch(m_context.mainDir, order, this)) {
    connect(&m_context.bar, &SearchBar::searchChanged, this, &SavedFoldersSearch::onSearchChanged);
    connect(m_search, &MessageSearch::hitsFound, &m_context.model, &MessageListModel::appendResults);
    connect(m_search, &MessageSearch::finished, this, &SavedFoldersSearch::onFinished);
}

void SavedFoldersSearch::end() {
    m_search->cancel();
    m_context.bar.clear();
}

void SavedFoldersSearch::onSearchChanged() {
    const QString term = m_context.bar.term();
    if (term.trimmed().isEmpty()) {
        m_search->cancel();
        m_context.bar.showStatus({});
        if (m_context.model.showingResults())
            emit folderRequested();
        return;
    }
    const QString listed = m_context.listedFolder();
    // With no folder browsed, "This folder" has nothing to stand for: every folder is searched.
    const QStringList folders =
        m_context.bar.allFolders() || listed.isEmpty() ? m_context.folders() : QStringList{listed};
    m_context.model.showResults(SavedFolders::rootPath(m_context.mainDir));
    emit resultsStarted();
    m_context.bar.showStatus(QStringLiteral("Searching..."));
    m_search->start({term, folders, m_context.bar.messageText()});
}

void SavedFoldersSearch::onFinished(int found, int notMessages, int unreadable) {
    m_context.model.resultsComplete();
    QString status =
        found == 1 ? QStringLiteral("1 message found") : QStringLiteral("%1 messages found").arg(found);
    if (notMessages > 0)
        status += QStringLiteral("; %1 files that are no saved messages skipped").arg(notMessages);
    if (unreadable > 0)
        status += QStringLiteral("; %1 files could not be read").arg(unreadable);
    m_context.bar.showStatus(status);
}
