#pragma once

#include "support/service_script.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QString>

// A private Roundcube, Dovecot and Postfix (tools/services/roundcube) for the object's lifetime, mailboxes
// read over IMAP; Alice's and Bob's INBOXes hold its sample messages (tools/services/roundcube/mail) by name.
class RoundcubeStack {
public:
    enum class User { Alice, Bob };

    // `arguments` go to the stack's script besides the seeds (--recipients, --refuse).
    explicit RoundcubeStack(const QStringList &arguments = {});
    // A stack with `mergeRecipients` more users, of whom its mail server refuses refusedRecipients().
    static constexpr int mergeRecipients = 100;
    static QStringList refusedRecipients() { return {recipient(7), recipient(60)}; }
    static QStringList mergeArguments();

    bool started() const { return m_stack.started(); }
    // "http://127.0.0.1:<port>", empty when the stack did not start.
    QString url() const { return m_stack.fact(QStringLiteral("url")); }
    QString login(User user) const { return m_stack.fact(key(user)); }
    QString password(User user) const { return m_stack.fact(key(user) + QStringLiteral("_password")); }
    // Writes a page the stack serves at url() + "/corvalis-test/" + name; testPagePosts() reads its posts.
    bool putTestPage(const QString &name, const QByteArray &html) const;
    QString testPagePosts() const;
    // Sign-ins posted to Roundcube so far, by anyone.
    int loginPosts() const { return requests("POST /?_task=login"); }
    // Requests Roundcube has answered so far whose method and address hold `part`.
    int requests(const QByteArray &part) const;
    std::string logs() const; // Roundcube's error and sign-in logs, for a failure's report
    // The messages of the mailbox in UID order, as objects of uid, flags, from, reply-to, to, cc,
    // date, subject (decoded) and body (the HTML part when there is one, and then html is true).
    QJsonArray mailbox(User user, const QString &name = QStringLiteral("INBOX")) const;
    // The stack's user rN (--recipients), and the subjects in each of their INBOXes.
    static QString recipient(int n) { return QStringLiteral("r%1@corvalis.test").arg(n); }
    QJsonObject inboxSubjects(const QStringList &recipients) const;

private:
    QByteArray imap(const QStringList &arguments) const;
    static QString key(User user) {
        return user == User::Alice ? QStringLiteral("alice") : QStringLiteral("bob");
    }

    ServiceScript m_stack;
};
