#pragma once

#include "spelling/spell_check_run.h"

#include <QDialog>

class QLineEdit;
class QListWidget;
class QComboBox;
class QPushButton;

// Where a dialog of `size` goes so that it does not cover `word`: below the word when the word is
// in the upper half of `screen`, above it otherwise, and always inside the screen.
QPoint dialogPositionAwayFrom(const QSize &size, const QRect &word, const QRect &screen);

// The decision about one word that is not in the dictionary: the word, what to change it to, the
// suggestions, and Change, Change All, Ignore, Ignore All, Add and Cancel. The custom dictionary
// that Add writes to is shown.
class SpellDecisionDialog : public QDialog {
    Q_OBJECT
public:
    explicit SpellDecisionDialog(QWidget *parent = nullptr);

    // Fills the dialog for the engine's pending word.
    void fill(SpellEngine &engine);
    void placeAwayFrom(const QRect &word);
    // The button the user pressed, with the text to change to.
    SpellCheckRun::Answer answer() const { return m_answer; }

    // The dialog shown modally for each word.
    static SpellCheckRun::Ask modalAsk(QWidget *parent);

private:
    void decide(SpellEngine::Decision decision);

    QLineEdit *m_misspell;
    QLineEdit *m_replaceWith;
    QListWidget *m_suggestList;
    QComboBox *m_customs;
    QPushButton *m_addTo;
    QPushButton *m_change;
    QPushButton *m_ignore;
    SpellCheckRun::Answer m_answer;
};
