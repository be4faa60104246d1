#pragma once

#include "store/loose_date.h"

#include <QObject>
#include <QStringList>

#include <functional>

class MessageListModel;
class MessageSearch;
class SearchBar;

// Searching from the saved-folders tab: each change of the search bar cancels the running
// search and starts the next, whose results fill the message list as they are found. An empty
// field gives the list back to the folder browsed.
class SavedFoldersSearch : public QObject {
    Q_OBJECT
public:
    struct Context {
        SearchBar &bar;
        MessageListModel &model;
        QString mainDir;
        std::function<QString()> listedFolder; // the folder browsed, empty when none
        std::function<QStringList()> folders;  // every folder
    };
    SavedFoldersSearch(Context context, LooseDate::Order order, QObject *parent = nullptr);

    // Ends the search shown (the user chose a folder): the running one stops, the field empties.
    void end();
    MessageSearch &search() const { return *m_search; }

signals:
    // The list now shows (new) search results.
    void resultsStarted();
    // The field was emptied: the folder browsed is to be listed again.
    void folderRequested();

private:
    void onSearchChanged();
    void onFinished(int found, int notMessages, int unreadable);

    Context m_context;
    MessageSearch *m_search;
};
