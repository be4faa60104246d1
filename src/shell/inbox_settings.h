#pragma once

#include "webpages/inbox_ticks.h"

#include <QObject>

class Messages;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QPlainTextEdit;
class QPushButton;
class Settings;

// The spam and unread settings of the Settings tab's inbox management frame. The keyword list
// is saved when it is closed (its Close button, a tab change, the window closing) and has changed.
class InboxSettings : public QObject {
    Q_OBJECT
public:
    InboxSettings(QGroupBox &frame, Settings &settings, Messages &messages);

    InboxTicks::SpamRules spamRules() const;
    // How many unread messages "Check Unread" ticks; 0 = all.
    int unreadCount() const;
    // False while "Check Spam" would tick nothing whatever the inbox holds.
    bool hasSpamRules() const;
    static QString nothingToCheckQuestion();
    void openKeywords();
    void closeKeywords();

private:
    QStringList storedKeywords() const;
    void saveKeywords();

    Settings &m_settings;
    Messages &m_messages;
    QPlainTextEdit *m_textSpam;
    QPushButton *m_spamClose;
    QCheckBox *m_nonEnglish;
    QCheckBox *m_unreadOnly;
    QComboBox *m_comboUnread;
};
