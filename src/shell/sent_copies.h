#pragma once

#include <QObject>
#include <QString>

#include <functional>

class Messages;
class ServiceOrigin;
class WebPane;

// Keeps a copy of every message sent from the compose pane, while `enabled` says so ("Save Sent
// Messages"), in the saved-message folder "sent": each form post the pane makes (the user's Send,
// or the program's own submit) to the recorded service's origin that carries an addressee, or, for
// a service that answers its sends inside the compose page, each send the service confirmed there.
// A post elsewhere sends nothing through the service. A copy that cannot be written is reported:
// the message has gone, and the user is to know that its copy has not.
class SentCopies : public QObject {
    Q_OBJECT
public:
    // `mainDir` gives the main directory at the moment a copy is stored.
    SentCopies(WebPane &composePane, std::function<QString()> mainDir, std::function<bool()> enabled,
               std::function<ServiceOrigin()> origin, Messages &messages, QObject *parent);

    // Stores the message a form post to `action` sends; false when the post sends none (not
    // reported) or the file could not be written (reported).
    bool store(const QString &postData, const QString &action);

signals:
    void stored(const QString &path);

private:
    std::function<QString()> m_mainDir;
    std::function<bool()> m_enabled;
    std::function<ServiceOrigin()> m_origin;
    Messages &m_messages;
};
