#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

// The search field above the message list: the text looked for, where ("This folder" or
// "All folders"), whether the message text counts, and a line saying how the search went.
class SearchBar : public QWidget {
    Q_OBJECT
public:
    explicit SearchBar(QWidget *parent = nullptr);

    QString term() const;
    bool allFolders() const;
    bool messageText() const;
    void showStatus(const QString &text);
    // Empties the field without starting anything (the user went back to a folder).
    void clear();
    // Ctrl+F: the field takes the focus with its text selected.
    void focusField();

signals:
    // The term, the scope or the message-text box changed.
    void searchChanged();

private:
    QLineEdit *m_field;
    QComboBox *m_scope;
    QCheckBox *m_text;
    QLabel *m_status;
};
