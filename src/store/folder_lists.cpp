#include "store/folder_lists.h"

#include "store/saved_folders.h"
#include "store/saved_message_file.h"

#include <QComboBox>
#include <QListWidget>

FolderLists::FolderLists(Controls controls, QString mainDir, QObject *parent)
    : QObject(parent)
    , m_controls(controls)
    , m_mainDir(std::move(mainDir)) {}

void FolderLists::rebuild(const QString &select, Capture capture) {
    m_rebuilding = true;
    const QString captured = m_controls.captureTarget->currentText();
    m_folders = SavedFolders::list(m_mainDir);
    m_controls.captureTarget->clear();
    m_controls.browsed->clear();
    m_controls.defaultFolder->clear();
    m_controls.moveTarget->clear();
    int selected = -1;
    int defaultIndex = -1;
    int capturedIndex = -1;
    for (int i = 0; i < m_folders.size(); ++i) {
        const QString &name = m_folders[i];
        m_controls.captureTarget->addItem(name);
        m_controls.browsed->addItem(name);
        m_controls.defaultFolder->addItem(name);
        if (!SavedMessageFile::isSentFolder(name))
            m_controls.moveTarget->addItem(name);
        if (!select.isEmpty() && name.toLower() == select.toLower())
            selected = i;
        if (name.toLower() == m_defaultFolder.toLower())
            defaultIndex = i;
        if (name.toLower() == captured.toLower())
            capturedIndex = i;
    }
    // Filling a drop-down list selects its first entry; the design starts them unselected.
    const int keptIndex = capturedIndex >= 0 ? capturedIndex : defaultIndex;
    m_controls.captureTarget->setCurrentIndex(select.isEmpty()                     ? defaultIndex
                                              : capture == Capture::SelectedFolder ? selected
                                                                                   : keptIndex);
    m_controls.defaultFolder->setCurrentIndex(defaultIndex);
    m_controls.moveTarget->setCurrentIndex(-1);
    m_controls.browsed->setCurrentRow(-1);
    m_rebuilding = false;
    // Selecting in the browsed list lists the folder, so it comes last.
    if (selected >= 0)
        m_controls.browsed->setCurrentRow(selected);
}

QString FolderLists::captureFolder() const {
    return m_controls.captureTarget->currentText();
}

QString FolderLists::browsedFolder() const {
    const QListWidgetItem *item = m_controls.browsed->currentItem();
    return item ? item->text() : QString();
}
