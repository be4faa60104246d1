#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Every message box and question of the program goes through this interface, so that
// tests can record what the user would have been shown and answer questions themselves.
// All boxes carry the application title "Corvalis".
class Messages {
public:
    enum class Answer { Ok, Yes, No, Cancel };
    // SaveDiscardCancel answers Yes for Save and No for Discard.
    enum class Buttons { YesNo, YesNoCancel, SaveDiscardCancel };

    virtual ~Messages() = default;

    // A message with an OK button only.
    virtual void inform(const QString &text) = 0;
    // A question; `defaultAnswer` is the button Enter chooses.
    virtual Answer ask(const QString &text, Buttons buttons, Answer defaultAnswer) = 0;

    static QString title() { return QStringLiteral("Corvalis"); }
};

// Records every message and answers questions from a queue (then with a fixed answer).
// Used by tests, and by automation runs where nobody can press a button.
class RecordingMessages : public Messages {
public:
    void inform(const QString &text) override;
    Answer ask(const QString &text, Buttons buttons, Answer defaultAnswer) override;

    void queueAnswer(Answer answer) { m_answers.push_back(answer); }
    void setFallbackAnswer(Answer answer) { m_fallback = answer; }
    const QStringList &shown() const { return m_shown; }
    QString last() const { return m_shown.isEmpty() ? QString() : m_shown.last(); }
    void clear() { m_shown.clear(); }

private:
    QStringList m_shown;
    QList<Answer> m_answers;
    Answer m_fallback = Answer::No;
};
