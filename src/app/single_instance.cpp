#include "single_instance.h"

#include "app/instance_requests.h"
#include "app/instance_socket.h"
#include "shell/main_form.h"
#include "webpages/mailto_hand_over.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QTextStream>
#include <QThread>

#include <cerrno>
#include <memory>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

// Requests are read by InstanceRequests; a link is answered with one line: "taken", "refused"
// (never: too long, or no request at all) or "closing" (not now).
constexpr QByteArrayView raiseRequest = "raise\n";
constexpr QByteArrayView mailtoRequest = "mailto ";

// The socket's path for the settings file; empty when there is no folder it may safely go in.
QString socketPathFor(const QString &absolutePath) {
    const InstanceSocket::Place place = InstanceSocket::place();
    if (place.folder.isEmpty())
        return {};
    return place.folder + QStringLiteral("/corvalis-") +
           QString::fromLatin1(
               QCryptographicHash::hash(QFile::encodeName(absolutePath), QCryptographicHash::Sha256)
                   .toHex()
                   .left(32));
}

// Connects to the program's socket, and keeps the connection only when a program of this user's
// holds the other end.
bool connectToProgram(QLocalSocket &socket, const QString &path, int timeoutMs) {
    if (path.isEmpty())
        return false;
    socket.connectToServer(path);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    if (InstanceSocket::peerIsThisUser(socket.socketDescriptor()))
        return true;
    socket.abort();
    return false;
}

QByteArray lockPath(const QString &absolutePath) {
    return QFile::encodeName(absolutePath + QLatin1String(".instance"));
}

void raise(QWidget &window) {
    window.setWindowState((window.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window.show();
    window.raise();
    window.activateWindow();
}

} // namespace

SingleInstance::SingleInstance(const QString &settingsPath)
    : m_settingsPath(QFileInfo(settingsPath).absoluteFilePath())
    , m_socketName(socketPathFor(m_settingsPath)) {}

SingleInstance::~SingleInstance() {
    if (m_lockFd >= 0)
        ::close(m_lockFd);
}

bool SingleInstance::otherRunning() {
    if (m_lockFd >= 0)
        return false;
    m_lockFd = ::open(lockPath(m_settingsPath).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    // Without the lock file (a read-only folder) nothing can tell two programs apart: this one runs.
    if (m_lockFd < 0 || ::flock(m_lockFd, LOCK_EX | LOCK_NB) == 0 || errno != EWOULDBLOCK)
        return false;
    ::close(m_lockFd);
    m_lockFd = -1;
    // The running program may still be starting and not yet listen: ask for a few seconds.
    const QDeadlineTimer deadline(5000);
    while (!deadline.hasExpired()) {
        QLocalSocket socket;
        if (connectToProgram(socket, m_socketName, 500)) {
            socket.write(raiseRequest.data(), raiseRequest.size());
            socket.waitForBytesWritten(1000);
            return true;
        }
        QThread::msleep(100);
    }
    return true;
}

bool SingleInstance::programPresent(const QString &settingsPath) {
    const int fd = ::open(lockPath(QFileInfo(settingsPath).absoluteFilePath()).constData(),
                          O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return held;
}

void SingleInstance::serve(MainForm &window) {
    if (m_socketName.isEmpty()) {
        QTextStream(stderr) << "Corvalis: no private folder for the program's socket: "
                            << InstanceSocket::place().error << '\n';
        return;
    }
    // A name left by a program that was killed would stop the listening.
    QLocalServer::removeServer(m_socketName);
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    m_server.listen(m_socketName);
    QObject::connect(&m_server, &QLocalServer::newConnection, &window,
                     [this, &window] { onConnection(window); });
}

void SingleInstance::onConnection(MainForm &window) {
    while (QLocalSocket *socket = m_server.nextPendingConnection()) {
        QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (!InstanceSocket::peerIsThisUser(socket->socketDescriptor())) {
            socket->abort(); // another user's program gets no say in ours
            continue;
        }
        auto requests = std::make_shared<InstanceRequests>();
        const auto answer = [socket](QByteArrayView line) {
            socket->write(line.data(), line.size());
            socket->flush();
        };
        QObject::connect(socket, &QLocalSocket::readyRead, socket, [socket, requests, answer, &window] {
            for (const InstanceRequests::Request &request : requests->take(socket->readAll())) {
                switch (request.kind) {
                case InstanceRequests::Kind::Raise:
                    raise(window);
                    break;
                case InstanceRequests::Kind::Mailto: {
                    auto *handOver = window.findChild<MailtoHandOver *>();
                    answer(handOver && handOver->handIn(request.link) ? "taken\n" : "closing\n");
                    break;
                }
                case InstanceRequests::Kind::Refused:
                    answer("refused\n");
                    socket->disconnectFromServer();
                    return;
                }
            }
        });
    }
}

SingleInstance::Delivery SingleInstance::handOver(const QString &settingsPath, const QString &link) {
    QLocalSocket socket;
    if (!connectToProgram(socket, socketPathFor(QFileInfo(settingsPath).absoluteFilePath()), 1000))
        return Delivery::NoProgram;
    const QByteArray bytes = link.toUtf8();
    socket.write(QByteArray(mailtoRequest.data(), mailtoRequest.size()) + QByteArray::number(bytes.size()) +
                 '\n' + bytes);
    // The program answers from its event loop, which a page it waits on may hold for a while.
    const QDeadlineTimer deadline(10000);
    while (!socket.canReadLine() && socket.state() == QLocalSocket::ConnectedState &&
           !deadline.hasExpired()) {
        if (socket.bytesToWrite() > 0)
            socket.waitForBytesWritten(100);
        else
            socket.waitForReadyRead(100);
    }
    const QByteArray reply = socket.readLine().trimmed();
    if (reply == "taken")
        return Delivery::Taken;
    return reply == "refused" ? Delivery::Refused : Delivery::NoProgram;
}
