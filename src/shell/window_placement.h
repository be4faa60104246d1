#pragma once

#include <QObject>

// Every window of the program opens wholly on the screen it belongs to: a dialog placed over its
// owner near a screen edge, a palette beside the main pane, a window placed where it was on a
// larger screen are moved (or shrunk) just before they show. A maximized window is left alone.
class WindowPlacement : public QObject {
public:
    // For the application's life.
    static void install();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    using QObject::QObject;
};
