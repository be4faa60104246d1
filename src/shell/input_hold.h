#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <memory>
#include <vector>

class QEvent;
class QWidget;

// Holds the user's clicks and keys on a view while the program still has work to do on its page
// first, and hands them on in their order once the work is done: a click on the page's own button
// then acts on the page as the work left it. Holds nest; a hold that is never released ends by
// itself after a while, so the view never stays deaf.
class InputHold : public QObject {
public:
    explicit InputHold(QWidget &view, QObject *parent = nullptr);
    ~InputHold() override;

    void hold();
    void release();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void handOn();

    QWidget &m_view;
    QPointer<QWidget> m_receiver; // the widget that takes the view's input while held
    int m_holds = 0;
    std::vector<std::unique_ptr<QEvent>> m_held;
    QTimer m_limit;
};
