#include "single_instance.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QThread>
#include <QWidget>

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

SingleInstance::SingleInstance(const QString &settingsPath)
    : m_settingsPath(QFileInfo(settingsPath).absoluteFilePath())
    , m_socketName(QStringLiteral("corvalis-") +
                   QString::fromLatin1(
                       QCryptographicHash::hash(QFile::encodeName(m_settingsPath), QCryptographicHash::Sha256)
                           .toHex()
                           .left(32))) {}

SingleInstance::~SingleInstance() {
    if (m_lockFd >= 0)
        ::close(m_lockFd);
}

bool SingleInstance::otherRunning() {
    m_lockFd = ::open(QFile::encodeName(m_settingsPath + QLatin1String(".instance")).constData(),
                      O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    // Without the lock file (a read-only folder) nothing can tell two programs apart: this one runs.
    if (m_lockFd < 0 || ::flock(m_lockFd, LOCK_EX | LOCK_NB) == 0 || errno != EWOULDBLOCK)
        return false;
    // The running program may still be starting and not yet listen: ask for a few seconds.
    const QDeadlineTimer deadline(5000);
    while (!deadline.hasExpired()) {
        QLocalSocket socket;
        socket.connectToServer(m_socketName);
        if (socket.waitForConnected(500)) {
            socket.write("raise\n");
            socket.waitForBytesWritten(1000);
            return true;
        }
        QThread::msleep(100);
    }
    return true;
}

void SingleInstance::raiseOnRequest(QWidget &window) {
    // A name left by a program that was killed would stop the listening.
    QLocalServer::removeServer(m_socketName);
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    m_server.listen(m_socketName);
    QObject::connect(&m_server, &QLocalServer::newConnection, &window, [this, &window] {
        while (QLocalSocket *socket = m_server.nextPendingConnection())
            QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        window.setWindowState((window.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
        window.show();
        window.raise();
        window.activateWindow();
    });
}
