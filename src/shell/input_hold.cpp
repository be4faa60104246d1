#include "shell/input_hold.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace {

constexpr int holdLimitMs = 10000;

bool isUserInput(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Wheel:
        return true;
    default:
        return false;
    }
}

} // namespace

InputHold::InputHold(QWidget &view, QObject *parent)
    : QObject(parent)
    , m_view(view) {
    m_limit.setSingleShot(true);
    m_limit.setInterval(holdLimitMs);
    connect(&m_limit, &QTimer::timeout, this, [this] {
        m_holds = 0;
        handOn();
    });
}

InputHold::~InputHold() {
    if (m_receiver)
        m_receiver->removeEventFilter(this);
}

void InputHold::hold() {
    if (m_holds++ > 0)
        return;
    // The web view's input goes to the widget it renders in, which a new page process replaces.
    m_receiver = m_view.focusProxy() ? m_view.focusProxy() : &m_view;
    m_receiver->installEventFilter(this);
    m_limit.start();
}

void InputHold::release() {
    if (m_holds == 0 || --m_holds > 0)
        return;
    handOn();
}

void InputHold::handOn() {
    m_limit.stop();
    const QPointer<QWidget> receiver = m_receiver;
    m_receiver = nullptr;
    std::vector<std::unique_ptr<QEvent>> held;
    held.swap(m_held);
    if (!receiver)
        return;
    receiver->removeEventFilter(this);
    for (const std::unique_ptr<QEvent> &event : held)
        if (receiver) // an event handed on may end the widget
            QCoreApplication::sendEvent(receiver, event.get());
}

bool InputHold::eventFilter(QObject *watched, QEvent *event) {
    if (watched != m_receiver || !isUserInput(event->type()))
        return false;
    m_held.push_back(std::unique_ptr<QEvent>(event->clone()));
    return true;
}
