#pragma once

#include <QObject>
#include <QString>
#include <QVariantMap>

class WebPane;

// The sends a compose page makes and answers inside itself (Roundcube's Send posts into a hidden
// frame, and the service's answer lands there), as the pane's bridge reports them: only a send
// the user's own press on Send began, or the program's, with the service's answer.
class PageSends : public QObject {
    Q_OBJECT
public:
    struct Answer {
        enum class Outcome { Sent, Refused, Unclear };
        Outcome outcome = Outcome::Unclear;
        QString postData; // the compose form's fields, form-encoded
        QString action;   // where the form posted
        QString message;  // the service's words for a refusal
        bool own = false; // the program pressed Send (mail merge), not the user
    };

    // The pane's one watch, made on first use; it must be made before the pane loads the pages it
    // is to watch.
    static PageSends &of(WebPane &pane);

    // Called by the page's bridge: `send` holds data, action, own, outcome and message.
    Q_INVOKABLE void answered(const QVariantMap &send);

signals:
    void sendAnswered(const PageSends::Answer &answer);

private:
    explicit PageSends(WebPane &pane);
};
