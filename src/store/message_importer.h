#pragma once

#include <QObject>

#include <functional>

class Messages;
class QWidget;

// "Import Messages...": asks for an mbox or .eml file or a folder (a Maildir or .eml files),
// brings its messages into a saved-message folder with a progress dialog that can cancel, and
// says what was read, added and skipped, and why.
class MessageImporter : public QObject {
    Q_OBJECT
public:
    MessageImporter(QString mainDir, Messages &messages, QWidget *window, QObject *parent = nullptr);

    // Imports into `folder`; an empty name asks the user to pick a folder first.
    void importInto(const QString &folder);

    // Asks for the file or folder to read (empty when cancelled); replaceable in tests.
    using SourceChooser = std::function<QString()>;
    void setSourceChooser(SourceChooser chooser) { m_chooseSource = std::move(chooser); }

private:
    QString m_mainDir;
    Messages &m_messages;
    QWidget *m_window;
    SourceChooser m_chooseSource;
};
