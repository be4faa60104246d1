#pragma once

#include <QString>

#include <initializer_list>

class QDialog;
class QDialogButtonBox;
class QGroupBox;
class QWidget;

// Pieces the table and cell dialogs share.
namespace DialogParts {

// OK ("OkCmd") and "Cancel" ("CancelCmd"), wired to the dialog's accept and reject.
QDialogButtonBox *okCancelButtons(QDialog *dialog);
// A titled group holding `fields` one below the other.
QGroupBox *group(const QString &title, std::initializer_list<QWidget *> fields, QWidget *parent);

} // namespace DialogParts
