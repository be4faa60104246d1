#pragma once

#include "editor/table_editing.h"
#include "editor/tag_format.h"

#include <QWidget>

class QCheckBox;
class QFrame;
class QPushButton;

// "Set ... Color:" with its swatch and "Choose..." button. Choosing a colour shows it in the
// swatch and ticks the box; a cancelled chooser changes nothing.
class ColourChoice : public QWidget {
    Q_OBJECT
public:
    // The object names of the box, the swatch and the button.
    struct Names {
        const char *check, *swatch, *button;
    };
    ColourChoice(const QString &caption, Names names, const TableDialogServices &services, QWidget *parent);

    void setColour(const ColourSetting &colour);
    ColourSetting colour() const;

private:
    void choose();
    void showSwatch();

    const TableDialogServices &m_services;
    QCheckBox *m_check;
    QFrame *m_swatch;
    QPushButton *m_button;
    QString m_text; // "#RRGGBB", or a colour as the tag had it
};
