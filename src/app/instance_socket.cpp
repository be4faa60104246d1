#include "app/instance_socket.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>

#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

bool InstanceSocket::isPrivateFolder(const QString &path) {
    struct stat info = {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == ::geteuid() && (info.st_mode & (S_IRWXG | S_IRWXO)) == 0;
}

InstanceSocket::Place InstanceSocket::place() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir::isAbsolutePath(runtime) && isPrivateFolder(runtime))
        return {runtime, {}};
    const QString ours = QDir::tempPath() + QStringLiteral("/corvalis-") + QString::number(::geteuid());
    if (::mkdir(QFile::encodeName(ours).constData(), 0700) != 0 && errno != EEXIST)
        return {{}, QStringLiteral("%1: %2").arg(ours, QString::fromLocal8Bit(std::strerror(errno)))};
    if (!isPrivateFolder(ours))
        return {{}, QStringLiteral("%1 is not a folder of this user's that only they may enter").arg(ours)};
    return {ours, {}};
}

bool InstanceSocket::peerIsThisUser(qintptr descriptor) {
    struct ucred peer = {};
    socklen_t size = sizeof peer;
    return descriptor >= 0 && ::getsockopt(int(descriptor), SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 &&
           size == sizeof peer && peer.uid == ::geteuid();
}
