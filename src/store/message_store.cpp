#include "store/message_store.h"

#include "base/themed_icon.h"
#include "store/dialog_new_folder.h"
#include "store/folder_exporter.h"
#include "store/folder_list_box.h"
#include "store/folder_lists.h"
#include "store/message_capture.h"
#include "store/message_importer.h"
#include "store/saved_folders_tab.h"

#include "base/settings.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

MessageStore::MessageStore(Context context, QWidget *parent)
    : QObject(parent)
    , m_context(std::move(context))
    , m_runDialog([](DialogNewFolder &dialog) { dialog.exec(); }) {
    setObjectName(QStringLiteral("MessageStore"));
    m_captureBar = createCaptureBar(parent);
    m_tab = new SavedFoldersTab(
        {m_context.savedFoldersPage, m_context.previewPane, m_context.messages, m_context.mainDir}, this);
    m_lists = new FolderLists(
        {m_captureTarget, m_tab->folderList(), m_context.defaultFolderList, m_tab->moveTargetList()},
        m_context.mainDir, this);
    m_tab->setFolderLists(m_lists);
    m_capture = new MessageCapture({m_context.inboxPane, m_context.pageState, m_context.messages,
                                    m_context.mainDir, m_context.selectedTab, m_context.selectTab,
                                    [this] { return m_context.settings.get(Keys::Service); }},
                                   *m_lists, this);
    m_capture->setObjectName(QStringLiteral("MessageCapture"));

    m_exporter = new FolderExporter(m_context.mainDir, m_context.messages, parent, this);
    m_exporter->setObjectName(QStringLiteral("FolderExporter"));
    m_importer = new MessageImporter(m_context.mainDir, m_context.messages, parent, this);

    // One made on the folders tab is browsed there; Save Msg keeps its folder.
    connect(m_tab, &SavedFoldersTab::newFolderRequested, this,
            [this] { showNewFolderDialog(FolderLists::Capture::KeptFolder); });
    connect(m_tab, &SavedFoldersTab::exportRequested, m_exporter, &FolderExporter::exportFolder);
    connect(m_capture, &MessageCapture::saved, this, [this] {
        m_savedLabel->show();
        m_context.showStatus(QStringLiteral("Msg Saved"));
    });

    connect(m_context.defaultFolderList, &QComboBox::activated, this,
            [this](int index) { chooseDefaultFolder(m_context.defaultFolderList->itemText(index)); });

    // Start-up: every folder listed, the default one the capture target and browsed; without
    // it, the first folder is the capture target.
    m_lists->setDefaultFolder(m_context.settings.get(Keys::DefaultFolder));
    m_lists->rebuild(m_lists->defaultFolder());
    if (m_captureTarget->currentIndex() < 0 && m_captureTarget->count() > 0)
        m_captureTarget->setCurrentIndex(0);
}

void MessageStore::chooseDefaultFolder(const QString &folder) {
    m_context.settings.set(Keys::DefaultFolder, folder);
    m_lists->setDefaultFolder(folder);
    m_captureTarget->setCurrentIndex(m_captureTarget->findText(folder));
}

QWidget *MessageStore::createCaptureBar(QWidget *parent) {
    auto *bar = new QWidget(parent);
    bar->setObjectName(QStringLiteral("CaptureBar"));
    auto *getBody = new QPushButton(QStringLiteral("&Save Msg <<"), bar);
    getBody->setObjectName(QStringLiteral("GetBody"));
    m_captureTarget = new QComboBox(bar);
    m_captureTarget->setObjectName(QStringLiteral("ComboFolders"));
    m_captureTarget->setMinimumContentsLength(12);
    auto *newFolder = new QToolButton(bar);
    newFolder->setObjectName(QStringLiteral("Command6"));
    newFolder->setIcon(themedIcon("folder-new"));
    newFolder->setToolTip(QStringLiteral("New Folder"));
    m_savedLabel = new QLabel(QStringLiteral("Message Saved"), bar);
    m_savedLabel->setObjectName(QStringLiteral("LabelSaved"));
    m_savedLabel->hide();

    auto *layout = new QHBoxLayout(bar);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(getBody);
    layout->addWidget(m_captureTarget);
    layout->addWidget(newFolder);
    layout->addWidget(m_savedLabel);
    connect(getBody, &QPushButton::clicked, this, [this] { m_capture->GetBody_Click(); });
    // A folder made beside Save Msg is where the next message goes.
    connect(newFolder, &QToolButton::clicked, this,
            [this] { showNewFolderDialog(FolderLists::Capture::SelectedFolder); });
    return bar;
}

void MessageStore::showNewFolderDialog(FolderLists::Capture capture) {
    DialogNewFolder dialog(m_context.mainDir, m_context.messages, m_captureBar->window());
    connect(&dialog, &DialogNewFolder::folderCreated, this,
            [this, capture](const QString &name) { m_lists->rebuild(name, capture); });
    m_runDialog(dialog);
}

void MessageStore::hideSavedLabel() {
    m_savedLabel->hide();
}

void MessageStore::focusMessageList() {
    m_tab->focusMessageList();
}
