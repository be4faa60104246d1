#pragma once

#include "store/folder_lists.h"

#include <QObject>

#include <functional>

class DialogNewFolder;
class FolderExporter;
class MessageImporter;

class Messages;
class MessageCapture;
class QComboBox;
class QLabel;
class QWidget;
class SavedFoldersTab;
class Settings;
class WebPane;
struct PageState;

// The local message store's part of the main window: the capture controls above the main pane
// ("&Save Msg <<", ComboFolders, the new-folder button, "Message Saved"), the saved-folders tab,
// and the four folder lists that both keep in step.
class MessageStore : public QObject {
    Q_OBJECT
public:
    struct Context {
        QString mainDir;
        WebPane &inboxPane;   // WebBrowser1
        WebPane &previewPane; // WebBrowser2
        QWidget *savedFoldersPage;
        QComboBox *defaultFolderList; // ComboFolders3, on the Settings tab
        PageState &pageState;
        Messages &messages;
        Settings &settings; // keeps the default folder
        std::function<int()> selectedTab;
        std::function<void(int)> selectTab;
        std::function<void(const QString &)> showStatus; // the status bar's second panel
    };
    MessageStore(Context context, QWidget *parent);

    // The controls for the inbox tab's bar.
    QWidget *captureBar() const { return m_captureBar; }
    MessageCapture &capture() const { return *m_capture; }
    SavedFoldersTab &savedFoldersTab() const { return *m_tab; }
    FolderLists &folderLists() const { return *m_lists; }
    FolderExporter &exporter() const { return *m_exporter; }
    MessageImporter &importer() const { return *m_importer; }

    // "New Folder": creates a folder and makes it the capture target and the folder browsed.
    void showNewFolderDialog(FolderLists::Capture capture);
    // Runs the dialog; exec() unless a test drives it.
    void setNewFolderDialogRunner(std::function<void(DialogNewFolder &)> runner) {
        m_runDialog = std::move(runner);
    }

    void hideSavedLabel();
    void focusMessageList();

private:
    QWidget *createCaptureBar(QWidget *parent);
    void chooseDefaultFolder(const QString &folder);

    Context m_context;
    QWidget *m_captureBar = nullptr;
    QComboBox *m_captureTarget = nullptr;
    QLabel *m_savedLabel = nullptr;
    SavedFoldersTab *m_tab = nullptr;
    FolderLists *m_lists = nullptr;
    MessageCapture *m_capture = nullptr;
    FolderExporter *m_exporter = nullptr;
    MessageImporter *m_importer = nullptr;
    std::function<void(DialogNewFolder &)> m_runDialog;
};
