#include "webpages/mailto_hand_over.h"

#include "base/settings.h"
#include "webpages/compose_transfer.h"
#include "webpages/reply_builder.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>
#include <QTimer>

#include <cerrno>
#include <utility>

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
    for (const QString &link : std::exchange(m_waiting, {}))
        keepForNextStart(link);
}

bool MailtoHandOver::handIn(const QString &link) {
    if (m_stopped)
        return false;
    m_waiting.append(link);
    return true;
}

void MailtoHandOver::keepForNextStart(const QString &link) {
    if (link.size() <= Settings::maxValueLength && m_settings.get(Keys::Mailto).isEmpty()) {
        m_settings.set(Keys::Mailto, link);
        return;
    }
    // Cut, it would open a different message: it is named instead, so the user can find it.
    QTextStream(stderr) << "Corvalis: closing before this mailto link was opened: mailto:" << link.left(200)
                        << (link.size() > 200 ? "...\n" : "\n");
}

void MailtoHandOver::Timer2_Timer() {
    m_timer->setInterval(intervalMs);
    QCoreApplication::processEvents();
    // A transfer waiting for its compose page keeps the address for a later tick; a program
    // that began closing leaves it for the next start.
    if (m_stopped || m_transfer.running())
        return;
    const bool fromKey = m_waiting.isEmpty();
    const QString address = fromKey ? m_settings.get(Keys::Mailto) : m_waiting.takeFirst();
    if (address.isEmpty())
        return;
    m_settings.set(Keys::Bug, QStringLiteral("7777"));
    if (fromKey)
        m_settings.set(Keys::Mailto, QString());
    m_settings.set(Keys::Bug, QStringLiteral("7788"));
    QCoreApplication::processEvents();
    if (m_stopped) {
        // The close came just now: the address goes back, unless a newer one is waiting.
        keepForNextStart(address);
        return;
    }
    m_transfer.ReplyOrForward(int(TransferMode::Mailto), address);
    // A transfer ended by the close keeps its own marker.
    if (!m_stopped)
        m_settings.set(Keys::Bug, QStringLiteral("8888"));
}
