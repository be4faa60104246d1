#include "support/roundcube_stack.h"

#include <QFile>
#include <QJsonDocument>
#include <QProcess>

namespace {
const QString tools = QStringLiteral(CORVALIS_SOURCE_DIR "/tools/services/roundcube/");
} // namespace

RoundcubeStack::RoundcubeStack()
    : m_stack(tools + QStringLiteral("roundcube-stack"),
              {QStringLiteral("--seed"), QStringLiteral("alice=") + tools + QStringLiteral("mail"),
               QStringLiteral("--seed"), QStringLiteral("bob=") + tools + QStringLiteral("mail")},
              60000) {}

bool RoundcubeStack::putTestPage(const QString &name, const QByteArray &html) const {
    QFile page(m_stack.fact(QStringLiteral("dir")) + QStringLiteral("/pages/") + name);
    return page.open(QIODevice::WriteOnly) && page.write(html) == html.size();
}

QString RoundcubeStack::testPagePosts() const {
    QFile posts(m_stack.fact(QStringLiteral("dir")) + QStringLiteral("/pages/posts.log"));
    return posts.open(QIODevice::ReadOnly) ? QString::fromUtf8(posts.readAll()) : QString();
}

int RoundcubeStack::loginPosts() const {
    QFile log(m_stack.fact(QStringLiteral("dir")) + QStringLiteral("/roundcube/web.log"));
    return log.open(QIODevice::ReadOnly) ? int(log.readAll().count("POST /?_task=login")) : -1;
}

QJsonArray RoundcubeStack::mailbox(User user, const QString &name) const {
    QProcess read;
    read.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    read.start(QStringLiteral("python3"),
               {tools + QStringLiteral("imap.py"), QStringLiteral("read"),
                m_stack.fact(QStringLiteral("imap_port")), login(user), password(user), name});
    read.waitForFinished(30000);
    return QJsonDocument::fromJson(read.readAllStandardOutput()).array();
}
