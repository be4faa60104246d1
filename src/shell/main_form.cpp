#include "shell/main_form.h"

#include "base/messages.h"
#include "base/settings.h"
#include "base/startup_profile.h"
#include "base/twips.h"
#include "editor/editor_panel.h"
#include "editor/link_image_dialogs.h"
#include "editor/table_dialogs.h"
#include "shell/address_book_pane.h"
#include "shell/dialog_pos_editor.h"
#include "shell/navigation_bar.h"
#include "shell/reading_order.h"
#include "shell/settings_panel.h"
#include "shell/splash_form.h"
#include "shell/tab_navigator.h"
#include "webpages/compose_pane.h"
#include "webpages/service_origin.h"
#include "webpages/sign_in_controller.h"
#include "webpages/web_pane.h"
#include "webpages/web_profile.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabBar>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
// The window's designed placement, used until the user's own is stored.
constexpr QSize designedSize(1100, 760);
} // namespace

MainForm::MainForm(Settings &settings, Messages &messages, Options options)
    : m_settings(settings)
    , m_messages(messages)
    , m_options(options) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(Messages::title());
    resize(designedSize);

    // The main pane's welcome page is a local file that signs in to the web service.
    m_panes[0] = new WebPane(WebPane::PageScripts::Enabled, WebPane::LocalPages::MayReachServices, this);
    // Saved messages are shown, never run: their own scripts stay off, they reach nothing and lead
    // nowhere (a refresh, a link or a form in one leaves the preview where it is).
    m_panes[1] = new WebPane(WebPane::PageScripts::Disabled, WebPane::LocalPages::Sealed, this);
    m_panes[1]->webPage().setNavigation(WebPage::Navigation::OwnLoadsOnly);
    m_panes[2] = new WebPane(WebPane::PageScripts::Enabled, WebPane::LocalPages::Sealed, this);
    m_panes[3] = new WebPane(WebPane::PageScripts::Enabled, WebPane::LocalPages::Sealed, this);
    for (int i = 0; i < 4; ++i)
        m_panes[i]->setObjectName(QStringLiteral("WebBrowser%1").arg(i + 1));
    // The welcome page starts loading before the rest of the window is built, so that its page
    // process starts meanwhile. Nothing of it arrives before the event loop runs, by which time
    // Form_Load has set up what follows the page.
    m_panes[0]->navigate(welcomePagePath(m_settings.get(Keys::MainDir)));
    StartupProfile::mark("browser panes");

    const QString serviceUrl = m_settings.get(Keys::ServiceUrl);
    m_navigation = new NavigationBar(*m_panes[0], *m_panes[2], serviceUrl, this);
    addToolBar(m_navigation);

    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setObjectName(QStringLiteral("splitter"));
    m_splitter->setChildrenCollapsible(false);
    // The bar is drawn while dragging and the layout follows on release.
    m_splitter->setOpaqueResize(false);
    m_showAddress = new QPushButton(QStringLiteral("Show Address Book Pane"), this);
    m_showAddress->setObjectName(QStringLiteral("CommandShowAddress"));
    m_addressPane = new AddressBookPane(*m_splitter, *m_showAddress, m_splitter);
    m_splitter->addWidget(m_addressPane);
    m_splitter->addWidget(createWorkArea());
    m_splitter->handle(1)->setObjectName(QStringLiteral("imgSplitter"));
    setCentralWidget(m_splitter);

    m_settingsPanel = qobject_cast<SettingsPanel *>(m_pages->widget(TabNavigator::SettingsTab - 1));
    // The program's data goes only into the recorded service's pages (and the welcome page).
    m_panes[0]->keepWritesOn({[this] { return serviceOrigin().text(); },
                              [this] { return QDir::cleanPath(welcomePagePath(m_startup.mainDir)); }});
    m_panes[2]->keepWritesOn({[this] { return serviceOrigin().text(); }, {}});
    auto *composePane = new ComposePane(
        *m_panes[0], *m_panes[2], [this] { return serviceOrigin(); }, this);
    composePane->setObjectName(QStringLiteral("ComposePane"));
    m_tabs = new TabNavigator(*m_tabBar, *m_pages, {*m_panes[0], *m_panes[2], *m_panes[3]}, *composePane,
                              m_pageState, serviceUrl, this);
    m_signIn = new SignInController(
        *m_panes[0], m_settings, m_messages, [this] { return m_checkAutoLog->isChecked(); },
        [this] { return welcomePagePath(m_startup.mainDir); }, this);
    connect(m_signIn, &SignInController::serviceRecorded, this, [this](const QString &address) {
        m_navigation->setServiceUrl(address);
        m_tabs->setServiceUrl(address);
        m_settingsPanel->setServiceUrl(address);
    });
    // The Settings tab says where the stored sign-in is kept.
    QLabel *signInPlace = m_settingsPanel->labelSignInPlace();
    const PasswordStore &passwords = m_signIn->passwords();
    const auto showPlace = [signInPlace, &passwords] { signInPlace->setText(passwords.placeText()); };
    connect(&passwords, &PasswordStore::placeChanged, signInPlace, showPlace);
    showPlace();
    connect(m_settingsPanel, &SettingsPanel::forgetWebRequested, this, [this] {
        if (m_messages.ask(WebProfile::forgetQuestion(), Messages::Buttons::YesNo, Messages::Answer::No) ==
            Messages::Answer::Yes)
            WebProfile::forgetSites();
    });

    createMenus();
    StartupProfile::mark("createMenus");
    createStatusBar();
    connectPanes();
    createStore();
    StartupProfile::mark("createStore");
    createAddressBook();
    StartupProfile::mark("createAddressBook");
    createCompose();
    StartupProfile::mark("createCompose");
    createMailMerge();
    StartupProfile::mark("createMailMerge");
    createEditor();
    StartupProfile::mark("createEditor");
    createBlogFooter();
    StartupProfile::mark("createBlogFooter");
    m_tableDialogs = new TableDialogs(*m_editor, m_messages, this);
    createSpelling();
    StartupProfile::mark("createSpelling");
    m_linkImageDialogs = new LinkImageDialogs(*m_editor, m_messages, this);
    setReadingOrder();
}

ServiceOrigin MainForm::serviceOrigin() const {
    return ServiceOrigin(m_settings.get(Keys::ServiceUrl), m_settings.get(Keys::Service));
}

void MainForm::setReadingOrder() {
    // Tab walks each page's controls as they read: row by row, left to right, a frame at a time.
    // The controls come from several subsystems, so the order is set once all are in place.
    const QStringList pages[] = {
        {u"Command1"_s, u"Command2"_s, u"GetBody"_s, u"ComboFolders"_s, u"Command6"_s, u"CheckAutoLog"_s,
         u"CheckSaveSent"_s, u"CheckNormal"_s, u"CheckHTMLSource"_s, u"CommandBlogFooter"_s},
        {u"CommandTemplate"_s, u"ComboTemplate"_s, u"Command4"_s, u"Command5"_s},
        {u"ComboFolders2"_s, u"CommandAddFolder"_s, u"RemoveFolder"_s, u"TextSearch"_s, u"ComboSearchScope"_s,
         u"CheckSearchText"_s, u"ListMsg"_s, u"CommandReplyText"_s, u"CommandReplyNoText"_s,
         u"CommandForward"_s, u"CommandSendAgain"_s, u"CommandDelete"_s, u"CommandMove"_s,
         u"ComboFolders4"_s},
        {u"Command7"_s, u"TextSpam"_s, u"CheckNonEnglish"_s, u"CheckSpamUnread"_s, u"ComboUnread"_s,
         u"OptionH"_s, u"TextHotmail"_s, u"OptionY"_s, u"TextYahoo"_s, u"CheckGotoInbox"_s,
         u"CommandDefBrowser"_s, u"CheckEmail"_s, u"SpellOptions"_s, u"ComboTemplate2"_s, u"ComboFolders3"_s,
         u"CommandForgetWeb"_s},
    };
    for (const QStringList &page : pages)
        ReadingOrder::chain(*this, page);
}

MainForm::~MainForm() = default;

WebPane &MainForm::webBrowser(int number) const {
    return *m_panes[number - 1];
}

QWidget *MainForm::createWorkArea() {
    auto *area = new QWidget(this);
    m_tabBar = new QTabBar(area);
    m_tabBar->setObjectName(QStringLiteral("TabStrip2"));
    // Each tab's letter is used by no menu and no control of any tab.
    for (const char *caption :
         {"In&box/Login", "&Compose", "Saved Message Folders (&local)", "Cal&endar", "Se&ttings"})
        m_tabBar->addTab(QString::fromLatin1(caption));
    m_tabBar->setExpanding(false);
    // Where the tabs do not fit, their scroll arrows are for the mouse: the keys switch tabs.
    for (const char *arrow : {"ScrollLeftButton", "ScrollRightButton"}) {
        if (auto *button = m_tabBar->findChild<QWidget *>(QString::fromLatin1(arrow)))
            button->setFocusPolicy(Qt::NoFocus);
    }

    m_pages = new QStackedWidget(area);
    m_pages->addWidget(createInboxPage());
    // The compose frame's bar (templates, mail merge) sits above the compose pane.
    auto *composePage = new QWidget(area);
    composePage->setObjectName(QStringLiteral("ComposePage"));
    m_composeBar = new QHBoxLayout;
    auto *composeLayout = new QVBoxLayout(composePage);
    composeLayout->setContentsMargins(0, 2, 0, 0);
    composeLayout->addLayout(m_composeBar);
    composeLayout->addWidget(m_panes[2], 1);
    m_pages->addWidget(composePage);
    // The saved-folders tab lays out its own controls around the preview pane.
    m_savedFoldersPage = new QWidget(area);
    m_savedFoldersPage->setObjectName(QStringLiteral("SavedFoldersPage"));
    m_panes[1]->setParent(m_savedFoldersPage);
    m_pages->addWidget(m_savedFoldersPage);
    m_pages->addWidget(m_panes[3]);
    m_pages->addWidget(new SettingsPanel(m_settings.get(Keys::ServiceUrl), area));

    auto *top = new QHBoxLayout;
    top->addWidget(m_showAddress);
    top->addWidget(m_tabBar, 1);
    auto *layout = new QVBoxLayout(area);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(0);
    layout->addLayout(top);
    layout->addWidget(m_pages, 1);
    area->setMinimumWidth(Twips::toPixels(750));
    return area;
}

QWidget *MainForm::createInboxPage() {
    auto *page = new QWidget(this);
    page->setObjectName(QStringLiteral("InboxPage"));
    m_checkAutoLog = new QCheckBox(QStringLiteral("Sign in Automatically"), page);
    m_checkAutoLog->setObjectName(QStringLiteral("CheckAutoLog"));
    m_inboxBar = new QHBoxLayout;
    m_inboxBar->setObjectName(QStringLiteral("inboxBar"));
    m_inboxBar->addStretch(1);
    m_inboxBar->addWidget(m_checkAutoLog);
    // The editor's mode switches and blog footer get a row of their own: beside the inbox's
    // commands they would cut captions at the window's designed size.
    m_editorBar = new QHBoxLayout;
    m_editorBar->setObjectName(QStringLiteral("editorBar"));
    m_editorBar->addStretch(1);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 2, 0, 0);
    layout->addLayout(m_inboxBar);
    layout->addLayout(m_editorBar);
    layout->addWidget(m_panes[0], 1);

    // The editor panel lies over the main pane, outside the layout.
    m_editorPanel = new QFrame(page);
    m_editorPanel->setObjectName(QStringLiteral("PictureBlog"));
    m_editorPanel->setFrameShape(QFrame::StyledPanel);
    m_editorPanel->hide();
    return page;
}

void MainForm::createMenus() {
    m_fileMenu = menuBar()->addMenu(QStringLiteral("&File"));
    QAction *exit = m_fileMenu->addAction(QStringLiteral("E&xit"), this, &QWidget::close);
    exit->setObjectName(QStringLiteral("exit"));
    exit->setShortcut(QKeySequence::Quit);

    QMenu *view = menuBar()->addMenu(QStringLiteral("&View"));
    m_addressMenuAction =
        view->addAction(QStringLiteral("Show Address Book Pane"), this, &MainForm::toggleAddressPane);
    m_addressMenuAction->setObjectName(QStringLiteral("mnuAddressPane"));
    connect(m_addressPane, &AddressBookPane::visibilityChanged, this, [this](bool shown) {
        m_addressMenuAction->setText(shown ? QStringLiteral("Hide Address Book Pane")
                                           : QStringLiteral("Show Address Book Pane"));
    });
    view->addAction(QStringLiteral("&Position Editor..."), this, &MainForm::showPositionEditorDialog);

    createHelpMenu();
}

void MainForm::toggleAddressPane() {
    if (m_addressMenuAction->text() == QLatin1String("Show Address Book Pane"))
        m_addressPane->showPane();
    else
        m_addressPane->hidePane();
}

void MainForm::createStatusBar() {
    m_statusBar = new QStatusBar(this);
    m_statusBar->setObjectName(QStringLiteral("StatusBar1"));
    for (int i = 0; i < 3; ++i) {
        m_statusPanels[i] = new QLabel(m_statusBar);
        m_statusPanels[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i + 1));
        m_statusBar->addWidget(m_statusPanels[i], i == 2 ? 1 : 0);
    }
    m_statusPanels[0]->setText(Messages::title());
    m_progress = new QProgressBar(m_statusBar);
    m_progress->setObjectName(QStringLiteral("Progress1"));
    m_progress->setMaximumWidth(200);
    m_progress->hide();
    m_statusBar->addPermanentWidget(m_progress);
    setStatusBar(m_statusBar);
}

void MainForm::setStatusPanel(int panel, const QString &text) {
    m_statusPanels[panel - 1]->setText(text);
}

void MainForm::connectPanes() {
    for (WebPane *pane : m_panes) {
        connect(pane, &WebPane::statusTextChanged, this, [this, pane](const QString &text) {
            if (pane->isVisible())
                setStatusPanel(3, text);
        });
    }
    connect(m_panes[0], &WebPane::progressChanged, this, [this](int progress, int maximum) {
        const bool loading = progress >= 1 && progress < maximum;
        if (loading) {
            m_progress->setMaximum(maximum);
            m_progress->setValue(progress);
        }
        m_progress->setVisible(loading);
    });
    connect(m_tabs, &TabNavigator::tabChangeStarted, this, [this] { setStatusPanel(2, QString()); });
    // The address box tells the page on show: the compose page, the calendar, else the main pane.
    connect(m_tabBar, &QTabBar::currentChanged, m_navigation, [this](int index) {
        m_navigation->follow(*m_panes[index == TabNavigator::Compose - 1    ? 2
                                      : index == TabNavigator::Calendar - 1 ? 3
                                                                            : 0]);
    });
    connect(m_navigation, &NavigationBar::goRequested, this, [this] {
        if (m_tabs->selected() != TabNavigator::InboxLogin)
            m_tabs->select(TabNavigator::InboxLogin);
    });
    connect(m_settingsPanel, &SettingsPanel::startPageChosen, this,
            [this](const QString &address) { m_navigation->addressCombo()->setEditText(address); });
}
