#pragma once

#include "store/loose_date.h"

#include <QObject>
#include <QUrl>

#include <functional>

class FolderListBox;
class FolderLists;
class MessageListModel;
class MessageListView;
class Messages;
class QComboBox;
class QFileSystemWatcher;
class QItemSelection;
class QPushButton;
class SavedFoldersSearch;
class SearchBar;
class WebPane;

// The tab "Saved Message Folders (local)": the folders (ComboFolders2), the messages of the
// folder browsed (ListMsg), the preview (WebBrowser2), and the commands on the message shown:
// move, delete, and the reply, forward and send-again buttons, whose commands live elsewhere.
class SavedFoldersTab : public QObject {
    Q_OBJECT
public:
    struct Context {
        QWidget *page;        // holds the preview pane
        WebPane &previewPane; // WebBrowser2
        Messages &messages;
        QString mainDir;
    };
    SavedFoldersTab(Context context, QObject *parent = nullptr);

    FolderListBox *folderList() const { return m_folders; }
    QComboBox *moveTargetList() const { return m_moveTarget; }
    MessageListModel &model() const { return *m_model; }
    SavedFoldersSearch &search() const { return *m_search; }
    // Set once the four folder lists are built.
    void setFolderLists(FolderLists *lists) { m_lists = lists; }

    void ComboFolders2_Click();
    void CommandMove_Click();
    void CommandDelete_Click();
    // Asked before a saved message is deleted; No is the default.
    static QString deleteQuestion(const QString &subject);
    void RemoveFolder_Click();
    void ListMsg_ColumnClick(int column);
    void focusMessageList();

    // Opens the saved-messages folder in the desktop's file manager; replaceable in tests.
    void setFolderOpener(std::function<bool(const QUrl &)> opener) { m_openFolder = std::move(opener); }

signals:
    void newFolderRequested();
    // "Export Folder as mbox..." from the folder list's context menu.
    void exportRequested(const QString &folder);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *createFolderPanel(QWidget *page);
    QWidget *createMessageButtons(QWidget *page);
    QWidget *createListPanel(QWidget *page);
    void listFolder(const QString &folder);
    void watchListedFolder();
    void relistKeepingSelection();
    void showNoMessage();
    void showSentButtons(bool sent);
    void showFolderMenu(const QPoint &at);
    void onSelectionChanged(const QItemSelection &selected);
    void preview(int row);
    void removeRowAndShowNext(int row);
    void setMessageButtonsEnabled(bool enabled);
    int selectedRow() const;
    void onDragEnded();

    Context m_context;
    FolderLists *m_lists = nullptr;
    FolderListBox *m_folders = nullptr;
    MessageListView *m_list = nullptr;
    SearchBar *m_searchBar = nullptr;
    SavedFoldersSearch *m_search = nullptr;
    MessageListModel *m_model = nullptr;
    QComboBox *m_moveTarget = nullptr;
    QPushButton *m_replyText = nullptr;
    QPushButton *m_replyNoText = nullptr;
    QPushButton *m_forward = nullptr;
    QPushButton *m_sendAgain = nullptr;
    QPushButton *m_delete = nullptr;
    QPushButton *m_move = nullptr;
    QString m_listedFolder;
    // Watches the folder listed, so that a message saved, moved or imported into it shows at
    // once. Made with the first listing: the kernel's watch instance behind it costs tens of
    // milliseconds to end, at every exit.
    QFileSystemWatcher *m_watcher = nullptr;
    bool m_tabShown = false;
    QString m_previewed;
    bool m_dragging = false;
    // How a numeric date in a file name is read.
    const LooseDate::Order m_dateOrder = LooseDate::systemOrder();
    std::function<bool(const QUrl &)> m_openFolder;
};
