#pragma once

#include <QByteArray>
#include <QJsonArray>
#include <QString>
#include <QStringList>

#include <memory>
#include <ostream>

class QNetworkAccessManager;
class QProcess;

// Runs webmail-sim on a free loopback port for the lifetime of the object and talks to it
// over HTTP. Requests block in a local event loop for at most five seconds.
class SimProcess {
public:
    SimProcess();
    ~SimProcess();

    bool started() const { return !m_baseUrl.isEmpty(); }
    // "http://127.0.0.1:<port>", empty when the sim did not start.
    QString baseUrl() const { return m_baseUrl; }
    // The body of the answer to a GET, empty when none came.
    QByteArray get(const QString &pathAndQuery) const;
    // What the sim recorded as sent, oldest first.
    QJsonArray sent() const;
    // Each message sent, as its fields `names` joined by '|', oldest first.
    QStringList sentFields(const QStringList &names) const;
    // The service goes away, as a service that failed would.
    void stop();

private:
    std::unique_ptr<QProcess> m_process;
    std::unique_ptr<QNetworkAccessManager> m_network;
    QString m_baseUrl;
};

// Lets GoogleTest print QStrings readably in failed expectations, line ends shown as \r and \n.
inline void PrintTo(const QString &text, std::ostream *os) {
    *os << '"'
        << QString(text)
               .replace(u'\r', QStringLiteral("\\r"))
               .replace(u'\n', QStringLiteral("\\n"))
               .toStdString()
        << '"';
}
