#include "webpages/mailto_hand_over.h"

#include "base/settings.h"
#include "webpages/compose_transfer.h"
#include "webpages/reply_builder.h"

#include <QCoreApplication>
#include <QFile>
#include <QTimer>

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

QByteArray lockPath(const QString &settingsPath) {
    return QFile::encodeName(settingsPath + QLatin1String(".receiver"));
}

int openLockFile(const QString &settingsPath) {
    return ::open(lockPath(settingsPath).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
}

} // namespace

MailtoHandOver::MailtoHandOver(Settings &settings, ComposeTransfer &transfer, QObject *parent)
    : QObject(parent)
    , m_settings(settings)
    , m_transfer(transfer)
    , m_timer(new QTimer(this)) {
    m_timer->setObjectName(QStringLiteral("Timer2"));
    m_timer->setInterval(intervalMs);
    connect(m_timer, &QTimer::timeout, this, &MailtoHandOver::Timer2_Timer);
}

MailtoHandOver::~MailtoHandOver() {
    if (m_lockFd >= 0)
        ::close(m_lockFd);
}

void MailtoHandOver::start() {
    if (m_stopped)
        return;
    if (m_lockFd < 0) {
        m_lockFd = openLockFile(m_settings.filePath());
        // Another program on the same settings file holds it already: both poll, and whichever
        // reads the key first takes the address.
        if (m_lockFd >= 0)
            ::flock(m_lockFd, LOCK_EX | LOCK_NB);
    }
    m_timer->start();
}

bool MailtoHandOver::receiverRunning(const QString &settingsPath) {
    const int fd = openLockFile(settingsPath);
    if (fd < 0)
        return false;
    const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return held;
}

void MailtoHandOver::stop() {
    m_stopped = true;
    m_timer->stop();
}

void MailtoHandOver::Timer2_Timer() {
    m_timer->setInterval(intervalMs);
    QCoreApplication::processEvents();
    // A transfer waiting for its compose page keeps the address for a later tick; a program
    // that began closing leaves it for the next start.
    if (m_stopped || m_transfer.running())
        return;
    const QString address = m_settings.get(Keys::Mailto);
    if (address.isEmpty())
        return;
    m_settings.set(Keys::Bug, QStringLiteral("7777"));
    m_settings.set(Keys::Mailto, QString());
    m_settings.set(Keys::Bug, QStringLiteral("7788"));
    QCoreApplication::processEvents();
    if (m_stopped) {
        // The close came just now: the address goes back, unless a newer one is waiting.
        if (m_settings.get(Keys::Mailto).isEmpty())
            m_settings.set(Keys::Mailto, address);
        return;
    }
    m_transfer.ReplyOrForward(int(TransferMode::Mailto), address);
    // A transfer ended by the close keeps its own marker.
    if (!m_stopped)
        m_settings.set(Keys::Bug, QStringLiteral("8888"));
}
