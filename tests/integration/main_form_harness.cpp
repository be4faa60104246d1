#include "main_form_harness.h"

#include "app/single_instance.h"
#include "base/main_dir_install.h"
#include "store/message_list_model.h"
#include "support/page_script.h"

#include <QAbstractItemView>
#include <QContextMenuEvent>
#include <QDeadlineTimer>
#include <QDesktopServices>
#include <QDialog>
#include <QMenuBar>
#include <QPointer>
#include <QRadioButton>
#include <QTabBar>
#include <QToolBar>

namespace {

// Takes the files the program hands to the desktop, in its place.
class OpenRecorder : public QObject {
    Q_OBJECT
public:
    explicit OpenRecorder(QStringList &opened)
        : m_opened(opened) {
        QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open");
    }
    ~OpenRecorder() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
public slots:
    void open(const QUrl &url) { m_opened.append(url.toLocalFile()); }

private:
    QStringList &m_opened;
};

QString strip(QString text) {
    return text.remove(QLatin1Char('&'));
}

} // namespace

MainFormHarness::MainFormHarness(const QByteArray &extraIni) {
    MainDirInstall::install(QStringLiteral(CORVALIS_SOURCE_DIR "/data"), m_dir.path());
    TextFile::writeAtomically(iniPath(), "[Locations]\r\nmain dir=" + mainDir().toUtf8() +
                                             "\r\nservice url=" + m_sim.baseUrl().toUtf8() + "\r\n" +
                                             extraIni);
    m_settings = std::make_unique<Settings>(iniPath());
    m_openedRecorder = std::make_unique<OpenRecorder>(m_opened);
}

MainFormHarness::~MainFormHarness() = default;

void MainFormHarness::holdInstance() {
    if (!m_instance)
        m_instance = std::make_unique<SingleInstance>(iniPath());
    m_instance->otherRunning();
}

bool MainFormHarness::start(const QString &firstPage) {
    MainForm::Options options;
    options.showSplash = false;
    m_form = std::make_unique<MainForm>(*m_settings, m_messages, options);
    holdInstance();
    m_instance->serve(*m_form);
    m_form->Form_Load();
    return waitForPage(m_form->webBrowser(1), firstPage);
}

bool MainFormHarness::waitFor(const std::function<bool()> &condition, int timeoutMs) {
    // The thread sleeps in the event dispatcher between checks, as the program's own waits do:
    // QTest::qWaitFor's sleeps beside a dispatcher that never waits leave the browser's work
    // (a page's resources, on a busy machine) undelivered for many seconds.
    const QDeadlineTimer deadline(timeoutMs);
    QTimer tick;
    tick.start(10);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return true;
}

bool MainFormHarness::waitForPage(WebPane &pane, const QString &part, int timeoutMs) {
    const auto shown = [&] {
        return !pane.busy() && pane.locationUrl().contains(part) && pane.callBridge(u"bodyText"_s);
    };
    return waitFor(shown, timeoutMs);
}

bool MainFormHarness::load(WebPane &pane, const QString &address) {
    QSignalSpy completed(&pane, &WebPane::documentCompleted);
    pane.navigate(address);
    return completed.wait(15000) && waitForPage(pane, QUrl(address).path());
}

bool MainFormHarness::openCompose(const QString &provider) {
    if (!showPage(u'/' + provider + QStringLiteral("/inbox")))
        return false;
    m_form->tabs().select(TabNavigator::Compose);
    return waitForPage(m_form->webBrowser(3), provider + QStringLiteral("/compose"));
}

QVariant MainFormHarness::runPageScript(WebPane &pane, const QString &script) {
    return ::runPageScript(*pane.page(), script);
}

QPoint MainFormHarness::elementCentre(WebPane &pane, const QString &selector) {
    const QVariantList r =
        runPageScript(pane, u"(e => { if (!e) return null; e.scrollIntoView({block: 'nearest'});"
                            u" const b = e.getBoundingClientRect(); return [b.left + b.width / 2,"
                            u" b.top + b.height / 2]; })(document.querySelector('%1'))"_s.arg(selector))
            .toList();
    return r.size() == 2 ? (QPointF(r[0].toDouble(), r[1].toDouble()) * pane.zoomFactor()).toPoint()
                         : QPoint();
}

bool MainFormHarness::clickElement(WebPane &pane, const QString &selector) {
    // The page drops a click that comes before it takes input: clicked again until the page has seen a press.
    return waitFor([&] {
        const QPoint at = elementCentre(pane, selector);
        if (at.isNull() || !pane.focusProxy())
            return false;
        runPageScript(pane, u"window.corvalisPressed = false; addEventListener('pointerdown', p => {"
                            u" window.corvalisPressed = p.isTrusted; }, true)"_s);
        QTest::mouseClick(pane.focusProxy(), Qt::LeftButton, {}, at);
        return waitFor([&] { return runPageScript(pane, u"window.corvalisPressed !== false"_s).toBool(); },
                       1000);
    });
}

bool MainFormHarness::typeInto(WebPane &pane, const QString &selector, const QString &text) {
    const QString focused = u"document.hasFocus() && document.activeElement.matches('%1')"_s.arg(selector);
    const auto hasKeys = [&] { return runPageScript(pane, focused).toBool(); };
    if (!waitFor([&] { return clickElement(pane, selector) && waitFor(hasKeys, 1000); }))
        return false;
    QTest::keyClicks(pane.focusProxy(), text);
    return true;
}

void MainFormHarness::openBook(const QString &path) {
    AddressBook &book = m_form->findChild<AddressBookController *>()->book();
    book.setPendingPath(path);
    book.Open_CSV();
}

void MainFormHarness::browse(const QString &folder) {
    m_form->tabs().select(TabNavigator::SavedFolders);
    auto *folders = child<QListWidget>("ComboFolders2");
    folders->setCurrentRow(-1); // shown afresh, also when it is already
    folders->setCurrentItem(folders->findItems(folder, Qt::MatchExactly).value(0));
}

void MainFormHarness::clickMessage(int row) {
    auto *list = child<QTreeView>("ListMsg");
    const QRect rect = list->visualRect(list->model()->index(row, MessageListModel::SubjectColumn));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
}

QAction *MainFormHarness::toolAction(const QString &toolbar, const QString &key) {
    // A toolbar's actions are its children, also where a second row shows them.
    return m_form->findChild<QToolBar *>(toolbar)->findChild<QAction *>(key);
}

QString MainFormHarness::userStep(const QString &how) {
    MainForm &window = form();
    if (how.startsWith(QLatin1Char('#'))) {
        // Keys go to the window the user looks at (offscreen leaves it unactivated after a dialog closes).
        QApplication::setActiveWindow(&window);
        QWidget *focus = QApplication::focusWidget();
        QTest::keySequence(focus ? focus : &window, QKeySequence(how.mid(1)));
        return {};
    }
    if (how.startsWith(QLatin1String("tab:"))) {
        auto *bar = window.findChild<QTabBar *>(QStringLiteral("TabStrip2"));
        for (int i = 0; i < bar->count(); ++i) {
            if (strip(bar->tabText(i)) == how.mid(4)) {
                QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(i).center());
                return {};
            }
        }
        return QStringLiteral("no tab ") + how;
    }
    if (how.contains(QLatin1Char('>'))) {
        const QStringList path = how.split(QLatin1Char('>'));
        QMenu *menu = nullptr;
        for (QAction *title : window.menuBar()->actions()) {
            if (strip(title->text()) == path[0] && title->isVisible()) {
                QTest::mouseClick(window.menuBar(), Qt::LeftButton, {},
                                  window.menuBar()->actionGeometry(title).center());
                menu = title->menu();
            }
        }
        if (!menu || !menu->isVisible())
            return QStringLiteral("no open menu ") + path[0];
        for (QAction *item : menu->actions()) {
            if (strip(item->text()) == path[1] && item->isVisible() && item->isEnabled()) {
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
                return {};
            }
        }
        menu->close();
        return QStringLiteral("no menu item ") + how;
    }
    const bool right = how.startsWith(QLatin1String("right:"));
    // Of the controls of one name, the one on show.
    QObject *at = &window;
    for (const QString &name : how.mid(right ? 6 : 0).split(QLatin1Char('/'))) {
        const QList<QObject *> named = at ? at->findChildren<QObject *>(name) : QList<QObject *>();
        at = named.value(0);
        for (QObject *candidate : named) {
            if (auto *w = qobject_cast<QWidget *>(candidate); w && w->isVisible()) {
                at = w;
                break;
            }
        }
    }
    auto *widget = qobject_cast<QWidget *>(at);
    if (auto *action = qobject_cast<QAction *>(at)) {
        for (QObject *shown : action->associatedObjects()) {
            if (auto *bar = qobject_cast<QToolBar *>(shown))
                widget = bar->widgetForAction(action);
        }
    }
    if (!widget || !widget->isVisible() || !widget->isEnabled())
        return how + (!widget                ? QStringLiteral(" is missing")
                      : !widget->isVisible() ? QStringLiteral(" is hidden")
                                             : QStringLiteral(" is disabled"));
    if (right) {
        // An item view's menu is asked for on its current item; a page takes the mouse and asks for its menu.
        if (auto *view = qobject_cast<QAbstractItemView *>(widget)) {
            const QPoint point = view->visualRect(view->currentIndex()).center();
            QContextMenuEvent event(QContextMenuEvent::Mouse, point, view->viewport()->mapToGlobal(point));
            QApplication::sendEvent(view->viewport(), &event);
            return {};
        }
        QWidget *target = widget->focusProxy() ? widget->focusProxy() : widget;
        QTest::mouseMove(target, target->rect().center());
        QTest::mouseClick(target, Qt::RightButton, {}, target->rect().center());
        return {};
    }
    // A check box or a radio button takes clicks on its box and caption only.
    const bool boxed = qobject_cast<QCheckBox *>(widget) || qobject_cast<QRadioButton *>(widget);
    QTest::mouseClick(widget, Qt::LeftButton, {},
                      boxed ? QPoint(widget->height() / 2, widget->height() / 2) : widget->rect().center());
    return {};
}

QStringList MainFormHarness::modalsDuring(const std::function<void()> &step,
                                          const std::function<void(QWidget &)> &inside) {
    QStringList names;
    QList<QPointer<QWidget>> seen;
    QPointer<QWidget> held; // the window `inside` is busy with
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget *top = QApplication::activePopupWidget();
        if (!top)
            top = QApplication::activeModalWidget();
        if (!top || top == held)
            return;
        if (!seen.contains(top)) {
            seen.append(top);
            // Qt's own dialogs are named after their class: their titles tell them apart.
            const bool named =
                !top->objectName().isEmpty() && !top->objectName().startsWith(QLatin1Char('Q'));
            names.append(named ? top->objectName() : top->windowTitle());
            if (inside && seen.size() == 1) {
                // Run outside this poll, so that what `inside` opens is polled for too.
                held = top;
                QTimer::singleShot(0, top, [&inside, &held, top] {
                    inside(*top);
                    held = nullptr;
                });
                return;
            }
        }
        if (auto *dialog = qobject_cast<QDialog *>(top))
            dialog->reject();
        else
            top->close();
    });
    poll.start(20);
    step();
    poll.stop();
    return names;
}

#include "main_form_harness.moc"
