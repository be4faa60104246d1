// Reply, forward, sent copies, the mailto hand-over and inbox management in the main window.
#include "shell/main_form.h"

#include "shell/messages.h"
#include "shell/sent_copies.h"
#include "shell/settings.h"
#include "shell/settings_panel.h"
#include "shell/tab_navigator.h"
#include "webpages/compose_transfer.h"
#include "webpages/inbox_page.h"
#include "webpages/mailto_hand_over.h"
#include "webpages/spam_keywords.h"
#include "webpages/web_pane.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>
#include <memory>

namespace {

constexpr int spamWordSlots = int(std::size(Keys::SpamWords));

// What the window itself does for these commands: a press on its own surface ticks a run of
// messages, the first showing starts the mailto hand-over, and closing ends a pending wait.
class WindowEvents : public QObject {
public:
    WindowEvents(QWidget &window, std::function<void()> pressed, std::function<void()> shown,
                 std::function<void()> closing)
        : QObject(&window)
        , m_window(window)
        , m_pressed(std::move(pressed))
        , m_shown(std::move(shown))
        , m_closing(std::move(closing)) {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override {
        if (watched != &m_window)
            return false;
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            m_pressed(); // presses that no control took reach the window
            break;
        case QEvent::Show:
            if (m_shown)
                std::exchange(m_shown, nullptr)();
            break;
        case QEvent::Close:
            m_closing();
            break;
        default:
            break;
        }
        return false;
    }

private:
    QWidget &m_window;
    std::function<void()> m_pressed, m_shown, m_closing;
};

QPushButton *button(const char *name, const char *caption, QWidget *parent) {
    auto *b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

QCheckBox *settingCheckBox(const char *name, const char *caption, Settings &settings, const SettingKey &key,
                           QWidget *parent) {
    auto *box = new QCheckBox(QString::fromUtf8(caption), parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setChecked(settings.get(key) == QLatin1String("1"));
    QObject::connect(box, &QCheckBox::toggled, box, [&settings, &key](bool on) {
        settings.set(key, on ? QStringLiteral("1") : QStringLiteral("0"));
    });
    return box;
}

// The wait panel over the work area while a transfer waits for its compose page.
QFrame *createWaitPanel(QWidget &window, ComposeTransfer &transfer) {
    auto *panel = new QFrame(&window);
    panel->setObjectName(QStringLiteral("PictureWait"));
    panel->setFrameShape(QFrame::Box);
    panel->setAutoFillBackground(true);
    auto *cancel = button("CommandCancelWait", "Cancel", panel);
    auto *layout = new QVBoxLayout(panel);
    layout->addWidget(new QLabel(QStringLiteral("Waiting for the compose page to load..."), panel));
    layout->addWidget(cancel, 0, Qt::AlignHCenter);
    panel->hide();
    QObject::connect(cancel, &QPushButton::clicked, &transfer, &ComposeTransfer::cancelWait);
    QObject::connect(&transfer, &ComposeTransfer::waitShown, panel, [panel, &window](bool shown) {
        if (!shown) {
            panel->hide();
            return;
        }
        panel->adjustSize();
        panel->move((window.width() - panel->width()) / 2, (window.height() - panel->height()) / 2);
        panel->show();
        panel->raise();
    });
    return panel;
}

// The spam and unread settings on the Settings tab. The keyword list is saved when it is
// closed (by its Close button, by a tab change, or with the window) and has changed.
struct SpamSettings {
    QPlainTextEdit *textSpam;
    QPushButton *spamClose;
    QCheckBox *nonEnglish;
    QCheckBox *unreadOnly;
    QComboBox *comboUnread;

    InboxTicks::SpamRules rules() const {
        return {SpamKeywords::fromText(textSpam->toPlainText()), nonEnglish->isChecked(),
                unreadOnly->isChecked()};
    }
};

QStringList storedSpamKeywords(const Settings &settings) {
    QStringList values;
    for (const SettingKey &key : Keys::SpamWords)
        values << settings.get(key);
    return SpamKeywords::fromSettingValues(values);
}

void saveSpamKeywords(const SpamSettings &spam, Settings &settings, Messages &messages) {
    const QStringList keywords = SpamKeywords::fromText(spam.textSpam->toPlainText());
    if (keywords == storedSpamKeywords(settings))
        return;
    const SpamKeywords::Stored stored =
        SpamKeywords::toSettingValues(keywords, spamWordSlots, Settings::maxValueLength);
    for (int i = 0; i < spamWordSlots; ++i)
        settings.set(Keys::SpamWords[i], stored.values[i]);
    if (stored.kept < keywords.size())
        messages.inform(
            QStringLiteral("The spam keyword list is too long to keep. Only the first %1 keywords "
                           "were saved.")
                .arg(stored.kept));
}

SpamSettings createSpamSettings(QGroupBox &frame, Settings &settings) {
    auto *edit = button("Command7", "Edit Spam &Keywords", &frame);
    SpamSettings spam{new QPlainTextEdit(&frame), button("SpamClose", "Close", &frame),
                      settingCheckBox("CheckNonEnglish",
                                      "\"Check Spam\" checks messages with multiple non-&English "
                                      "characters",
                                      settings, Keys::SpamNonEnglish, &frame),
                      settingCheckBox("CheckSpamUnread", "\"Check Spam\" checks &only unread messages",
                                      settings, Keys::SpamUnreadOnly, &frame),
                      new QComboBox(&frame)};
    spam.textSpam->setObjectName(QStringLiteral("TextSpam"));
    spam.textSpam->setPlainText(SpamKeywords::toText(storedSpamKeywords(settings)));
    spam.textSpam->hide();
    spam.spamClose->hide();
    QObject::connect(edit, &QPushButton::clicked, &frame, [spam] {
        spam.textSpam->show();
        spam.spamClose->show();
        spam.textSpam->setFocus();
    });

    spam.comboUnread->setObjectName(QStringLiteral("ComboUnread"));
    spam.comboUnread->addItems(
        {QStringLiteral("All Unread Messages"), QStringLiteral("First 5 Unread Messages"),
         QStringLiteral("First 10 Unread Messages"), QStringLiteral("First 15 Unread Messages"),
         QStringLiteral("First 20 Unread Messages")});
    spam.comboUnread->setCurrentIndex(
        std::clamp(settings.get(Keys::CheckUnreadCount).toInt(), 0, spam.comboUnread->count() - 1));
    QObject::connect(spam.comboUnread, &QComboBox::currentIndexChanged, &frame, [&settings](int index) {
        settings.set(Keys::CheckUnreadCount, QString::number(index));
    });

    auto *layout = new QVBoxLayout(&frame);
    auto *keywords = new QHBoxLayout;
    keywords->addWidget(edit);
    keywords->addWidget(spam.spamClose);
    keywords->addStretch(1);
    layout->addLayout(keywords);
    layout->addWidget(spam.textSpam);
    layout->addWidget(spam.nonEnglish);
    layout->addWidget(spam.unreadOnly);
    layout->addWidget(new QLabel(QStringLiteral("\"Check Unread\" checks:"), &frame));
    layout->addWidget(spam.comboUnread);
    layout->addStretch(1);
    return spam;
}

} // namespace

void MainForm::createCompose() {
    auto *transfer =
        new ComposeTransfer({webBrowser(1), webBrowser(2), webBrowser(3)},
                            {[this] { return m_tabs->selected(); }, [this](int t) { m_tabs->select(t); }},
                            m_settings, m_pageState, this);
    transfer->setObjectName(QStringLiteral("ComposeTransfer"));
    createWaitPanel(*this, *transfer);
    // The saved-folders tab carries the reply buttons.
    const std::pair<const char *, TransferMode> replies[] = {
        {"CommandReplyText", TransferMode::ReplyWithText},
        {"CommandReplyNoText", TransferMode::ReplyWithoutText},
        {"CommandForward", TransferMode::Forward},
        {"CommandSendAgain", TransferMode::SendAgain}};
    for (const auto &[name, mode] : replies) {
        if (auto *reply = findChild<QPushButton *>(QString::fromLatin1(name)))
            connect(reply, &QPushButton::clicked, transfer,
                    [transfer, mode] { transfer->ReplyOrForward(int(mode)); });
    }

    auto *saveSent =
        settingCheckBox("CheckSaveSent", "S&ave Sent Messages", m_settings, Keys::SaveSent, this);
    m_inboxBar->addWidget(saveSent);
    new SentCopies(
        webBrowser(3), [this] { return m_startup.mainDir; }, [saveSent] { return saveSent->isChecked(); },
        this);
    auto *handOver = new MailtoHandOver(m_settings, *transfer, this);

    // Inbox management: the checks above the inbox pane, their settings on the Settings tab.
    auto inbox = std::make_shared<InboxPage>(
        webBrowser(1), m_pageState,
        TabSwitch{[this] { return m_tabs->selected(); }, [this](int t) { m_tabs->select(t); }});
    const SpamSettings spam = createSpamSettings(*m_settingsPanel->inboxManagementFrame(), m_settings);
    const auto closeSpamKeywords = [this, spam] {
        spam.textSpam->hide();
        spam.spamClose->hide();
        saveSpamKeywords(spam, m_settings, m_messages);
    };
    connect(spam.spamClose, &QPushButton::clicked, this, closeSpamKeywords);
    connect(m_tabs, &TabNavigator::tabChangeStarted, this, closeSpamKeywords);

    auto *frame1 = new QGroupBox(QStringLiteral("Inbox Management"), this);
    frame1->setObjectName(QStringLiteral("Frame1"));
    auto *checkUnread = button("Command1", "Check &Unread", frame1);
    auto *checkSpam = button("Command2", "Check S&pam", frame1);
    auto *frameLayout = new QHBoxLayout(frame1);
    frameLayout->setContentsMargins(4, 0, 4, 2);
    frameLayout->addWidget(checkUnread);
    frameLayout->addWidget(checkSpam);
    m_inboxBar->insertWidget(0, frame1);
    connect(checkUnread, &QPushButton::clicked, this,
            [inbox, spam] { inbox->checkUnread(spam.comboUnread->currentIndex() * 5); });
    connect(checkSpam, &QPushButton::clicked, this, [inbox, spam] { inbox->checkSpam(spam.rules()); });

    // The inbox commands come before the Help menu, the last one.
    auto *menu = new QMenu(QStringLiteral("&Inbox"), this);
    menuBar()->insertMenu(menuBar()->actions().value(menuBar()->actions().size() - 1), menu);
    QAction *tickRange =
        menu->addAction(QStringLiteral("Tick &Range"), this, [inbox] { inbox->TickRange(); });
    tickRange->setObjectName(QStringLiteral("mnuTickRange"));
    tickRange->setStatusTip(QStringLiteral("Tick every message between two ticked ones"));
    QAction *clearTicks =
        menu->addAction(QStringLiteral("&Clear Ticks"), this, [inbox] { inbox->ClearTicks(); });
    clearTicks->setObjectName(QStringLiteral("mnuClearTicks"));

    new WindowEvents(
        *this, [inbox] { inbox->TickRange(); }, [handOver] { handOver->start(); },
        [transfer, closeSpamKeywords] {
            if (transfer->running())
                transfer->cancelWait();
            closeSpamKeywords();
        });
}
