#include "shell/window_placement.h"

#include "base/screen_fit.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QWidget>

namespace {

bool placedBySelf(const QWidget &w) {
    const Qt::WindowType type = w.windowType();
    return type == Qt::Popup || type == Qt::ToolTip || type == Qt::SplashScreen || type == Qt::Desktop;
}

// A window's frame is known once the window manager has framed it; a window about to show has
// none yet and gets the frame of a window already shown (they all have the same decoration).
QMargins frameOf(const QWidget &w) {
    const auto margins = [](const QWidget &shown) {
        const QRect f = shown.frameGeometry(), c = shown.geometry();
        return QMargins(c.left() - f.left(), c.top() - f.top(), f.right() - c.right(),
                        f.bottom() - c.bottom());
    };
    if (const QMargins own = margins(w); !own.isNull())
        return own;
    for (const QWidget *top : QApplication::topLevelWidgets()) {
        if (top != &w && top->isVisible() && !placedBySelf(*top) && !margins(*top).isNull())
            return margins(*top);
    }
    return {};
}

QScreen *screenOf(const QWidget &w) {
    if (QScreen *at = QGuiApplication::screenAt(w.geometry().center()))
        return at;
    if (const QWidget *owner = w.parentWidget())
        return owner->window()->screen();
    return QGuiApplication::primaryScreen();
}

} // namespace

void WindowPlacement::install() {
    qApp->installEventFilter(new WindowPlacement(qApp));
}

bool WindowPlacement::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() != QEvent::Show || !watched->isWidgetType())
        return false;
    auto *w = static_cast<QWidget *>(watched);
    if (!w->isWindow() || placedBySelf(*w) ||
        (w->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
        return false;
    if (QScreen *screen = screenOf(*w)) {
        const QRect placed = ScreenFit::fit(w->geometry(), frameOf(*w), screen->availableGeometry());
        // A window the program never placed is put on the screen by the window manager, a dialog
        // centred over its owner by its own show handler, which runs after this one and only
        // while the dialog has not been moved: only its size is fitted here.
        if (!w->testAttribute(Qt::WA_Moved)) {
            if (placed.size() != w->size())
                w->resize(placed.size());
        } else if (placed != w->geometry()) {
            w->setGeometry(placed);
        }
    }
    return false;
}
