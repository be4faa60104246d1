#pragma once

#include "base/messages.h"

#include <QMessageBox>

// Messages shown as modal message boxes, each owned by the window the user is working in (the
// main window when there is none) and shown above it with the focus.
class BoxMessages : public Messages {
public:
    explicit BoxMessages(QWidget *parent)
        : m_parent(parent) {}

    void setParentWidget(QWidget *parent) { m_parent = parent; }
    void inform(const QString &text) override;
    Answer ask(const QString &text, Buttons buttons, Answer defaultAnswer) override;

private:
    QWidget *owner() const;
    QMessageBox::StandardButton show(QMessageBox::Icon icon, const QString &text,
                                     QMessageBox::StandardButtons buttons,
                                     QMessageBox::StandardButton defaultButton) const;

    QWidget *m_parent;
};
