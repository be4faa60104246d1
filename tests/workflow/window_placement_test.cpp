// Windows open wholly on the screen, and the main window comes back exactly where it was closed.
#include "workflow/support/workflow_test.h"

namespace {

const QString main = u"MainForm"_s;

class WindowPlacementTest : public WorkflowTest {
protected:
    QRect frameOf(const QString &window) const {
        const auto w = corvalis.window(window);
        return w ? w->frame : QRect();
    }
    // Moves the main window's frame to `corner` as a user drags it, and waits until it is there.
    bool moveMain(QPoint corner) {
        const auto w = corvalis.window(main);
        if (!w)
            return false;
        desktop.run(u"xdotool"_s, {u"windowmove"_s, QString::number(w->id), QString::number(corner.x()),
                                   QString::number(corner.y())});
        return CorvalisRun::waitFor([&] { return frameOf(main).topLeft() == corner; });
    }
};

TEST_F(WindowPlacementTest, DISABLED_TheMainWindowReturnsWhereItWasAndOthersOpenOnTheScreen) {
    ASSERT_TRUE(corvalis.start());
    ASSERT_TRUE(moveMain({300, 200}));
    const QRect closedAt = frameOf(main);
    ASSERT_TRUE(corvalis.stop());
    ASSERT_TRUE(corvalis.start());
    EXPECT_TRUE(CorvalisRun::waitFor([&] { return frameOf(main) == closedAt; })) << frameOf(main).y();

    // Near the right edge and near the bottom, the palette placed beside the main pane and the
    // help window still open wholly on the screen.
    const QRect screen(QPoint(0, 0), desktop.screen());
    for (const QPoint corner : {QPoint(screen.width() - 300, 100), QPoint(100, screen.height() - 200)}) {
        SCOPED_TRACE(corner.x());
        ASSERT_TRUE(moveMain(corner));
        ASSERT_TRUE(corvalis.click(u"action:palette"_s, main));
        ASSERT_TRUE(corvalis.waitForWindow(u"Email Addresses"_s));
        EXPECT_TRUE(screen.contains(frameOf(u"Email Addresses"_s))) << frameOf(u"Email Addresses"_s).x();
        desktop.key(u"F1"_s);
        ASSERT_TRUE(corvalis.waitForWindow(u"HelpWindow"_s));
        EXPECT_TRUE(CorvalisRun::waitFor([&] { return screen.contains(frameOf(u"HelpWindow"_s)); }))
            << frameOf(u"HelpWindow"_s).y();
        shot(u"edge"_s);
        desktop.run(u"xdotool"_s,
                    {u"windowactivate"_s, u"--sync"_s, QString::number(corvalis.window(u"HelpWindow"_s)->id),
                     u"key"_s, u"alt+F4"_s});
        ASSERT_TRUE(CorvalisRun::waitFor([&] { return !corvalis.window(u"HelpWindow"_s); }));
    }
}

} // namespace
