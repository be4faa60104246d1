#include "store/saved_folders_tab.h"

#include "base/messages.h"
#include "base/regular_file.h"
#include "store/folder_list_box.h"
#include "store/folder_lists.h"
#include "store/message_list_model.h"
#include "store/message_list_view.h"
#include "store/saved_folders.h"
#include "store/saved_folders_search.h"
#include "store/saved_message_file.h"
#include "store/search_bar.h"
#include "webpages/web_pane.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileSystemWatcher>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QVBoxLayout>

namespace {

QPushButton *button(const char *name, const char *caption, QWidget *parent) {
    auto *b = new QPushButton(QString::fromLatin1(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

} // namespace

SavedFoldersTab::SavedFoldersTab(Context context, QObject *parent)
    : QObject(parent)
    , m_context(std::move(context))
    , m_openFolder([](const QUrl &url) { return QDesktopServices::openUrl(url); }) {
    QWidget *page = m_context.page;
    m_model = new MessageListModel(this);
    page->installEventFilter(this);
    m_list = new MessageListView(page);
    m_list->setModel(m_model);

    auto *lower = new QWidget(page);
    auto *lowerLayout = new QVBoxLayout(lower);
    lowerLayout->setContentsMargins(0, 0, 0, 0);
    lowerLayout->addWidget(createMessageButtons(lower));
    lowerLayout->addWidget(&m_context.previewPane, 1);

    auto *split = new QSplitter(Qt::Vertical, page);
    split->addWidget(createListPanel(page));
    split->addWidget(lower);
    // A third for the list, the rest for the message shown; both grow alike.
    split->setSizes({1000, 2000});
    split->setChildrenCollapsible(false);

    auto *layout = new QHBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(createFolderPanel(page));
    layout->addWidget(split, 1);

    connect(m_folders, &QListWidget::currentRowChanged, this, &SavedFoldersTab::ComboFolders2_Click);
    connect(m_list->header(), &QHeaderView::sectionClicked, this, &SavedFoldersTab::ListMsg_ColumnClick);
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection &selected) { onSelectionChanged(selected); });
    connect(m_list, &MessageListView::dragStarted, this, [this] { m_dragging = true; });
    connect(m_list, &MessageListView::dragEnded, this, &SavedFoldersTab::onDragEnded);
    connect(m_moveTarget, &QComboBox::activated, this, &SavedFoldersTab::focusMessageList);
    connect(&m_context.previewPane, &WebPane::documentCompleted, this, [this] {
        if (m_context.previewPane.isVisible() &&
            !m_context.previewPane.locationUrl().toLower().contains(QLatin1String("blankmsg.htm")))
            focusMessageList();
    });
    setMessageButtonsEnabled(false);
    m_sendAgain->hide();

    m_search =
        new SavedFoldersSearch({*m_searchBar, *m_model, m_context.mainDir, [this] { return m_listedFolder; },
                                [this] { return m_lists ? m_lists->folders() : QStringList(); }},
                               m_dateOrder, this);
    connect(m_search, &SavedFoldersSearch::resultsStarted, this, &SavedFoldersTab::showNoMessage);
    connect(m_search, &SavedFoldersSearch::folderRequested, this, [this] { listFolder(m_listedFolder); });
    // The folder of each result is shown while results are.
    connect(m_model, &QAbstractItemModel::modelReset, this,
            [this] { m_list->setColumnHidden(MessageListModel::FolderColumn, !m_model->showingResults()); });
    auto *find = new QShortcut(QKeySequence::Find, page);
    find->setContext(Qt::WidgetWithChildrenShortcut);
    connect(find, &QShortcut::activated, m_searchBar, &SearchBar::focusField);
}

QWidget *SavedFoldersTab::createListPanel(QWidget *page) {
    auto *panel = new QWidget(page);
    m_searchBar = new SearchBar(panel);
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_searchBar);
    layout->addWidget(m_list, 1);
    return panel;
}

QWidget *SavedFoldersTab::createFolderPanel(QWidget *page) {
    auto *panel = new QWidget(page);
    panel->setObjectName(QStringLiteral("Picture2"));
    m_folders = new FolderListBox(panel);
    auto *caption = new QLabel(QStringLiteral("  Folders"), panel);
    caption->setBuddy(m_folders);
    QPushButton *add = button("CommandAddFolder", "&New Folder...", panel);
    QPushButton *manage = button("RemoveFolder", "Mana&ge Folders...", panel);
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(caption);
    layout->addWidget(m_folders, 1);
    layout->addWidget(add);
    layout->addWidget(manage);
    panel->setMaximumWidth(200);
    connect(add, &QPushButton::clicked, this, &SavedFoldersTab::newFolderRequested);
    m_folders->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_folders, &QWidget::customContextMenuRequested, this, &SavedFoldersTab::showFolderMenu);
    connect(manage, &QPushButton::clicked, this, &SavedFoldersTab::RemoveFolder_Click);
    return panel;
}

QWidget *SavedFoldersTab::createMessageButtons(QWidget *page) {
    auto *panel = new QWidget(page);
    panel->setObjectName(QStringLiteral("Picture3"));
    m_replyText = button("CommandReplyText", "&Reply (with original text)", panel);
    m_replyNoText = button("CommandReplyNoText", "Reply (&without text)", panel);
    m_forward = button("CommandForward", "F&orward", panel);
    m_sendAgain = button("CommandSendAgain", "Send &Again", panel);
    m_delete = button("CommandDelete", "&Delete", panel);
    m_move = button("CommandMove", "&Move to:", panel);
    m_moveTarget = new QComboBox(panel);
    m_moveTarget->setObjectName(QStringLiteral("ComboFolders4"));
    m_moveTarget->setMinimumContentsLength(12);
    // Two rows, so that beside the address book every caption shows whole.
    auto *answer = new QHBoxLayout;
    for (QPushButton *b : {m_replyText, m_replyNoText, m_forward, m_sendAgain})
        answer->addWidget(b);
    answer->addStretch(1);
    auto *file = new QHBoxLayout;
    file->addWidget(m_delete);
    file->addWidget(m_move);
    file->addWidget(m_moveTarget);
    file->addStretch(1);
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 2, 0, 2);
    layout->setSpacing(2);
    layout->addLayout(answer);
    layout->addLayout(file);
    connect(m_delete, &QPushButton::clicked, this, &SavedFoldersTab::CommandDelete_Click);
    connect(m_move, &QPushButton::clicked, this, &SavedFoldersTab::CommandMove_Click);
    return panel;
}

void SavedFoldersTab::ComboFolders2_Click() {
    // Filling the lists and hovering during a drag select folders without listing them.
    if (!m_lists || m_lists->rebuilding() || m_dragging)
        return;
    const QString folder = m_lists->browsedFolder();
    if (folder.isEmpty())
        return;
    m_search->end();
    listFolder(folder);
}

void SavedFoldersTab::listFolder(const QString &folder) {
    if (folder.isEmpty()) {
        m_model->clear();
        showNoMessage();
        return;
    }
    m_listedFolder = folder;
    if (!m_tabShown)
        return; // listed when the tab first shows
    const bool sent = SavedMessageFile::isSentFolder(folder);
    watchListedFolder();
    m_model->list(SavedFolders::folderPath(m_context.mainDir, folder),
                  sent ? MessageListModel::Layout::Sent : MessageListModel::Layout::Received, m_dateOrder);
    showSentButtons(sent);
    showNoMessage();
}

void SavedFoldersTab::watchListedFolder() {
    const QString path = SavedFolders::folderPath(m_context.mainDir, m_listedFolder);
    if (!m_watcher) {
        m_watcher = new QFileSystemWatcher(this);
        connect(m_watcher, &QFileSystemWatcher::directoryChanged, this,
                &SavedFoldersTab::relistKeepingSelection);
    }
    if (m_watcher->directories() == QStringList{path})
        return;
    if (!m_watcher->directories().isEmpty())
        m_watcher->removePaths(m_watcher->directories());
    m_watcher->addPath(path);
}

// A folder is listed and watched from the first time the tab shows: a large folder costs the
// start-up nothing, and ending a watch costs tens of milliseconds at every exit.
bool SavedFoldersTab::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_context.page && event->type() == QEvent::Show && !m_tabShown) {
        m_tabShown = true;
        // The columns are set up here too: each change has the list measure its header, in a
        // font of its own, even while hidden. The file name and the day count are for the
        // program's use. The list sizes the others to its width.
        m_list->setColumnHidden(MessageListModel::FileColumn, true);
        m_list->setColumnHidden(MessageListModel::SortKeyColumn, true);
        m_list->setColumnHidden(MessageListModel::FolderColumn, !m_model->showingResults());
        listFolder(m_listedFolder);
    }
    return QObject::eventFilter(watched, event);
}

void SavedFoldersTab::relistKeepingSelection() {
    // Search results and a drag in progress stay as they are.
    if (m_listedFolder.isEmpty() || m_model->showingResults() || m_dragging)
        return;
    const int row = selectedRow();
    const QString selected = row >= 0 ? m_model->filePath(row) : QString();
    m_model->list(SavedFolders::folderPath(m_context.mainDir, m_listedFolder), m_model->layout(),
                  m_dateOrder);
    for (int i = 0; !selected.isEmpty() && i < m_model->rowCount(); ++i) {
        if (m_model->filePath(i) == selected) {
            m_list->setCurrentIndex(m_model->index(i, 0));
            return;
        }
    }
    if (!selected.isEmpty())
        showNoMessage();
}

void SavedFoldersTab::showSentButtons(bool sent) {
    m_replyNoText->setHidden(sent);
    m_replyText->setHidden(sent);
    m_forward->setHidden(sent);
    m_sendAgain->setVisible(sent);
}

void SavedFoldersTab::showNoMessage() {
    m_previewed.clear();
    // The empty message is loaded when the tab shows, not behind it (as at start-up).
    m_context.previewPane.navigateWhenShown(
        QDir(m_context.mainDir.isEmpty() ? QStringLiteral(".") : m_context.mainDir)
            .absoluteFilePath(QStringLiteral("blankmsg.htm")));
    m_list->clearSelection();
    setMessageButtonsEnabled(false);
}

void SavedFoldersTab::ListMsg_ColumnClick(int column) {
    const Qt::SortOrder order = m_model->columnClicked(column);
    m_list->header()->setSortIndicator(column, order);
}

void SavedFoldersTab::onSelectionChanged(const QItemSelection &selected) {
    if (selected.isEmpty())
        return;
    preview(selected.indexes().first().row());
}

void SavedFoldersTab::preview(int row) {
    const QString path = m_model->filePath(row);
    // A sort keeps the message selected; it is shown already.
    if (RegularFile::isSpecial(path)) {
        m_previewed.clear();
        m_context.messages.inform(RegularFile::refusal(path));
        return;
    }
    if (path != m_previewed) {
        m_previewed = path;
        m_context.previewPane.navigate(QFileInfo(path).absoluteFilePath());
    }
    // A search result offers what its own folder's listing would.
    if (m_model->showingResults())
        showSentButtons(SavedMessageFile::isSentFolder(m_model->folder(row)));
    for (QPushButton *b : {m_replyText, m_replyNoText, m_forward, m_sendAgain, m_delete})
        b->setEnabled(true);
    m_move->setEnabled(m_sendAgain->isHidden());
    focusMessageList();
}

int SavedFoldersTab::selectedRow() const {
    const QModelIndexList rows = m_list->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void SavedFoldersTab::CommandMove_Click() {
    if (m_moveTarget->currentIndex() < 0) {
        m_context.messages.inform(QStringLiteral("You must select the folder you want to move the file to."));
        m_moveTarget->setFocus();
        return;
    }
    const QString target = m_moveTarget->currentText();
    const int row = selectedRow();
    if (row < 0)
        return;
    const QString source = m_model->showingResults() ? m_model->folder(row) : m_listedFolder;
    if (target.toLower() == source.toLower())
        return;
    const QString from = m_model->filePath(row);
    const QString to =
        SavedFolders::folderPath(m_context.mainDir, target) + u'/' + m_model->message(row).fileName;
    // A message of the same name in the target stays; the move is refused instead.
    if (QFile::exists(to) || !QFile::rename(from, to)) {
        m_context.messages.inform(QStringLiteral("There was an error in attempting to move this file."));
        return;
    }
    removeRowAndShowNext(row);
}

QString SavedFoldersTab::deleteQuestion(const QString &subject) {
    return QStringLiteral("Delete the message \"%1\"? A deleted message cannot be brought back.")
        .arg(subject);
}

void SavedFoldersTab::CommandDelete_Click() {
    const int row = selectedRow();
    // A deleted message is gone for good: it goes only when the user says so.
    if (row < 0 ||
        m_context.messages.ask(deleteQuestion(m_model->message(row).subject), Messages::Buttons::YesNo,
                               Messages::Answer::No) != Messages::Answer::Yes)
        return;
    if (!QFile::remove(m_model->filePath(row)))
        return;
    removeRowAndShowNext(row);
}

void SavedFoldersTab::removeRowAndShowNext(int row) {
    m_model->removeRows(row, 1);
    const int left = m_model->rowCount();
    if (left == 0) {
        setMessageButtonsEnabled(false);
        return;
    }
    const QModelIndex next = m_model->index(qMin(row, left - 1), 0);
    m_list->selectionModel()->setCurrentIndex(next, QItemSelectionModel::ClearAndSelect |
                                                        QItemSelectionModel::Rows);
    m_list->scrollTo(next);
}

void SavedFoldersTab::RemoveFolder_Click() {
    m_openFolder(
        QUrl::fromLocalFile(QFileInfo(SavedFolders::rootPath(m_context.mainDir)).absoluteFilePath()));
}

void SavedFoldersTab::showFolderMenu(const QPoint &at) {
    const QListWidgetItem *item = m_folders->itemAt(at);
    if (!item)
        return;
    const QString folder = item->text();
    QMenu menu(m_folders);
    menu.addAction(QStringLiteral("Export Folder as mbox..."), this,
                   [this, folder] { emit exportRequested(folder); });
    menu.exec(m_folders->viewport()->mapToGlobal(at));
}

void SavedFoldersTab::focusMessageList() {
    m_list->setFocus();
}

void SavedFoldersTab::setMessageButtonsEnabled(bool enabled) {
    for (QPushButton *b : {m_replyText, m_replyNoText, m_forward, m_sendAgain, m_delete, m_move})
        b->setEnabled(enabled);
}

void SavedFoldersTab::onDragEnded() {
    // The highlight that followed the pointer goes back to the folder listed.
    const int listed = m_lists ? int(m_lists->folders().indexOf(m_listedFolder)) : -1;
    if (listed >= 0)
        m_folders->setCurrentRow(listed);
    m_dragging = false;
}
