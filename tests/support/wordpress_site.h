#pragma once

#include "support/service_script.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

// A private WordPress site (tools/services/wordpress) for the lifetime of the object, with its
// posts read back over the REST API as the administrator (each read waits at most 30 seconds).
class WordPressSite {
public:
    enum class Editor { Block, Classic };
    enum class User { Admin, Author };

    explicit WordPressSite(Editor editor);

    bool started() const { return m_site.started(); }
    Editor editor() const { return m_editor; }
    // "http://127.0.0.1:<port>", empty when the site did not start.
    QString url() const { return m_site.fact(QStringLiteral("url")); }
    QString login(User user) const { return m_site.fact(key(user)); }
    QString password(User user) const { return m_site.fact(key(user) + QStringLiteral("_password")); }
    // The post as the REST API gives it for editing (raw content, status); empty when missing.
    QJsonObject post(int id) const { return rest(QStringLiteral("/%1?context=edit").arg(id)).object(); }
    // Every post of any status but the trash.
    QJsonArray posts() const {
        return rest(QStringLiteral("?context=edit&per_page=100&status=publish,draft,pending,private,future"))
            .array();
    }

private:
    static QString key(User user) {
        return user == User::Admin ? QStringLiteral("admin") : QStringLiteral("author");
    }
    QJsonDocument rest(const QString &postsQuery) const;

    Editor m_editor;
    ServiceScript m_site;
};
