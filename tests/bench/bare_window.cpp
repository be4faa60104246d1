// The start-up yardstick: a bare QtWebEngine window of Corvalis's size that loads one local page, then quits.
#include <QApplication>
#include <QUrl>
#include <QWebEngineView>

int main(int argc, char **argv) {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    QWebEngineView view;
    view.resize(1100, 760);
    QObject::connect(&view, &QWebEngineView::loadFinished, &app,
                     [](bool ok) { QApplication::exit(ok ? 0 : 1); });
    view.load(QUrl::fromLocalFile(QString::fromLocal8Bit(argv[1])));
    view.show();
    return app.exec();
}
