#include "support/wordpress_site.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QProcess>
#include <QTimer>

WordPressSite::WordPressSite(Editor editor)
    : m_editor(editor)
    , m_process(std::make_unique<QProcess>()) {
    m_process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process->start(QStringLiteral(CORVALIS_SOURCE_DIR "/tools/services/wordpress/wordpress-site"),
                     editor == Editor::Classic ? QStringList{QStringLiteral("--classic")} : QStringList());
    QHash<QString, QString> facts;
    const QDeadlineTimer deadline(120000);
    while (m_process->canReadLine() || m_process->waitForReadyRead(int(deadline.remainingTime()))) {
        const QString line = QString::fromUtf8(m_process->readLine()).trimmed();
        if (line == QLatin1String("ready")) {
            m_facts = facts;
            break;
        }
        facts.insert(line.section(u'=', 0, 0), line.section(u'=', 1));
    }
}

WordPressSite::~WordPressSite() {
    // The site stops its database and web server by their pids at the end of its input.
    m_process->closeWriteChannel();
    if (!m_process->waitForFinished(30000))
        m_process->kill();
}

QJsonDocument WordPressSite::rest(const QString &postsQuery) const {
    QNetworkAccessManager network;
    network.setProxy(QNetworkProxy::NoProxy);
    QNetworkRequest request(QUrl(url() + QStringLiteral("/wp-json/wp/v2/posts") + postsQuery));
    const QString pair = login(User::Admin) + u':' + m_facts.value(QStringLiteral("admin_app_password"));
    request.setRawHeader("Authorization", "Basic " + pair.toUtf8().toBase64());
    const std::unique_ptr<QNetworkReply> reply(network.get(request));
    QEventLoop loop;
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    loop.exec();
    return QJsonDocument::fromJson(reply->isFinished() ? reply->readAll() : QByteArray());
}
