#pragma once

#include <QCheckBox>

// A check box whose caption wraps onto more lines when its room is narrower than the caption,
// instead of being cut. The box sits at the caption's first line; a click anywhere toggles it.
class WrappingCheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit WrappingCheckBox(const QString &caption, QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool hitButton(const QPoint &pos) const override { return rect().contains(pos); }

private:
    int captionLeft() const;
    QRect captionRect(int width) const;
};
