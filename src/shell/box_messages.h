#pragma once

#include "base/messages.h"

class QWidget;

// Messages shown as modal message boxes over the main window.
class BoxMessages : public Messages {
public:
    explicit BoxMessages(QWidget *parent)
        : m_parent(parent) {}

    void setParentWidget(QWidget *parent) { m_parent = parent; }
    void inform(const QString &text) override;
    Answer ask(const QString &text, Buttons buttons, Answer defaultAnswer) override;

private:
    QWidget *m_parent;
};
