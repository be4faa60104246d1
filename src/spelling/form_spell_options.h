#pragma once

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class SpellChecker;

// "Spelling Check Settings": the main dictionary's language, the custom dictionary's file and
// the underlining as the user types.
class FormSpellOptions : public QDialog {
    Q_OBJECT
public:
    FormSpellOptions(SpellChecker &checker, QWidget *parent = nullptr);

    // Stores both paths and the switch, and unloads the loaded dictionaries.
    void accept() override;
    // Tests choose the file instead of the user.
    void setFileChooser(std::function<QString()> chooser) { m_chooseFile = std::move(chooser); }

private:
    void Command1_Click();

    SpellChecker &m_checker;
    QComboBox *m_comboMain;
    QLineEdit *m_editCustom;
    QCheckBox *m_underline;
    std::function<QString()> m_chooseFile;
};
