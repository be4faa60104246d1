#include "shell/widget_map.h"

#include "webpages/web_pane.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QSaveFile>
#include <QTabBar>
#include <QTextStream>
#include <QToolButton>
#include <QWebEngineView>
#include <QWidget>

namespace {

QString place(const QRect &r) {
    return QStringLiteral("%1 %2 %3 %4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

QRect onScreen(const QWidget &w, const QRect &local) {
    return QRect(w.mapToGlobal(local.topLeft()), local.size());
}

// A control's name in the map: its object name, else its action's, else its caption.
QString key(const QWidget &w) {
    if (!w.objectName().isEmpty())
        return w.objectName();
    if (const auto *tool = qobject_cast<const QToolButton *>(&w);
        tool && tool->defaultAction() && !tool->defaultAction()->objectName().isEmpty())
        return QStringLiteral("action:") + tool->defaultAction()->objectName();
    if (const auto *button = qobject_cast<const QAbstractButton *>(&w); button && !button->text().isEmpty())
        return QStringLiteral("button:") + QString(button->text()).remove(QLatin1Char('&'));
    return {};
}

// What a control shows that a test may check: its text, whether it is ticked, the address of the
// document a pane has loaded (of the page a dialog's preview was sent to).
QString shown(const QWidget &w) {
    if (const auto *pane = qobject_cast<const WebPane *>(&w))
        return pane->documentUrl();
    if (const auto *view = qobject_cast<const QWebEngineView *>(&w))
        return view->url().toString();
    if (const auto *edit = qobject_cast<const QLineEdit *>(&w))
        return edit->text();
    if (const auto *combo = qobject_cast<const QComboBox *>(&w))
        return combo->currentText();
    if (const auto *label = qobject_cast<const QLabel *>(&w))
        return label->text();
    if (const auto *button = qobject_cast<const QAbstractButton *>(&w); button && button->isCheckable())
        return QLatin1String(button->isChecked() ? "ticked" : "unticked");
    return {};
}

// "busy" for a pane still loading its page, else "enabled" or "disabled".
const char *state(const QWidget &w) {
    if (const auto *pane = qobject_cast<const WebPane *>(&w); pane && pane->busy())
        return "busy";
    return w.isEnabled() ? "enabled" : "disabled";
}

// The part of a control that takes a click: a check box or option button only on its box and
// caption, however wide its row.
QRect clickable(const QWidget &w) {
    if (qobject_cast<const QCheckBox *>(&w) || qobject_cast<const QRadioButton *>(&w))
        return QRect(QPoint(), w.sizeHint().boundedTo(w.size()));
    return w.rect();
}

// Rows shown beyond these are of no use to a test.
constexpr int rowsListed = 30;

void writeControls(QTextStream &out, const QString &window, const QWidget &top) {
    QList<QWidget *> widgets = top.findChildren<QWidget *>();
    widgets.prepend(const_cast<QWidget *>(&top));
    for (const QWidget *w : std::as_const(widgets)) {
        if (!w->isVisible())
            continue;
        if (const QString name = key(*w); !name.isEmpty())
            out << window << '\t' << name << '\t' << place(onScreen(*w, clickable(*w))) << '\t'
                << QString(shown(*w)).replace(QLatin1Char('\n'), QLatin1Char(' ')).remove(QLatin1Char('\t'))
                << '\t' << state(*w) << '\n';
        if (qobject_cast<const QMenuBar *>(w) || qobject_cast<const QMenu *>(w)) {
            const auto actionPlace = [w](const QAction *a) {
                if (const auto *bar = qobject_cast<const QMenuBar *>(w))
                    return bar->actionGeometry(const_cast<QAction *>(a));
                return static_cast<const QMenu *>(w)->actionGeometry(const_cast<QAction *>(a));
            };
            for (const QAction *a : w->actions()) {
                if (a->isVisible() && !a->text().isEmpty())
                    out << window << "\tmenu:" << QString(a->text()).remove(QLatin1Char('&')) << '\t'
                        << place(onScreen(*w, actionPlace(a))) << '\n';
            }
        }
        if (const auto *bar = qobject_cast<const QTabBar *>(w)) {
            for (int i = 0; i < bar->count(); ++i) {
                out << window << "\ttab:" << QString(bar->tabText(i)).remove(QLatin1Char('&')) << '\t'
                    << place(onScreen(*bar, bar->tabRect(i))) << '\n';
            }
        }
        if (const auto *view = qobject_cast<const QAbstractItemView *>(w);
            view && view->model() && !w->objectName().isEmpty()) {
            for (int row = 0; row < std::min(rowsListed, view->model()->rowCount(view->rootIndex())); ++row) {
                const QModelIndex item = view->model()->index(row, 0, view->rootIndex());
                out << window << '\t' << w->objectName() << ":item:" << item.data().toString() << '\t'
                    << place(onScreen(*view->viewport(), view->visualRect(item))) << '\n';
            }
        }
    }
}

} // namespace

void WidgetMap::startIfAsked() {
    const QString path = qEnvironmentVariable("CORVALIS_WIDGET_MAP");
    if (!path.isEmpty())
        new WidgetMap(path);
}

WidgetMap::WidgetMap(QString path)
    : QObject(qApp)
    , m_path(std::move(path)) {
    // Rewritten a few times a second: texts and ticks change without any event to follow.
    connect(&m_refresh, &QTimer::timeout, this, &WidgetMap::write);
    m_refresh.start(200);
}

// Each window: "window", its X id, its title, its frame and its client area, active or not, its class;
// then a line per control: the window's id, the control's name, its place, what it shows, enabled or not.
void WidgetMap::write() const {
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        return;
    QTextStream out(&file);
    for (const QWidget *top : QApplication::topLevelWidgets()) {
        if (!top->isVisible() || top->windowType() == Qt::ToolTip)
            continue;
        const QString id = QString::number(top->winId());
        out << "window\t" << id << '\t' << top->windowTitle() << '\t' << place(top->frameGeometry()) << '\t'
            << place(top->geometry()) << '\t' << (top->isActiveWindow() ? "active" : "inactive") << '\t'
            << top->metaObject()->className() << '\n';
        writeControls(out, id, *top);
    }
    out.flush();
    file.commit();
}
