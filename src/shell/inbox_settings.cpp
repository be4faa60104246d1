#include "shell/inbox_settings.h"

#include "base/messages.h"
#include "base/settings.h"
#include "shell/setting_widgets.h"
#include "webpages/spam_keywords.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>

namespace {
constexpr int spamWordSlots = int(std::size(Keys::SpamWords));
}

InboxSettings::InboxSettings(QGroupBox &frame, Settings &settings, Messages &messages)
    : QObject(&frame)
    , m_settings(settings)
    , m_messages(messages)
    , m_textSpam(new QPlainTextEdit(&frame))
    , m_spamClose(SettingWidgets::button("SpamClose", "Close", &frame))
    , m_nonEnglish(SettingWidgets::checkBox(
          "CheckNonEnglish", "\"Check Spam\" checks messages with &multiple non-English characters", settings,
          Keys::SpamNonEnglish, &frame))
    , m_unreadOnly(SettingWidgets::checkBox("CheckSpamUnread", "\"Check Spam\" checks &only unread messages",
                                            settings, Keys::SpamUnreadOnly, &frame))
    , m_comboUnread(new QComboBox(&frame)) {
    auto *edit = SettingWidgets::button("Command7", "Edit Spam &Keywords", &frame);
    m_textSpam->setObjectName(QStringLiteral("TextSpam"));
    m_textSpam->setPlainText(SpamKeywords::toText(storedKeywords()));
    m_textSpam->hide();
    m_spamClose->hide();
    connect(edit, &QPushButton::clicked, this, &InboxSettings::openKeywords);
    connect(m_spamClose, &QPushButton::clicked, this, &InboxSettings::closeKeywords);

    m_comboUnread->setObjectName(QStringLiteral("ComboUnread"));
    m_comboUnread->addItems({QStringLiteral("All Unread Messages"), QStringLiteral("First 5 Unread Messages"),
                             QStringLiteral("First 10 Unread Messages"),
                             QStringLiteral("First 15 Unread Messages"),
                             QStringLiteral("First 20 Unread Messages")});
    m_comboUnread->setCurrentIndex(
        std::clamp(settings.get(Keys::CheckUnreadCount).toInt(), 0, m_comboUnread->count() - 1));
    connect(m_comboUnread, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_settings.set(Keys::CheckUnreadCount, QString::number(index)); });

    auto *layout = new QVBoxLayout(&frame);
    auto *keywords = new QHBoxLayout;
    keywords->addWidget(edit);
    keywords->addWidget(m_spamClose);
    keywords->addStretch(1);
    layout->addLayout(keywords);
    layout->addWidget(m_textSpam);
    layout->addWidget(m_nonEnglish);
    layout->addWidget(m_unreadOnly);
    layout->addWidget(new QLabel(QStringLiteral("\"Check Unread\" checks:"), &frame));
    layout->addWidget(m_comboUnread);
    layout->addStretch(1);
}

InboxTicks::SpamRules InboxSettings::spamRules() const {
    return {SpamKeywords::fromText(m_textSpam->toPlainText()), m_nonEnglish->isChecked(),
            m_unreadOnly->isChecked()};
}

int InboxSettings::unreadCount() const {
    return m_comboUnread->currentIndex() * 5;
}

void InboxSettings::openKeywords() {
    m_textSpam->show();
    m_spamClose->show();
    m_textSpam->setFocus();
}

QString InboxSettings::nothingToCheckQuestion() {
    return QStringLiteral("\"Check Spam\" has nothing to look for yet: no spam keywords are listed and "
                          "messages with non-English characters are not checked. Open the keyword list?");
}

bool InboxSettings::hasSpamRules() const {
    const InboxTicks::SpamRules rules = spamRules();
    return !rules.keywords.isEmpty() || rules.nonEnglish;
}

void InboxSettings::closeKeywords() {
    m_textSpam->hide();
    m_spamClose->hide();
    saveKeywords();
}

QStringList InboxSettings::storedKeywords() const {
    QStringList values;
    for (const SettingKey &key : Keys::SpamWords)
        values << m_settings.get(key);
    return SpamKeywords::fromSettingValues(values);
}

void InboxSettings::saveKeywords() {
    const QStringList keywords = SpamKeywords::fromText(m_textSpam->toPlainText());
    if (keywords == storedKeywords())
        return;
    const SpamKeywords::Stored stored =
        SpamKeywords::toSettingValues(keywords, spamWordSlots, Settings::maxValueLength);
    for (int i = 0; i < spamWordSlots; ++i)
        m_settings.set(Keys::SpamWords[i], stored.values[i]);
    if (stored.kept < keywords.size())
        m_messages.inform(
            QStringLiteral("The spam keyword list is too long to keep. Only the first %1 keywords "
                           "were saved.")
                .arg(stored.kept));
}
