#pragma once

#include <QDialog>

#include <functional>

class QComboBox;
class QLineEdit;
class SpellChecker;

// "Spelling Check Settings": the main dictionary's language and the custom dictionary's file.
class FormSpellOptions : public QDialog {
    Q_OBJECT
public:
    FormSpellOptions(SpellChecker &checker, QWidget *parent = nullptr);

    // Stores both paths and unloads the loaded dictionaries.
    void accept() override;
    // Tests choose the file instead of the user.
    void setFileChooser(std::function<QString()> chooser) { m_chooseFile = std::move(chooser); }

private:
    void Command1_Click();

    SpellChecker &m_checker;
    QComboBox *m_comboMain;
    QLineEdit *m_editCustom;
    std::function<QString()> m_chooseFile;
};
