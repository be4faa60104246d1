#pragma once

#include "addressbook/book_file.h"
#include "addressbook/book_model.h"
#include "addressbook/column_roles.h"
#include "addressbook/find_state.h"

#include <QObject>

#include <functional>

class Messages;
class QDialog;
class QWidget;

// The open address book: opening, creating, saving and importing books, and the values the
// other windows read (the e-mail column, the find column). Edits are kept in the model until
// the book is saved: on "save", before another book is opened, created or imported, and when
// the main window closes.
class AddressBook : public QObject {
    Q_OBJECT
public:
    // A data name relative to the main directory ("addrbooks/", "blank.dat") -> its path.
    using Places = std::function<QString(const QString &relative)>;
    // (title, folder, filter) -> the chosen file, empty when the user cancelled.
    using FileChooser =
        std::function<QString(const QString &title, const QString &folder, const QString &filter)>;
    // Shows a dialog modally; tests drive the dialog instead.
    using DialogRunner = std::function<void(QDialog &dialog)>;

    AddressBook(Messages &messages, Places places, QWidget *window, QObject *parent = nullptr);

    void setFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }
    void setDialogRunner(DialogRunner runner) { m_runDialog = std::move(runner); }

    BookModel &model() { return m_model; }
    const BookModel &model() const { return m_model; }
    Messages &messages() { return m_messages; }
    QString place(const QString &relative) const { return m_places(relative); }

    // Full path of the open book, empty while none is open.
    QString currentPath() const { return m_currentPath; }
    // The column addresses are read from (-1 while no book is open).
    int email_col() const { return m_roles.email; }
    const ColumnRoles &columnRoles() const { return m_roles; }
    FindState &findState() { return m_find; }

    // The next Open_CSV opens this file without asking.
    void setPendingPath(const QString &path) { m_pendingPath = path; }
    // Saves the open book, then opens the pending book or the one the user chooses.
    void Open_CSV();
    // Writes the open book (nothing when none is open or its first title is empty); false
    // when it could not be written, which the user has been told.
    bool SaveAddressBook();
    bool saveIfModified();
    // "new": saves the open book and asks for the name of a new one.
    void newBook();
    // Saves the open book and appends the rows of a file the user chooses.
    void importData();

    // The label above the grid: " Address Book:  " + file name, "*" while edits are unsaved.
    QString bookLabel() const;

    static QString noAddressesWarning();
    // Import and "addmsg" need an open book.
    static QString noBookMessage();
    // What the user is told when a book or an import file cannot be read.
    static QString readFailureMessage(BookFile::Error error, const QString &path);

signals:
    // A book was read into the model: the grid shows it anew.
    void bookOpened();
    void bookLabelChanged(const QString &text);

private:
    void openFile(const QString &path);

    Messages &m_messages;
    Places m_places;
    QWidget *m_window;
    FileChooser m_chooseFile;
    DialogRunner m_runDialog;
    BookModel m_model;
    ColumnRoles m_roles;
    FindState m_find;
    QString m_currentPath;
    BookLine::Delimiter m_delimiter = BookLine::Delimiter::Comma; // the open book's, kept when saved
    QString m_pendingPath;
};
