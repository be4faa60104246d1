#pragma once

#include "base/about_facts.h"

#include <QDialog>

// Help > About Corvalis: the version, what the program runs on, the licences of what it ships
// with, and the paths it uses, all selectable; one button copies the facts for a bug report.
class DialogAbout : public QDialog {
    Q_OBJECT
public:
    DialogAbout(const AboutFacts &facts, QWidget *parent);

    // The facts of this build and machine.
    static AboutFacts currentFacts(const QString &settingsFile, const QString &mainDir);

private:
    AboutFacts m_facts;
};
