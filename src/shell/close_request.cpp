#include "shell/close_request.h"

#include <QApplication>
#include <QDialog>
#include <QWidget>

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
    window.close();
}
