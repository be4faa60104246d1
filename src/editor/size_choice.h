#pragma once

#include "editor/tag_format.h"

#include <QWidget>

class QCheckBox;
class QLineEdit;
class QRadioButton;

// "Set Width" or "Set Height" with its number and the choice of "Percent" or "Pixels". Typing a
// number ticks the box; emptying the number unticks it.
class SizeChoice : public QWidget {
    Q_OBJECT
public:
    // The object names of the box, the number, and the two choices.
    struct Names {
        const char *check, *edit, *percent, *pixels;
    };
    SizeChoice(const QString &caption, Names names, QWidget *parent);

    void setSize(const SizeSetting &size);
    SizeSetting size() const;
    // A row or column offers no width or no height: the box is unticked and the fields disabled.
    void setOffered(bool offered);

    QLineEdit *edit() const { return m_edit; }
    QRadioButton *percent() const { return m_percent; }

private:
    QCheckBox *m_check;
    QLineEdit *m_edit;
    QRadioButton *m_percent;
    QRadioButton *m_pixels;
};
