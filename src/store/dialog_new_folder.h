#pragma once

#include <QDialog>

class Messages;
class QLineEdit;
class QPushButton;

// "New Folder": asks for a folder name and creates the folder below "savedmgs". A name the
// file system refuses, one that exists already, or one that would leave "savedmgs" ("/",
// ".", "..") is reported and the dialog stays open.
class DialogNewFolder : public QDialog {
    Q_OBJECT
public:
    DialogNewFolder(QString mainDir, Messages &messages, QWidget *parent = nullptr);

    QString createdFolder() const { return m_created; }

    static QString failureMessage();

signals:
    void folderCreated(const QString &name);

private:
    void OKButton_Click();

    QString m_mainDir;
    Messages &m_messages;
    QLineEdit *m_name;
    QPushButton *m_ok;
    QString m_created;
};
