#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The Settings tab: inbox management, the start pages and the program's options.
class SettingsPanel : public QWidget {
    Q_OBJECT
public:
    SettingsPanel(const QString &serviceUrl, QWidget *parent = nullptr);
    // The start pages are those of the service at `address`.
    void setServiceUrl(const QString &address);

    // Filled by the inbox management controls.
    QGroupBox *inboxManagementFrame() const { return m_inboxFrame; }
    QCheckBox *checkEmail() const { return m_checkEmail; }
    QComboBox *comboTemplate2() const { return m_comboTemplate2; }
    QComboBox *comboFolders3() const { return m_comboFolders3; }
    // Says where the stored sign-in is kept.
    QLabel *labelSignInPlace() const { return m_labelSignInPlace; }

signals:
    void defaultMailProgramHelpRequested();
    void startPageChosen(const QString &address);
    void spellOptionsRequested();
    void forgetWebRequested();

private:
    QGroupBox *createStartPageFrame(const QString &serviceUrl);
    QGroupBox *createOptionsFrame();

    QGroupBox *m_inboxFrame;
    QLineEdit *m_textHotmail = nullptr;
    QLineEdit *m_textYahoo = nullptr;
    QCheckBox *m_checkEmail = nullptr;
    QComboBox *m_comboTemplate2 = nullptr;
    QComboBox *m_comboFolders3 = nullptr;
    QLabel *m_labelSignInPlace = nullptr;
};
