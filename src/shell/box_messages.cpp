#include "shell/box_messages.h"

#include <QApplication>
#include <QMessageBox>

#include <algorithm>

namespace {

bool isPopup(const QWidget &w) {
    const Qt::WindowType type = w.windowType();
    return type == Qt::Popup || type == Qt::ToolTip || type == Qt::SplashScreen;
}

bool keptAbove(const QWidget &w) {
    return w.isVisible() && !isPopup(w) && w.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

} // namespace

QWidget *BoxMessages::owner() const {
    // A box belongs to the window the user is working in: the modal dialog, else the active one.
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget *active = QApplication::activeWindow(); active && !isPopup(*active))
        return active;
    // With none active, a window kept above the others would hide a box owned by another.
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (keptAbove(*top))
            return top;
    }
    return m_parent;
}

QMessageBox::StandardButton BoxMessages::show(QMessageBox::Icon icon, const QString &text,
                                              QMessageBox::StandardButtons buttons,
                                              QMessageBox::StandardButton defaultButton) const {
    QWidget *parent = owner();
    QMessageBox box(icon, title(), text, buttons, parent);
    box.setDefaultButton(defaultButton);
    // An owner below a window kept above the others (the mail merge, the address palette) must
    // not leave its box hidden behind that window.
    const QWidgetList tops = QApplication::topLevelWidgets();
    if (std::any_of(tops.begin(), tops.end(), [parent](QWidget *w) { return w != parent && keptAbove(*w); }))
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
    return QMessageBox::StandardButton(box.exec());
}

void BoxMessages::inform(const QString &text) {
    show(QMessageBox::Information, text, QMessageBox::Ok, QMessageBox::Ok);
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
        show(QMessageBox::Question, text, shown, toButton(defaultAnswer));
    if (chosen == yes)
        return Answer::Yes;
    return chosen == QMessageBox::Cancel ? Answer::Cancel : Answer::No;
}
