#include "editor/dialog_parts.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace DialogParts {

QDialogButtonBox *okCancelButtons(QDialog *dialog) {
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OkCmd"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("CancelCmd"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

QGroupBox *group(const QString &title, std::initializer_list<QWidget *> fields, QWidget *parent) {
    auto *box = new QGroupBox(title, parent);
    auto *layout = new QVBoxLayout(box);
    for (QWidget *field : fields)
        layout->addWidget(field);
    return box;
}

} // namespace DialogParts
