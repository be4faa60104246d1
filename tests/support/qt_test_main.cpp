// main() for every test executable: an offscreen QApplication that can host WebEngine panes, in
// surroundings of its own: an empty home, the C locale and UTC, whatever the machine's are.
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>
#include <QtWebEngineCore/qtwebenginecoreglobal.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ctime>

#include <unistd.h>

int main(int argc, char **argv) {
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qunsetenv("XDG_CONFIG_HOME");
    qunsetenv("XDG_DATA_HOME");
    qputenv("LC_ALL", "C.UTF-8");
    qputenv("TZ", "UTC");
    tzset();
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    if (geteuid() == 0 && qgetenv("QTWEBENGINE_CHROMIUM_FLAGS").isEmpty())
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox --disable-gpu --disable-background-networking");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    ::testing::InitGoogleMock(&argc, argv);
    // A dialog no test answers (a page's confirm) would hold the run: after a minute it fails and is closed.
    QTimer strayDialogs;
    QPointer<QWidget> open;
    int seconds = 0;
    QObject::connect(&strayDialogs, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        seconds = modal && modal == open ? seconds + 1 : 0;
        if ((open = modal) && seconds == 60) {
            const auto *box = qobject_cast<QMessageBox *>(modal);
            ADD_FAILURE() << "unanswered: " << (box ? box->text() : modal->windowTitle()).toStdString();
            modal->close();
        }
    });
    strayDialogs.start(1000);
    return RUN_ALL_TESTS();
}
