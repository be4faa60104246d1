#pragma once

#include <QDialog>

#include <functional>
#include <optional>
#include <vector>

class QPlainTextEdit;
class SpellChecker;
class WebPane;
class WebService;

// "Spell Check Answer Body": the answer field of the sign-in service's answer page (or the body of
// a compose page that stands for one), checked in a text box of its own and written back into the
// page on Save.
class AnswerBodyDialog : public QDialog {
    Q_OBJECT
public:
    // A field of a page: its text (nothing when the page has no such field), and its write.
    struct Field {
        std::function<std::optional<QString>()> read;
        std::function<bool(const QString &)> write;
    };
    // Field "eda" of form "qaform".
    static Field answerField(WebPane &page);
    // The body of the service's compose page the pane shows.
    static Field composeBody(WebPane &pane, const WebService &service);

    AnswerBodyDialog(SpellChecker &checker, Field field, const QString &text, QWidget *parent = nullptr);

    // Opens the dialog (modally) on the first of `fields` the page has; a page with none is reported.
    static void open(SpellChecker &checker, const std::vector<Field> &fields, QWidget *parent);

    QPlainTextEdit *text() const { return m_text1; }
    void CheckButton_Click();
    void DoneButton_Click();

private:
    SpellChecker &m_checker;
    Field m_field;
    QPlainTextEdit *m_text1;
};
