#pragma once

#include <QWidget>

class QComboBox;
class QFileSystemModel;
class QListView;
class QTreeView;

// The image dialog's file browser: a folder tree ("Dir1"), the pictures of the chosen folder
// ("File1") and the type filter ("ComboType").
class ImageFileBrowser : public QWidget {
    Q_OBJECT
public:
    explicit ImageFileBrowser(QWidget *parent);

    void setFolder(const QString &folder);
    QString folder() const;
    // Selects the file of that name when the folder lists it (names compared in upper case).
    void selectFile(const QString &name);

signals:
    void fileClicked(const QString &path);
    void fileDoubleClicked(const QString &path);

private:
    QFileSystemModel *m_folders;
    QFileSystemModel *m_fileModel;
    QTreeView *m_tree;
    QListView *m_list;
    QComboBox *m_type;
};
