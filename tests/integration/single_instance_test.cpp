// The program's socket: no other local user can take it.
#include "main_form_harness.h"

#include "app/instance_socket.h"
#include "app/single_instance.h"

#include <QCryptographicHash>

#include <unistd.h>

namespace {

// The name the socket had beside everyone's files in the temporary folder.
QString sharedSocketName(const QString &iniPath) {
    return QDir::tempPath() + u"/corvalis-"_s +
           QString::fromLatin1(
               QCryptographicHash::hash(QFile::encodeName(QFileInfo(iniPath).absoluteFilePath()),
                                        QCryptographicHash::Sha256)
                   .toHex()
                   .left(32));
}

} // namespace

TEST(SingleInstanceTest, AnotherUsersSocketUnderTheNameGetsNothing) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "acting as another user needs root";
    MainFormHarness h;
    QTemporaryDir shared;
    ASSERT_TRUE(QFile::setPermissions(shared.path(), QFileDevice::Permissions(0x7777))); // open to all
    const QString planted = sharedSocketName(h.iniPath()), log = shared.filePath(u"got"_s);
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
