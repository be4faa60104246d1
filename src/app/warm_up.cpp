#include "warm_up.h"

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImageReader>
#include <QThreadPool>

// The first picture a toolbar reads opens Qt's image plugins. The browser engine's settings and
// the first text field ask the font database for fallback families, which first has fontconfig
// read its whole configuration; the database is thread-safe and keeps what it found for every
// thread.
//
// The engine adds "force_s3tc_enable" to the environment as it starts. Adding a variable may
// move the environment's array and free the old one under a thread reading it (fontconfig asks
// for HOME): a start in a hundred or so crashed. Set first, the engine's write replaces the value
// in place; nothing else writes the environment once the threads run.
void WarmUp::startMeanwhile() {
    qputenv("force_s3tc_enable", "true");
    QThreadPool::globalInstance()->start([] {
        QImageReader(QStringLiteral(":/qt-project.org/styles/commonstyle/images/standardbutton-save-16.png"))
            .format();
    });
    QThreadPool::globalInstance()->start([] {
        QFont font;
        for (const auto hint :
             {QFont::Serif, QFont::SansSerif, QFont::Monospace, QFont::Cursive, QFont::Fantasy}) {
            font.setStyleHint(hint);
            font.defaultFamily();
        }
        QFontMetrics(QGuiApplication::font()).height();
    });
}
