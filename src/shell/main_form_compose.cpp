// Reply, forward, sent copies, the mailto hand-over and inbox management in the main window.
#include "shell/main_form.h"

#include "base/messages.h"
#include "base/settings.h"
#include "shell/sent_copies.h"
#include "shell/settings_panel.h"
#include "shell/tab_navigator.h"
#include "webpages/compose_pane.h"
#include "webpages/compose_transfer.h"
#include "webpages/inbox_page.h"
#include "webpages/mailto_hand_over.h"
#include "webpages/service_origin.h"
#include "webpages/web_pane.h"

#include "shell/compose_wait_panel.h"
#include "shell/inbox_settings.h"
#include "shell/setting_widgets.h"
#include "shell/window_events.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

#include <memory>

void MainForm::createCompose() {
    auto *composePane = findChild<ComposePane *>(QStringLiteral("ComposePane"));
    auto *transfer =
        new ComposeTransfer({webBrowser(1), webBrowser(2), webBrowser(3)}, *composePane,
                            {[this] { return m_tabs->selected(); }, [this](int t) { m_tabs->select(t); }},
                            m_settings, m_messages, m_pageState, this);
    // Until the main pane has shown a page of a web-mail service, and while it shows another site's,
    // the Compose tab says so in a line where the compose page would be.
    auto *noService = new QLabel(
        QStringLiteral("No web-mail service yet: sign in, and its compose page opens here."), this);
    noService->setObjectName(QStringLiteral("LabelNoService"));
    noService->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    qobject_cast<QBoxLayout *>(findChild<QWidget *>(QStringLiteral("ComposePage"))->layout())
        ->addWidget(noService, 1);
    webBrowser(3).hide();
    connect(composePane, &ComposePane::serviceKnown, this, [this, noService] {
        noService->hide();
        webBrowser(3).show();
    });
    connect(composePane, &ComposePane::serviceLeft, this, [this, noService] {
        noService->setText(
            QStringLiteral("The main pane has left your web-mail service for another site: go "
                           "back to one of the service's pages, and its compose page opens here."));
        webBrowser(3).hide();
        noService->show();
    });
    transfer->setObjectName(QStringLiteral("ComposeTransfer"));
    createComposeWaitPanel(*this, *transfer);
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
        SettingWidgets::checkBox("CheckSaveSent", "S&ave Sent Messages", m_settings, Keys::SaveSent, this);
    // Beside "Sign in Automatically" it would wrap once the address book is shown at 1024 pixels.
    m_editorBar->insertWidget(0, saveSent);
    new SentCopies(
        webBrowser(3), [this] { return m_startup.mainDir; }, [saveSent] { return saveSent->isChecked(); },
        [this] { return serviceOrigin(); }, m_messages, this);
    auto *handOver = new MailtoHandOver(m_settings, *transfer, this);

    // Inbox management: the checks above the inbox pane, their settings on the Settings tab.
    auto inbox = std::make_shared<InboxPage>(
        webBrowser(1), m_pageState,
        TabSwitch{[this] { return m_tabs->selected(); }, [this](int t) { m_tabs->select(t); }},
        [this] { return m_settings.get(Keys::Service); });
    auto *inboxSettings = new InboxSettings(*m_settingsPanel->inboxManagementFrame(), m_settings, m_messages);
    connect(m_tabs, &TabNavigator::tabChangeStarted, inboxSettings, &InboxSettings::closeKeywords);

    auto *frame1 = new QGroupBox(QStringLiteral("Inbox Management"), this);
    frame1->setObjectName(QStringLiteral("Frame1"));
    auto *checkUnread = SettingWidgets::button("Command1", "Check &Unread", frame1);
    auto *checkSpam = SettingWidgets::button("Command2", "Check S&pam", frame1);
    auto *frameLayout = new QHBoxLayout(frame1);
    frameLayout->setContentsMargins(4, 0, 4, 2);
    frameLayout->addWidget(checkUnread);
    frameLayout->addWidget(checkSpam);
    m_inboxBar->insertWidget(0, frame1);
    connect(checkUnread, &QPushButton::clicked, this,
            [inbox, inboxSettings] { inbox->checkUnread(inboxSettings->unreadCount()); });
    connect(checkSpam, &QPushButton::clicked, this, [this, inbox, inboxSettings] {
        // A fresh install has no keywords: the user learns where they go instead of seeing nothing.
        if (!inboxSettings->hasSpamRules()) {
            if (m_messages.ask(InboxSettings::nothingToCheckQuestion(), Messages::Buttons::YesNo,
                               Messages::Answer::Yes) == Messages::Answer::Yes) {
                m_tabs->select(TabNavigator::SettingsTab);
                inboxSettings->openKeywords();
            }
            return;
        }
        inbox->checkSpam(inboxSettings->spamRules());
    });

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

    // A press on the window's own surface ticks a run only where the message list is on show:
    // elsewhere (the Settings tab's blank area) it would pull the user over to the Inbox tab.
    const auto pressed = [this, inbox] {
        if (m_tabs->selected() == TabNavigator::InboxLogin)
            inbox->TickRange();
    };

    // The right mouse button on a message list ticks the run too (as the help says); elsewhere
    // the page's own menu comes.
    WebPane *main = &webBrowser(1);
    main->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(main, &QWidget::customContextMenuRequested, this, [this, inbox, main](const QPoint &at) {
        // The page asks from inside one of its own tasks, where it cannot answer the ticking's calls.
        QTimer::singleShot(0, this, [inbox, main, at] {
            if (inbox->TickRange())
                return;
            QMenu *menu = main->createStandardContextMenu();
            menu->setAttribute(Qt::WA_DeleteOnClose);
            menu->popup(main->mapToGlobal(at));
        });
    });

    new WindowEvents(
        *this, pressed, [handOver] { handOver->start(); },
        [transfer, handOver, inboxSettings] {
            handOver->stop();
            transfer->close();
            inboxSettings->closeKeywords();
        });
}
