#pragma once

#include <QDialog>

class BookModel;
class QComboBox;
class QLineEdit;
struct FindState;

// "Find Address": while the user types, jumps to the first contact whose value in the chosen
// column starts with the typed text. Stays open beside the main window (not modal).
class DialogFind : public QDialog {
    Q_OBJECT
public:
    DialogFind(const BookModel &book, FindState &state, QWidget *parent = nullptr);

    // Fills the column list from the book's titles and places the dialog at `topLeft` (global).
    void Form_Load(const QPoint &topLeft);
    void Combo1_Click(int index);
    void Text1_Change(const QString &text);

signals:
    // The row and column to make current, the row at the top of the grid.
    void matchFound(int row, int column);

protected:
    void hideEvent(QHideEvent *event) override;

private:
    const BookModel &m_book;
    FindState &m_state;
    QComboBox *m_columns;
    QLineEdit *m_text;
    bool m_loading = false;
};
