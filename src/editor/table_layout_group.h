#pragma once

#include <QGroupBox>

class OptionalSpinBox;
class QCheckBox;
class QComboBox;
struct TableFormat;

// The alignment and layout fields both table dialogs show: "Alignment", "Border Size",
// "Cell Padding", "Cell Spacing" and "Always display border in edit mode".
class TableLayoutGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit TableLayoutGroup(QWidget *parent);

    // Alignment, border, padding and spacing from `format`, or into it.
    void showFormat(const TableFormat &format);
    void takeFormat(TableFormat &format) const;

    QCheckBox *showBorder() const { return m_showBorder; }

private:
    QComboBox *m_align;
    OptionalSpinBox *m_border;
    OptionalSpinBox *m_padding;
    OptionalSpinBox *m_spacing;
    QCheckBox *m_showBorder;
};

// An alignment list whose first entry is "Default" and whose other entries write themselves in upper case.
namespace AlignmentList {
// "Default", "Left", "Right", "Center".
QStringList horizontalEntries();
// Selects the entry whose upper-cased text is `value`; "Default" when it is empty.
void select(QComboBox *combo, const QString &value);
// The selected entry in upper case; empty for "Default" or no selection.
QString value(const QComboBox *combo);
} // namespace AlignmentList
