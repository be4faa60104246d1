#pragma once

#include <QSpinBox>

// A number box with up and down arrows that may also be left empty (no attribute): the table
// dialogs' border, padding, spacing and span fields.
class OptionalSpinBox : public QSpinBox {
    Q_OBJECT
public:
    explicit OptionalSpinBox(int maximum, QWidget *parent = nullptr);

    // The number as text, or empty. Text that is no number shows as empty.
    void setValueText(const QString &text);
    QString valueText() const;

protected:
    QValidator::State validate(QString &input, int &pos) const override;
    int valueFromText(const QString &text) const override;
    QString textFromValue(int value) const override;
};
