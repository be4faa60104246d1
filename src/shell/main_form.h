#pragma once

#include "shell/startup.h"
#include "webpages/blog_post.h"
#include "webpages/page_state.h"

#include <QMainWindow>

class AddressBookPane;
class EditorPanel;
class Messages;
class NavigationBar;
class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QFrame;
class QHBoxLayout;
class QSplitter;
class QStackedWidget;
class QStatusBar;
class QTabBar;
class Settings;
class ServiceOrigin;
class SettingsPanel;
class SignInController;
class LinkImageDialogs;
class TableDialogs;
class TabNavigator;
class WebPane;

// The main window. It builds the window's parts, runs start-up and shutdown, and connects the
// subsystems; each subsystem keeps its own behaviour.
class MainForm : public QMainWindow {
    Q_OBJECT
public:
    struct Options {
        bool showSplash = true;
        bool quitAfterStart = false; // close as soon as the welcome page has loaded
    };
    MainForm(Settings &settings, Messages &messages, Options options);
    ~MainForm() override;

    // Start-up: reads the settings, places the window, loads the welcome page.
    void Form_Load();

    Settings &settings() { return m_settings; }
    Messages &messages() { return m_messages; }
    PageState &pageState() { return m_pageState; }
    const StartupValues &startupValues() const { return m_startup; }
    TabNavigator &tabs() { return *m_tabs; }
    AddressBookPane &addressBookPane() { return *m_addressPane; }
    WebPane &webBrowser(int number) const;
    // Where subsystems put their controls.
    QHBoxLayout *inboxBar() const { return m_inboxBar; }
    QHBoxLayout *composeBar() const { return m_composeBar; }
    QWidget *savedFoldersPage() const { return m_savedFoldersPage; }
    SettingsPanel *settingsPanel() const { return m_settingsPanel; }
    QFrame *editorPanel() const { return m_editorPanel; }
    // The visual HTML editor in that panel, with the shared selection operations.
    EditorPanel &editor() { return *m_editor; }
    QMenu *fileMenu() const { return m_fileMenu; }
    QStatusBar *statusBar1() const { return m_statusBar; }
    void setStatusPanel(int panel, const QString &text);

    void showPositionEditorDialog();
    // Places the editor panel over the main pane at `ed_top` with height `ed_ht`.
    void placeEditorPanel();
    // The editor follows the main pane as the window or the address-book pane changes its size.
    void keepEditorOnMainPane();
    // Places it over the blog post page's body field ("Place Editor over Page").
    void placeEditorOverPost();
    // Switches the blog-post footer on or off for this run and keeps its identifier and text.
    void applyBlogFooter(const BlogPost::Footer &footer);

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // The recorded web-mail service's origin, as the settings file holds it now.
    ServiceOrigin serviceOrigin() const;
    // Each subsystem's part of the window, in a file of its own.
    void createStore();
    void createAddressBook();
    // The book open at the last exit, and the address palette when it is to show at start-up.
    void reopenAddressBook();
    void createCompose();
    void createMailMerge();
    void createEditor();
    void createBlogFooter();
    void showBlogFooterDialog();
    void createSpelling();
    void createMenus();
    void createHelpMenu();
    void showAbout();
    QWidget *createWorkArea();
    QWidget *createInboxPage();
    void createStatusBar();
    void setReadingOrder();
    void connectPanes();
    void applyPlacement();
    void Form_Unload();
    void startCompanion();
    void toggleAddressPane();

    Settings &m_settings;
    Messages &m_messages;
    Options m_options;
    StartupValues m_startup;
    PageState m_pageState;
    bool m_loaded = false;    // start-up has finished
    bool m_closeHeld = false; // a close came before it had
    bool m_unloaded = false;
    bool m_doAffiliate = false;
    bool m_editorOverPost = false; // the editor lies over the post page's body field
    QString m_postLossAnswered;    // the warning about stripped parts the user last answered
    bool m_postLossAccepted = false;

    WebPane *m_panes[4] = {};
    QSplitter *m_splitter = nullptr;
    AddressBookPane *m_addressPane = nullptr;
    QPushButton *m_showAddress = nullptr;
    QTabBar *m_tabBar = nullptr;
    QStackedWidget *m_pages = nullptr;
    TabNavigator *m_tabs = nullptr;
    NavigationBar *m_navigation = nullptr;
    SettingsPanel *m_settingsPanel = nullptr;
    QCheckBox *m_checkAutoLog = nullptr;
    QFrame *m_editorPanel = nullptr;
    EditorPanel *m_editor = nullptr;
    TableDialogs *m_tableDialogs = nullptr;
    LinkImageDialogs *m_linkImageDialogs = nullptr;
    QHBoxLayout *m_inboxBar = nullptr;
    QHBoxLayout *m_editorBar = nullptr;
    QHBoxLayout *m_composeBar = nullptr;
    QWidget *m_savedFoldersPage = nullptr;
    QMenu *m_fileMenu = nullptr;
    QStatusBar *m_statusBar = nullptr;
    QLabel *m_statusPanels[3] = {};
    QProgressBar *m_progress = nullptr;
    QAction *m_addressMenuAction = nullptr;
    SignInController *m_signIn = nullptr;
};
