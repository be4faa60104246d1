#pragma once

#include <QDialog>

class AddressBook;
class BookModel;
class QCheckBox;
class QComboBox;
class QHeaderView;
class QStandardItemModel;
class QTableView;

// "Import Data": shows the file being imported under the open book's column titles, lets the
// user move the file's columns until they line up, then appends its rows to the book. Every
// column of the file is shown and can be moved; those beyond the book's columns become new
// columns of the book.
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

    // What Finish Import tells: how many contacts were added, and skipped as known.
    static QString finishedMessage(int added, int skipped);

private:
    void Form_Load(const QString &path);
    // The title row: each place's book title, or the new column a file column there makes.
    void showTitles();
    void fitColumns();

    AddressBook &m_book;
    BookModel *m_file;
    QStandardItemModel *m_titles;
    QTableView *m_fileGrid;
    QHeaderView *m_titleRow;
    QComboBox *m_positions;
    QCheckBox *m_skipKnown;
    int m_currentColumn = -1;
    int m_places = 0; // the places columns can be moved to; the file's untitled last column follows them
    bool m_loaded = false;
};
