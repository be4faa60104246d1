#pragma once

#include <QPushButton>

// A push button whose caption wraps onto more lines when its room is narrower than the
// caption, instead of being cut.
class WrappingPushButton : public QPushButton {
    Q_OBJECT
public:
    explicit WrappingPushButton(const QString &caption, QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QSize buttonSize(const QSize &captionSize) const;
    int margins() const;
};
