#include "shell/compose_wait_panel.h"

#include "shell/setting_widgets.h"
#include "webpages/compose_transfer.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

QFrame *createComposeWaitPanel(QWidget &window, ComposeTransfer &transfer) {
    auto *panel = new QFrame(&window);
    panel->setObjectName(QStringLiteral("PictureWait"));
    panel->setFrameShape(QFrame::Box);
    panel->setAutoFillBackground(true);
    auto *cancel = SettingWidgets::button("CommandCancelWait", "Cancel", panel);
    auto *layout = new QVBoxLayout(panel);
    layout->addWidget(new QLabel(QStringLiteral("Waiting for the compose page to load..."), panel));
    layout->addWidget(cancel, 0, Qt::AlignHCenter);
    panel->hide();
    QObject::connect(cancel, &QPushButton::clicked, &transfer, &ComposeTransfer::cancelWait);
    QObject::connect(&transfer, &ComposeTransfer::waitShown, panel, [panel, &window](bool shown) {
        if (!shown) {
            panel->hide();
            return;
        }
        panel->adjustSize();
        panel->move((window.width() - panel->width()) / 2, (window.height() - panel->height()) / 2);
        panel->show();
        panel->raise();
    });
    return panel;
}
