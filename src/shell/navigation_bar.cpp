#include "shell/navigation_bar.h"

#include "base/themed_icon.h"
#include "webpages/sign_in.h"
#include "webpages/web_pane.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>

NavigationBar::NavigationBar(WebPane &mainPane, WebPane &composePane, QString serviceUrl, QWidget *parent)
    : QToolBar(parent)
    , m_main(mainPane)
    , m_compose(composePane)
    , m_serviceUrl(std::move(serviceUrl))
    , m_address(new QComboBox(this))
    , m_followed(&mainPane) {
    setObjectName(QStringLiteral("Toolbar1"));
    setWindowTitle(QStringLiteral("Navigation"));
    const auto add = [this](const QString &key, const QString &caption, const char *icon,
                            const QKeySequence &shortcut) {
        QAction *a = addAction(themedIcon(icon), caption);
        a->setObjectName(key);
        a->setShortcut(shortcut);
        a->setToolTip(shortcut.isEmpty() ? caption
                                         : caption + QStringLiteral(" (") + shortcut.toString() + u')');
        return a;
    };
    connect(add(QStringLiteral("back"), QStringLiteral("Go Back"), "go-previous", QKeySequence::Back),
            &QAction::triggered, this, [this] { m_main.back(); });
    connect(add(QStringLiteral("forward"), QStringLiteral("Go Forward"), "go-next", QKeySequence::Forward),
            &QAction::triggered, this, [this] { m_main.forward(); });
    connect(add(QStringLiteral("refresh"), QStringLiteral("Refresh"), "view-refresh", QKeySequence::Refresh),
            &QAction::triggered, this, [this] {
                m_main.reload();
                m_compose.reload();
            });
    connect(add(QStringLiteral("stop"), QStringLiteral("Stop"), "process-stop", QKeySequence::Cancel),
            &QAction::triggered, this, [this] {
                m_main.stop();
                m_compose.stop();
            });

    m_address->setObjectName(QStringLiteral("AddressCombo"));
    m_address->setEditable(true);
    m_address->setInsertPolicy(QComboBox::InsertAtTop);
    m_address->setMinimumContentsLength(40);
    m_address->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_address->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_address->lineEdit()->setPlaceholderText(QStringLiteral("Address"));
    addWidget(m_address);
    connect(m_address, &QComboBox::textActivated, this, &NavigationBar::go);

    connect(add(QStringLiteral("go"), QStringLiteral("Go"), "go-jump", {}), &QAction::triggered, this,
            &NavigationBar::go);
    QAction *spell =
        add(QStringLiteral("spell"), QStringLiteral("Spell Check Answer Body"), "tools-check-spelling", {});
    spell->setEnabled(false);
    connect(spell, &QAction::triggered, this, &NavigationBar::spellRequested);

    connect(&m_main, &QWebEngineView::urlChanged, this, &NavigationBar::mainPaneNavigated);
    // The welcome page is asked for before the bar is made, and says its address only then.
    mainPaneNavigated();
}

void NavigationBar::follow(WebPane &pane) {
    disconnect(m_following);
    m_followed = &pane;
    if (&pane != &m_main)
        m_following = connect(&pane, &QWebEngineView::urlChanged, this, &NavigationBar::showAddress);
    showAddress();
}

void NavigationBar::showAddress() {
    const QString address = m_followed->locationUrl();
    // A pane that has shown nothing yet leaves the box empty.
    m_address->setEditText(address == QLatin1String("about:blank") ? QString() : address);
}

QAction *NavigationBar::action(const QString &key) const {
    return findChild<QAction *>(key);
}

void NavigationBar::go() {
    const QString address = m_address->currentText().trimmed();
    if (address.isEmpty())
        return;
    m_main.navigate(address);
    emit goRequested();
}

void NavigationBar::mainPaneNavigated() {
    const QString address = m_main.locationUrl();
    showAddress();
    action(QStringLiteral("spell"))->setEnabled(SignIn::isAnswerPage(address, m_serviceUrl));
}
