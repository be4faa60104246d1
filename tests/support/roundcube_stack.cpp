#include "support/roundcube_stack.h"

#include <QFile>
#include <QJsonDocument>
#include <QProcess>

const QString tools = QStringLiteral(CORVALIS_SOURCE_DIR "/tools/services/roundcube/");

RoundcubeStack::RoundcubeStack(const QStringList &arguments)
    : m_stack(tools + QStringLiteral("roundcube-stack"),
              QStringList{QStringLiteral("--seed"), QStringLiteral("alice=") + tools + QStringLiteral("mail"),
                          QStringLiteral("--seed"), QStringLiteral("bob=") + tools + QStringLiteral("mail")} +
                  arguments,
              60000) {}

QStringList RoundcubeStack::mergeArguments() {
    QStringList arguments{QStringLiteral("--recipients"), QString::number(mergeRecipients)};
    for (const QString &address : refusedRecipients())
        arguments << QStringLiteral("--refuse") << address;
    return arguments;
}

bool RoundcubeStack::putTestPage(const QString &name, const QByteArray &html) const {
    QFile page(m_stack.fact(QStringLiteral("dir")) + QStringLiteral("/pages/") + name);
    return page.open(QIODevice::WriteOnly) && page.write(html) == html.size();
}

QString RoundcubeStack::testPagePosts() const {
    QFile posts(m_stack.fact(QStringLiteral("dir")) + QStringLiteral("/pages/posts.log"));
    return posts.open(QIODevice::ReadOnly) ? QString::fromUtf8(posts.readAll()) : QString();
}

int RoundcubeStack::requests(const QByteArray &part) const {
    QFile log(m_stack.fact(QStringLiteral("dir")) + QStringLiteral("/roundcube/web.log"));
    return log.open(QIODevice::ReadOnly) ? int(log.readAll().count(part)) : -1;
}

std::string RoundcubeStack::logs() const {
    std::string text;
    for (const char *name : {"errors.log", "userlogins.log"}) {
        QFile log(m_stack.fact(QStringLiteral("dir")) + QStringLiteral("/roundcube/logs/") +
                  QLatin1String(name));
        if (log.open(QIODevice::ReadOnly))
            text += log.readAll().toStdString();
    }
    return text;
}

QByteArray RoundcubeStack::imap(const QStringList &arguments) const {
    QProcess read;
    read.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    read.start(QStringLiteral("python3"), QStringList{tools + QStringLiteral("imap.py"), arguments.value(0),
                                                      m_stack.fact(QStringLiteral("imap_port"))} +
                                              arguments.mid(1));
    read.waitForFinished(30000);
    return read.readAllStandardOutput();
}

QJsonArray RoundcubeStack::mailbox(User user, const QString &name) const {
    return QJsonDocument::fromJson(imap({QStringLiteral("read"), login(user), password(user), name})).array();
}

QJsonObject RoundcubeStack::inboxSubjects(const QStringList &recipients) const {
    return QJsonDocument::fromJson(
               imap({QStringLiteral("subjects"), recipients.join(u','),
                     m_stack.fact(QStringLiteral("recipients_password")), QStringLiteral("INBOX")}))
        .object();
}
