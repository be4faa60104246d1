#include "support/wordpress_site.h"

#include <QEventLoop>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QTimer>

WordPressSite::WordPressSite(Editor editor)
    : m_editor(editor)
    , m_site(QStringLiteral(CORVALIS_SOURCE_DIR "/tools/services/wordpress/wordpress-site"),
             editor == Editor::Classic ? QStringList{QStringLiteral("--classic")} : QStringList(), 120000) {}

QJsonDocument WordPressSite::rest(const QString &postsQuery) const {
    QNetworkAccessManager network;
    network.setProxy(QNetworkProxy::NoProxy);
    QNetworkRequest request(QUrl(url() + QStringLiteral("/wp-json/wp/v2/posts") + postsQuery));
    const QString pair = login(User::Admin) + u':' + m_site.fact(QStringLiteral("admin_app_password"));
    request.setRawHeader("Authorization", "Basic " + pair.toUtf8().toBase64());
    const std::unique_ptr<QNetworkReply> reply(network.get(request));
    QEventLoop loop;
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    loop.exec();
    return QJsonDocument::fromJson(reply->isFinished() ? reply->readAll() : QByteArray());
}
