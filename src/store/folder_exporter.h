#pragma once

#include "store/loose_date.h"

#include <QObject>

#include <functional>

class Messages;
class QWidget;

// "Export Folder as mbox...": asks where to write, exports with a progress dialog that can
// cancel, and says what was written and what was left out.
class FolderExporter : public QObject {
    Q_OBJECT
public:
    FolderExporter(QString mainDir, Messages &messages, QWidget *window, QObject *parent = nullptr);

    // Exports `folder`; an empty name asks the user to pick a folder first.
    void exportFolder(const QString &folder);

    // Asks for the file to write (suggested path in, chosen path out, empty when cancelled);
    // replaceable in tests.
    using FileChooser = std::function<QString(const QString &suggested)>;
    void setFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }

private:
    QString m_mainDir;
    Messages &m_messages;
    QWidget *m_window;
    FileChooser m_chooseFile;
    const LooseDate::Order m_order = LooseDate::systemOrder();
};
