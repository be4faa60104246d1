// The saved-message folders' part of the main window.
#include "shell/main_form.h"

#include "base/settings.h"
#include "shell/settings_panel.h"
#include "shell/tab_navigator.h"
#include "store/folder_exporter.h"
#include "store/folder_lists.h"
#include "store/message_importer.h"
#include "store/message_store.h"
#include "webpages/compose_form.h"
#include "webpages/service_origin.h"
#include "webpages/web_pane.h"

#include <QAction>
#include <QHBoxLayout>
#include <QMenu>

void MainForm::createStore() {
    auto *store =
        new MessageStore({m_settings.get(Keys::MainDir), webBrowser(1), webBrowser(2), savedFoldersPage(),
                          settingsPanel()->comboFolders3(), pageState(), messages(), m_settings,
                          [this] { return tabs().selected(); }, [this](int tab) { tabs().select(tab); },
                          [this](const QString &text) { setStatusPanel(2, text); }},
                         this);
    inboxBar()->insertWidget(0, store->captureBar());
    auto *exportFolder = new QAction(QStringLiteral("&Export Folder as mbox..."), fileMenu());
    exportFolder->setObjectName(QStringLiteral("ExportFolder"));
    fileMenu()->insertAction(fileMenu()->actions().value(0), exportFolder);
    connect(exportFolder, &QAction::triggered, store,
            [store] { store->exporter().exportFolder(store->folderLists().browsedFolder()); });
    auto *importMessages = new QAction(QStringLiteral("Import &Messages..."), fileMenu());
    importMessages->setObjectName(QStringLiteral("ImportMessages"));
    fileMenu()->insertAction(exportFolder, importMessages);
    connect(importMessages, &QAction::triggered, store,
            [store] { store->importer().importInto(store->folderLists().browsedFolder()); });

    // "Message Saved" speaks of the message on show: another page or tab takes it away.
    connect(&tabs(), &TabNavigator::tabChangeStarted, store, &MessageStore::hideSavedLabel);
    connect(&webBrowser(1), &QWebEngineView::urlChanged, store, &MessageStore::hideSavedLabel);
    connect(&tabs(), &TabNavigator::savedFoldersShown, store, &MessageStore::focusMessageList);
    connect(&tabs(), &TabNavigator::composeShown, this, [this] {
        ComposeForm::ClearComposeForm(
            pageState(), serviceOrigin().service(webBrowser(1).locationUrl()).name(), webBrowser(3));
    });
}
