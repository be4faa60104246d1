#pragma once

#include <QStringList>

class QWidget;

namespace ReadingOrder {

// Chains the controls of `root` named in `names` for Tab, in that order. Controls the window does
// not have (a subsystem left out) are passed over.
void chain(QWidget &root, const QStringList &names);

} // namespace ReadingOrder
