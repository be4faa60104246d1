#include "shell/help_window.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QPointer>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

HelpWindow::HelpWindow(const QString &contentsPage, QWidget *owner)
    : QWidget(owner, Qt::Window)
    , m_contentsPage(contentsPage)
    , m_browser(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Help"));
    m_browser->setObjectName(QStringLiteral("helpBrowser"));
    // Pages of the web open in the desktop's browser, if it has one; help pages stay here.
    m_browser->setOpenLinks(false);
    connect(m_browser, &QTextBrowser::anchorClicked, this, [this](const QUrl &link) {
        if (link.isLocalFile() || link.isRelative())
            m_browser->setSource(m_browser->source().resolved(link));
        else
            QDesktopServices::openUrl(link);
    });

    auto *bar = new QToolBar(this);
    QAction *back = bar->addAction(QStringLiteral("&Back"), m_browser, &QTextBrowser::backward);
    back->setObjectName(QStringLiteral("helpBack"));
    back->setShortcut(QKeySequence::Back);
    back->setEnabled(false);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    QAction *forward = bar->addAction(QStringLiteral("&Forward"), m_browser, &QTextBrowser::forward);
    forward->setObjectName(QStringLiteral("helpForward"));
    forward->setShortcut(QKeySequence::Forward);
    forward->setEnabled(false);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    bar->addAction(QStringLiteral("&Contents"), this, [this] { open(m_contentsPage); })
        ->setObjectName(QStringLiteral("helpContents"));
    connect(m_browser, &QTextBrowser::sourceChanged, this,
            [this] { setWindowTitle(m_browser->documentTitle() + QStringLiteral(" - Help")); });

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(m_browser, 1);
    resize(720, 560);
}

void HelpWindow::showTopic(QWidget &owner, const QString &mainDir, HelpLauncher::Topic topic) {
    QPointer<QWidget> asking(&owner);
    const auto showHere = [asking, mainDir, topic] {
        if (asking)
            showInWindow(*asking, mainDir, topic);
    };
    if (!HelpLauncher::open(mainDir, topic, showHere))
        showHere();
}

void HelpWindow::showInWindow(QWidget &owner, const QString &mainDir, HelpLauncher::Topic topic) {
    QWidget *parent = QApplication::activeModalWidget() ? QApplication::activeModalWidget() : &owner;
    auto *window = parent->findChild<HelpWindow *>(QString(), Qt::FindDirectChildrenOnly);
    if (!window)
        window = new HelpWindow(HelpLauncher::pagePath(mainDir, HelpLauncher::Topic::Contents), parent);
    window->open(HelpLauncher::pagePath(mainDir, topic));
    window->show();
    window->raise();
    window->activateWindow();
}

void HelpWindow::open(const QString &page) {
    // A missing page is said in words; the browser would only leave the window blank.
    if (!QFileInfo(page).isFile()) {
        m_browser->setPlainText(QStringLiteral("The help page %1 is missing.").arg(page));
        return;
    }
    m_browser->setSource(QUrl::fromLocalFile(QFileInfo(page).absoluteFilePath()));
}
