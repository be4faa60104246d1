#pragma once

#include <QObject>
#include <QStringList>

class QComboBox;
class QListWidget;

// The four folder lists, which always hold the same folders in the same order: ComboFolders
// (capture target), ComboFolders2 (folder browsed), ComboFolders3 (default folder, Settings
// tab) and ComboFolders4 (move target, every folder but "sent").
class FolderLists : public QObject {
    Q_OBJECT
public:
    struct Controls {
        QComboBox *captureTarget; // ComboFolders
        QListWidget *browsed;     // ComboFolders2
        QComboBox *defaultFolder; // ComboFolders3
        QComboBox *moveTarget;    // ComboFolders4
    };
    FolderLists(Controls controls, QString mainDir, QObject *parent = nullptr);

    // Fills all four lists from the folders on disk. When `select` names one of them (letter
    // case ignored), it becomes the folder browsed, and the capture target too when `capture`
    // says so (else the capture target stays); without one the default folder is the capture
    // target. ComboFolders3 shows the default folder.
    enum class Capture { SelectedFolder, KeptFolder };
    void rebuild(const QString &select = {}, Capture capture = Capture::SelectedFolder);

    // The folder chosen on the Settings tab; kept by the caller.
    void setDefaultFolder(const QString &folder) { m_defaultFolder = folder; }
    QString defaultFolder() const { return m_defaultFolder; }

    // True while the lists are being filled: the selection changes meanwhile are not the user's.
    bool rebuilding() const { return m_rebuilding; }
    QStringList folders() const { return m_folders; }
    QString captureFolder() const;
    QString browsedFolder() const;

private:
    Controls m_controls;
    QString m_mainDir;
    QStringList m_folders;
    bool m_rebuilding = false;
    QString m_defaultFolder;
};
