#include "shell/box_messages.h"

#include <QMessageBox>

void BoxMessages::inform(const QString &text) {
    QMessageBox::information(m_parent, title(), text);
}

Messages::Answer BoxMessages::ask(const QString &text, Buttons buttons, Answer defaultAnswer) {
    // Save and Discard stand where Yes and No would.
    const bool saving = buttons == Buttons::SaveDiscardCancel;
    const QMessageBox::StandardButton yes = saving ? QMessageBox::Save : QMessageBox::Yes;
    const QMessageBox::StandardButton no = saving ? QMessageBox::Discard : QMessageBox::No;
    QMessageBox::StandardButtons shown = yes | no;
    if (buttons != Buttons::YesNo)
        shown |= QMessageBox::Cancel;
    const auto toButton = [&](Answer a) {
        switch (a) {
        case Answer::Yes:
            return yes;
        case Answer::Cancel:
            return QMessageBox::Cancel;
        default:
            return no;
        }
    };
    const QMessageBox::StandardButton chosen =
        QMessageBox::question(m_parent, title(), text, shown, toButton(defaultAnswer));
    if (chosen == yes)
        return Answer::Yes;
    return chosen == QMessageBox::Cancel ? Answer::Cancel : Answer::No;
}
