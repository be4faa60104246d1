#pragma once

#include <QObject>
#include <QString>

#include <functional>

class WebPane;

// Keeps a copy of every message sent from the compose pane: each form post the pane makes
// (the user's Send, or the program's own submit) that carries an addressee is stored in the
// saved-message folder "sent", while `enabled` says so ("Save Sent Messages").
class SentCopies : public QObject {
    Q_OBJECT
public:
    // `mainDir` gives the main directory at the moment a copy is stored.
    SentCopies(WebPane &composePane, std::function<QString()> mainDir, std::function<bool()> enabled,
               QObject *parent);

    // Stores the message a form post sends; false when the post sends none or the file could
    // not be written (neither is reported to the user).
    bool store(const QString &postData);

signals:
    void stored(const QString &path);

private:
    std::function<QString()> m_mainDir;
    std::function<bool()> m_enabled;
};
