#pragma once

#include <QDialog>

class QCheckBox;
class QSpinBox;

// "Position Editor": where the editor panel lies over the main pane, in twips.
class DialogPosEditor : public QDialog {
    Q_OBJECT
public:
    struct Placement {
        bool automatic = true;
        int top = 0;    // twips
        int height = 0; // twips
    };
    // `defaults` are what automatic placement uses.
    DialogPosEditor(const Placement &current, const Placement &defaults, QWidget *parent = nullptr);

    // The placement chosen with OK: the defaults when automatic, else the typed numbers.
    Placement placement() const;

private:
    Placement m_defaults;
    QCheckBox *m_auto;
    QSpinBox *m_top;
    QSpinBox *m_height;
};
