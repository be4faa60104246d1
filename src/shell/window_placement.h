#pragma once

#include <QObject>

// Every window of the program opens wholly on the screen it belongs to: a window the program
// placed (a palette beside the main pane, a window put where it was on a larger screen) is moved
// or shrunk just before it shows; one it never placed is only shrunk, and placed by the window
// manager or, for a dialog, centred over its owner by itself, both on the screen. A maximized
// window is left alone.
class WindowPlacement : public QObject {
public:
    // For the application's life.
    static void install();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    using QObject::QObject;
};
