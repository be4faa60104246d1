#include "base/twips.h"

#include <QGuiApplication>
#include <QScreen>

double Twips::screenDpi() {
    if (auto *screen = QGuiApplication::primaryScreen())
        return screen->logicalDotsPerInchY();
    return 96.0;
}
