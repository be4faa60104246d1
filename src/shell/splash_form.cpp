#include "shell/splash_form.h"

#include <QFrame>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

SplashForm::SplashForm(QWidget *parent)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
    , m_timer(new QTimer(this)) {
    setObjectName(QStringLiteral("frmSplash"));
    auto *frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setFrameShape(QFrame::Box);
    auto *image = new QLabel(frame);
    image->setObjectName(QStringLiteral("Image2"));
    image->setAlignment(Qt::AlignCenter);
    image->setText(QStringLiteral("<div style='font-size:28pt;font-weight:bold'>Corvalis</div>"
                                  "<div>Your web mail, with the desk it lacked</div>"));
    image->setMargin(40);
    auto *frameLayout = new QVBoxLayout(frame);
    frameLayout->addWidget(image, 0, Qt::AlignCenter);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(frame);
    setFixedSize(420, 220);

    m_timer->setSingleShot(true);
    m_timer->setInterval(showMs);
    connect(m_timer, &QTimer::timeout, this, &QDialog::accept);
    m_timer->start();
}

void SplashForm::mousePressEvent(QMouseEvent *) {
    accept();
}

void SplashForm::keyPressEvent(QKeyEvent *) {
    accept();
}
