#include "shell/close_request.h"

#include <QApplication>
#include <QDialog>
#include <QVariant>
#include <QWidget>

namespace {
constexpr const char *closingFromOutside = "corvalisClosingFromOutside";
} // namespace

void CloseRequest::closeWithDialogs(QWidget &window) {
    while (QWidget *modal = QApplication::activeModalWidget()) {
        // reject() ends a dialog even where its close box is refused (a message box without
        // an escape button); its caller then sees the safe answer, No or Cancel.
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
        else
            modal->close();
        if (QApplication::activeModalWidget() == modal)
            break; // it would not go: the window's close still runs
    }
    window.setProperty(closingFromOutside, true);
    if (!window.close())
        window.setProperty(closingFromOutside, false);
}

bool CloseRequest::isFromOutside(const QWidget &window) {
    return window.property(closingFromOutside).toBool();
}
