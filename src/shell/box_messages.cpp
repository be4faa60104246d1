#include "shell/box_messages.h"

#include <QMessageBox>

void BoxMessages::inform(const QString &text) {
    QMessageBox::information(m_parent, title(), text);
}

Messages::Answer BoxMessages::ask(const QString &text, Buttons buttons, Answer defaultAnswer) {
    QMessageBox::StandardButtons shown = QMessageBox::Yes | QMessageBox::No;
    if (buttons == Buttons::YesNoCancel)
        shown |= QMessageBox::Cancel;
    const auto toButton = [](Answer a) {
        switch (a) {
        case Answer::Yes:
            return QMessageBox::Yes;
        case Answer::Cancel:
            return QMessageBox::Cancel;
        default:
            return QMessageBox::No;
        }
    };
    switch (QMessageBox::question(m_parent, title(), text, shown, toButton(defaultAnswer))) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    default:
        return Answer::No;
    }
}
