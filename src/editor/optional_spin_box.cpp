#include "editor/optional_spin_box.h"

namespace {
constexpr int empty = -1;
}

OptionalSpinBox::OptionalSpinBox(int maximum, QWidget *parent)
    : QSpinBox(parent) {
    setRange(empty, maximum);
}

void OptionalSpinBox::setValueText(const QString &text) {
    bool ok = false;
    const int number = text.trimmed().toInt(&ok);
    setValue(ok && number >= 0 ? number : empty);
}

QString OptionalSpinBox::valueText() const {
    return value() == empty ? QString() : QString::number(value());
}

QValidator::State OptionalSpinBox::validate(QString &input, int &pos) const {
    return input.trimmed().isEmpty() ? QValidator::Acceptable : QSpinBox::validate(input, pos);
}

int OptionalSpinBox::valueFromText(const QString &text) const {
    return text.trimmed().isEmpty() ? empty : QSpinBox::valueFromText(text);
}

QString OptionalSpinBox::textFromValue(int value) const {
    return value == empty ? QString() : QSpinBox::textFromValue(value);
}
