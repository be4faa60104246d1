#pragma once

#include <QEvent>
#include <QObject>
#include <QWidget>

#include <functional>
#include <utility>

// What the main window itself does for the compose and inbox commands: a press on its own
// surface ticks a run of messages, the first showing starts the mailto hand-over, and closing
// ends the hand-over and any pending wait.
class WindowEvents : public QObject {
public:
    WindowEvents(QWidget &window, std::function<void()> pressed, std::function<void()> shown,
                 std::function<void()> closing)
        : QObject(&window)
        , m_window(window)
        , m_pressed(std::move(pressed))
        , m_shown(std::move(shown))
        , m_closing(std::move(closing)) {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override {
        if (watched != &m_window)
            return false;
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            m_pressed(); // presses that no control took reach the window
            break;
        case QEvent::Show:
            if (m_shown)
                std::exchange(m_shown, nullptr)();
            break;
        case QEvent::Close:
            m_closing();
            break;
        default:
            break;
        }
        return false;
    }

private:
    QWidget &m_window;
    std::function<void()> m_pressed, m_shown, m_closing;
};
