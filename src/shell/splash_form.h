#pragma once

#include <QDialog>

class QTimer;

// The start-up picture. Closes itself after 1.5 s, or at once on a click or a key.
class SplashForm : public QDialog {
    Q_OBJECT
public:
    explicit SplashForm(QWidget *parent = nullptr);

    static constexpr int showMs = 1500;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QTimer *m_timer;
};
