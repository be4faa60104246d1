#pragma once

#include <QDialog>

class QPlainTextEdit;
class SpellChecker;
class WebPane;

// "Spell Check Answer Body": the answer field of the sign-in service's answer page, checked in a
// text box of its own and written back into the page on Save.
class AnswerBodyDialog : public QDialog {
    Q_OBJECT
public:
    AnswerBodyDialog(SpellChecker &checker, WebPane &page, const QString &text, QWidget *parent = nullptr);

    // Opens the dialog on the page's answer field (modally); a page without it is reported.
    static void open(SpellChecker &checker, WebPane &page, QWidget *parent);

    QPlainTextEdit *text() const { return m_text1; }
    void CheckButton_Click();
    void DoneButton_Click();

private:
    SpellChecker &m_checker;
    WebPane &m_page;
    QPlainTextEdit *m_text1;
};
