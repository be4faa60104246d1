// The editor's shortcuts under X, where the desktop's key bindings give the engine keys of its
// own (run by its own test entry under Xvfb; skipped on the offscreen platform).
#include "unit/editor/surface_fixture.h"

#include <QGuiApplication>

using namespace Qt::StringLiterals;

namespace {

class EditorKeysTest : public SurfaceTest {};

// Ctrl+K, which X's bindings make "delete to the line's end", opens the link dialog and keeps the text.
TEST_F(EditorKeysTest, CtrlKAsksForALinkAndKeepsTheSelectedText) {
    if (QGuiApplication::platformName() != u"xcb"_s)
        GTEST_SKIP() << "the desktop's key bindings are X's";
    load(u"<p id=p>keep this text</p>"_s);
    QWidget *proxy = input();
    selectText(u"#p"_s, 0, 4);
    panel.setFeatureAvailable(EditorPanel::Feature::Link, true);
    QSignalSpy asked(&panel, &EditorPanel::linkRequested);
    QTest::keyClick(proxy, Qt::Key_K, Qt::ControlModifier);
    EXPECT_TRUE(asked.count() == 1 || asked.wait(2000));
    QTest::qWait(200);
    EXPECT_EQ(run(u"document.getElementById('p').textContent"_s).toString(), u"keep this text"_s);
}

} // namespace
