#pragma once

#include <QDialog>

class AddressBook;
class BookModel;
class QCheckBox;
class QComboBox;
class QStandardItemModel;
class QTableView;

// "Import Data": shows the file being imported beside the open book's column titles, lets the
// user move the file's columns until they line up, then appends its rows to the book.
class DialogImport : public QDialog {
    Q_OBJECT
public:
    DialogImport(AddressBook &book, const QString &path, QWidget *parent = nullptr);

    // False when the file could not be read; the user has been told.
    bool loaded() const { return m_loaded; }

    // Moves the current column of the file's grid to the place chosen in Combo1.
    void Command1_Click();
    // Appends the file's rows to the book and closes.
    void OKButton_Click();

    static QString finishedMessage();

private:
    void Form_Load(const QString &path);
    void hideLastColumn();

    AddressBook &m_book;
    BookModel *m_file;
    QStandardItemModel *m_titles;
    QTableView *m_fileGrid;
    QTableView *m_titleGrid;
    QComboBox *m_positions;
    QCheckBox *m_skipKnown;
    int m_currentColumn = -1;
    int m_lastFileColumn = -1; // where the file's last (hidden) column now is
    bool m_loaded = false;
};
