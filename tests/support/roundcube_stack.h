#pragma once

#include "support/service_script.h"

#include <QJsonArray>
#include <QString>

// A private Roundcube with Dovecot and Postfix (tools/services/roundcube) for the lifetime of the
// object, its users' mailboxes read back over IMAP. Alice's INBOX holds the stack's sample
// messages (tools/services/roundcube/mail) in name order, and so does Bob's.
class RoundcubeStack {
public:
    enum class User { Alice, Bob };

    RoundcubeStack();

    bool started() const { return m_stack.started(); }
    // "http://127.0.0.1:<port>", empty when the stack did not start.
    QString url() const { return m_stack.fact(QStringLiteral("url")); }
    QString login(User user) const { return m_stack.fact(key(user)); }
    QString password(User user) const { return m_stack.fact(key(user) + QStringLiteral("_password")); }
    // Writes a page that the stack serves at url() + "/corvalis-test/" + name; the posts it gets
    // are read back with testPagePosts().
    bool putTestPage(const QString &name, const QByteArray &html) const;
    QString testPagePosts() const;
    // Sign-ins posted to Roundcube so far, by anyone.
    int loginPosts() const;
    // The messages of the mailbox in UID order, as objects of uid, flags, from, reply-to, to, cc,
    // date, subject (decoded) and body (the HTML part when there is one, and then html is true).
    QJsonArray mailbox(User user, const QString &name = QStringLiteral("INBOX")) const;

private:
    static QString key(User user) {
        return user == User::Alice ? QStringLiteral("alice") : QStringLiteral("bob");
    }

    ServiceScript m_stack;
};
