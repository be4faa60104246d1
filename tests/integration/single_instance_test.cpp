// The program's socket: no other local user can take it.
#include "main_form_harness.h"

#include "app/instance_socket.h"
#include "app/single_instance.h"

#include <QCryptographicHash>

#include <unistd.h>

namespace {

// The socket's name for a settings file in `folder` (default: the shared temp folder, where it once was).
QString socketName(const QString &iniPath, const QString &folder = QDir::tempPath()) {
    const QByteArray path = QFile::encodeName(QFileInfo(iniPath).absoluteFilePath());
    return folder + u"/corvalis-"_s +
           QString::fromLatin1(QCryptographicHash::hash(path, QCryptographicHash::Sha256).toHex().left(32));
}

// Sends `bytes` to the socket at `path` as `user` (empty: this one); all it answers until the program closes.
QByteArray exchange(const QString &path, const QByteArray &bytes, const QString &user = {}) {
    QStringList command{u"/usr/bin/python3"_s, u"-c"_s,
                        u"import socket,sys\ns=socket.socket(socket.AF_UNIX); s.connect(sys.argv[1])\n"
                        u"s.sendall(sys.stdin.buffer.read()); s.shutdown(socket.SHUT_WR)\n"
                        u"out=b''\nwhile b:=s.recv(99): out+=b\nsys.stdout.buffer.write(out)"_s,
                        path};
    if (!user.isEmpty())
        command = QStringList{u"--reuid="_s + user, u"--regid="_s + user, u"--clear-groups"_s} + command;
    QProcess client;
    client.start(user.isEmpty() ? command.takeFirst() : u"setpriv"_s, command);
    client.write(bytes);
    client.closeWriteChannel();
    MainFormHarness::waitFor([&] { return client.state() == QProcess::NotRunning; });
    return client.readAllStandardOutput();
}

} // namespace

// Only the program's own user is heard on its socket; what no request can be is refused and disconnected.
TEST(SingleInstanceTest, TheSocketHearsOnlyItsUserAndRefusesWhatIsOverItsLimits) {
    MainFormHarness h;
    ASSERT_TRUE(h.start());
    const QString folder = InstanceSocket::place().folder, path = socketName(h.iniPath(), folder);
    ASSERT_TRUE(MainFormHarness::waitFor([&] { return QFileInfo::exists(path); }));
    // What the program refuses to its own user it does not even read from another.
    const struct {
        QByteArray bytes, answer;
        QString user = {};
    } cases[] = {{"raise\n" + QByteArray(40, 'x'), "refused\n"},
                 {"mailto 99999999\n", "refused\n"},
                 {"mailto 99999999\n", "", u"54321"_s}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.bytes.left(20).toStdString());
        if (!c.user.isEmpty() && ::geteuid() != 0)
            continue; // acting as another user needs root
        // The other user is let as far as the socket itself, which the private folder keeps from them.
        const QFileDevice::Permissions before = QFileInfo(folder).permissions();
        if (!c.user.isEmpty()) {
            ASSERT_TRUE(QFile::setPermissions(folder, before | QFileDevice::ExeOther) &&
                        QFile::setPermissions(path, QFileDevice::Permissions(0x7777)));
        }
        EXPECT_EQ(exchange(path, c.bytes, c.user), c.answer);
        QFile::setPermissions(folder, before);
    }
}

TEST(SingleInstanceTest, AnotherUsersSocketUnderTheNameGetsNothing) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "acting as another user needs root";
    MainFormHarness h;
    QTemporaryDir shared;
    ASSERT_TRUE(QFile::setPermissions(shared.path(), QFileDevice::Permissions(0x7777))); // open to all
    const QString planted = socketName(h.iniPath()), log = shared.filePath(u"got"_s);
    // Another user listens under the name first, answers every link "taken" and keeps what it gets.
    QProcess other;
    other.start(
        u"setpriv"_s,
        {u"--reuid=54321"_s, u"--regid=54321"_s, u"--clear-groups"_s, u"/usr/bin/python3"_s, u"-c"_s,
         u"import socket,os,sys\ns=socket.socket(socket.AF_UNIX); s.bind(sys.argv[1]); s.listen(9)\n"
         u"while True:\n c,_=s.accept(); c.sendall(b'taken\\n'); open(sys.argv[2],'ab').write(c.recv(99))\n"_s,
         planted, log});
    ASSERT_TRUE(MainFormHarness::waitFor([&] { return QFileInfo(planted).exists(); }));
    ASSERT_TRUE(h.start());
    SingleInstance::handOver(h.iniPath(), u"mailto:ann@example.com"_s);
    EXPECT_FALSE(QFileInfo::exists(log));
    other.kill();
    other.waitForFinished();
    QFile::remove(planted);
    // A runtime folder others may enter is not used.
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", shared.path().toUtf8());
    EXPECT_NE(InstanceSocket::place().folder, shared.path());
    qputenv("XDG_RUNTIME_DIR", runtime);
}
