#pragma once

#include "base/messages.h"
#include "editor/editing_surface.h"
#include "editor/editor_panel.h"
#include "editor/editor_toolbar.h"
#include "support/page_script.h"

#include <QApplication>
#include <QDialog>
#include <QFrame>
#include <QHBoxLayout>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

// The child `name` of a dialog, failing the test when it is missing.
template<typename T = QWidget> T *field(QObject &dialog, const char *name) {
    T *found = dialog.findChild<T *>(QString::fromLatin1(name));
    EXPECT_TRUE(found) << name;
    return found;
}

// Runs `trigger` with `dialogs` handing the dialog it shows (at once or on a timer) to `drive`;
// whether one was shown.
template<typename Dialogs>
bool drivesDialog(Dialogs &dialogs, const std::function<void()> &trigger,
                  const std::function<void(QDialog &)> &drive) {
    bool shown = false;
    dialogs.setShow([&](QDialog &dialog) {
        shown = true;
        drive(dialog);
    });
    trigger();
    return QTest::qWaitFor([&] { return shown; }, 1000);
}

// An editor panel with its real surface (offscreen), on a document given as HTML. Scripts run
// in the program's world, as the page's own are off.
class SurfaceTest : public ::testing::Test {
protected:
    SurfaceTest()
        : panel({frame, modes, messages, [] { return 3030; }, [] { return 950; }, [] { return 9000; },
                 [this] { return preserve; }},
                nullptr) {
        frame.resize(900, 500);
        panel.setReady(true);
    }
    EditingSurface &surface() { return panel.surface(); }

    void load(const QString &body) {
        surface().setDocumentHtml(u"<html><body>"_qs + body + u"</body></html>"_qs);
    }
    QVariant run(const QString &script) { return runPageScript(*surface().page(), script); }
    // Selects from character `from` of the first match of `selector` to character `to` (-1: the end)
    // of it or of `endSelector`'s; waits for the notification that brings the toolbar up to date.
    void selectText(const QString &selector, int from = 0, int to = -1, const QString &endSelector = {}) {
        QSignalSpy changed(&surface(), &EditingSurface::displayChanged);
        run(uR"({ const s = document.querySelector('%1').firstChild;
                const e = '%4' ? document.querySelector('%4').firstChild : s;
                const r = document.createRange(); r.setStart(s, %2); r.setEnd(e, %3 < 0 ? e.length : %3);
                const sel = getSelection(); sel.removeAllRanges(); sel.addRange(r); })"_qs.arg(
            selector, QString::number(from), QString::number(to), endSelector));
        EXPECT_TRUE(changed.wait(3000));
    }
    QString body() { return surface().bodyHtml(); }

    // Shows the panel as a window, so mouse and keys reach the surface as a person's do; the
    // widget that takes them.
    QWidget *input() {
        if (!frame.isVisible()) {
            frame.show();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(&frame));
            frame.activateWindow();
        }
        EXPECT_TRUE(QTest::qWaitFor([this] { return surface().focusProxy() != nullptr; }, 5000));
        return surface().focusProxy();
    }
    // Clicks the toolbar button `key` with the mouse.
    void clickButton(const char *key) {
        input();
        auto *toolbar = frame.findChild<EditorToolbar *>();
        QTest::mouseClick(toolbar->widgetForAction(toolbar->button(QString::fromLatin1(key))),
                          Qt::LeftButton);
    }
    // The middle of the first element `selector` finds, where a click lands in it.
    QPoint middleOf(const QString &selector) {
        const QVariantList r =
            run(u"(b => [b.left + b.width / 2, b.top + b.height / 2])(document.querySelector('%1')"
                ".getBoundingClientRect())"_qs.arg(selector))
                .toList();
        return QPoint(r.value(0).toInt(), r.value(1).toInt());
    }
    // The pop-up menu once one is open (null when none opened), and its entries as
    // "Cut|Copy||..." with a greyed entry as "~Cut" and a separator empty.
    static QMenu *openMenu() {
        QMenu *menu = nullptr;
        [[maybe_unused]] const bool opened = QTest::qWaitFor(
            [&] { return (menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())); }, 5000);
        return menu;
    }
    static QString entries(const QMenu &menu) {
        QStringList texts;
        for (const QAction *action : menu.actions())
            texts << (action->isEnabled() ? QString() : u"~"_qs) + action->text();
        return texts.join(u'|');
    }
    // Clicks the entry `text` of an open menu with the mouse.
    static void pick(QMenu &menu, const QString &text) {
        for (QAction *action : menu.actions()) {
            if (action->text() == text)
                return QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(action).center());
        }
        ADD_FAILURE() << "no entry " << text.toStdString() << " in " << entries(menu).toStdString();
    }
    template<typename T> T *child(const char *name) {
        return frame.findChild<T *>(QString::fromLatin1(name));
    }

    QFrame frame;
    QWidget modeHolder;
    QHBoxLayout modes{&modeHolder};
    RecordingMessages messages;
    bool preserve = false;
    EditorPanel panel;
};
