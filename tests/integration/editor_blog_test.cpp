// The editor laid over webmail-sim's blog post pages.
#include "main_form_harness.h"

#include "editor/editing_surface.h"
#include "editor/editor_panel.h"
#include "shell/dialog_blog_footer.h"
#include "webpages/blog_post.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QEvent>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFrame>
#include <QTextBrowser>
#include <QToolBar>

using namespace std::literals;

namespace {

// The post field of each page variant, read in the page's own world.
const QString framedField =
    u"frames['inside'].frames['blog_form'].document.forms['stuffform'].txaBody.value"_s;
const QString plainField = u"document.forms['stuffform'].postBody.value"_s;

class EditorBlogTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(h.start()); }
    WebPane &main() { return h.form().webBrowser(1); }
    EditorPanel &editor() { return h.form().editor(); }
    // The result of `script` in the page's own world, as text.
    static QString js(WebPane &pane, const QString &script) {
        return MainFormHarness::runPageScript(pane, script).toString();
    }
    // A click with the mouse on the button `key` of the toolbar `bar`.
    std::function<void()> tool(const char *bar, const char *key) {
        return [this, bar, key] {
            QTest::mouseClick(
                h.form()
                    .findChild<QToolBar *>(QString::fromLatin1(bar))
                    ->widgetForAction(h.toolAction(QString::fromLatin1(bar), QString::fromLatin1(key))),
                Qt::LeftButton);
        };
    }

    MainFormHarness h;
};

TEST_F(EditorBlogTest, PostFormFollowsTheEditor) {
    const QString post = u"<p>My <b>post</b></p>\n<ul>\n  <li>one</li>\n</ul>"_s; // laid out as saved
    editor().surface().setDocumentHtml(
        u"<html><body><p>My <b>post</b></p><ul><li>one</li></ul></body></html>"_s);
    for (const auto &[page, field] :
         {std::pair{u"/blog/post"_s, framedField}, {u"/blog/plain"_s, plainField}}) {
        SCOPED_TRACE(page.toStdString());
        ASSERT_TRUE(h.load(main(), h.sim().baseUrl() + page));
        QTest::mouseClick(h.child<QPushButton>("CommandCopyToPost"), Qt::LeftButton);
        EXPECT_EQ(js(main(), field), post);
    }

    // Leaving the editor with the pointer carries the change over too.
    editor().surface().setDocumentHtml(u"<html><body><p>left</p></body></html>"_s);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&editor().surface(), &leave);
    EXPECT_TRUE(MainFormHarness::waitFor([&] { return js(main(), plainField) == u"<p>left</p>"_s; }))
        << js(main(), plainField).toStdString();

    // A footer chosen in "Blog Footer..." is kept and goes into the post once, as text.
    DialogBlogFooter dialog({false, {}, {}}, &h.form());
    dialog.findChild<QCheckBox *>(u"CheckFooter"_s)->setChecked(true);
    dialog.findChild<QLineEdit *>(u"TextAffID"_s)->setText(u"ann&co"_s);
    const QString footer = u"Tom & \"Jerry\" <3 Vellumcast"_s;
    dialog.findChild<QLineEdit *>(u"TextAffText"_s)->setText(footer);
    EXPECT_TRUE(dialog.findChild<QTextBrowser *>(u"FooterPreview"_s)->toPlainText().contains(footer));
    h.form().applyBlogFooter(dialog.footer());
    EXPECT_EQ(h.settings().get(Keys::AffId) + u'|' + h.settings().get(Keys::AffText), u"ann&co|"_s + footer);
    h.child<QPushButton>("CommandCopyToPost")->click();
    h.child<QPushButton>("CommandCopyToPost")->click();
    const QString posted = js(main(), plainField);
    EXPECT_TRUE(posted.startsWith(u"<p>left</p>"_s) &&
                posted.count(u"Tom &amp; &quot;Jerry&quot; &lt;3 Vellumcast"_s) == 1)
        << posted.toStdString();

    // A web-mail page has no post form: the editor is not even read.
    ASSERT_TRUE(h.load(main(), h.sim().baseUrl() + u"/hotmail/inbox"_s));
    bool read = false;
    EXPECT_FALSE(
        BlogPost::transfer(main(), [&] { return read = true, QString(); }, {true, u"id"_s, u"text"_s}));
    EXPECT_FALSE(read);
}

// The source mode shows the body as Save writes it: the file's own lines, a new block laid out. A
// look at it changes nothing.
TEST_F(EditorBlogTest, SourceModeShowsTheBodyAsSaveWritesIt) {
    QTemporaryDir dir;
    const QString file = dir.filePath(u"post.htm"_s);
    ASSERT_TRUE(TextFile::writeAtomically(
                    file, "<html>\r\n<body>\r\n<h1>T</h1>\r\n  <p id=p>one</p>\r\n</body></html>")
                    .ok);
    ASSERT_TRUE(h.load(main(), h.sim().baseUrl() + u"/blog/plain"_s));
    editor().openFile(file);
    for (const QString &expected : {u"<h1>T</h1>\n  <p id=p>one</p>"_s,
                                    u"<h1>T</h1>\n  <p id=p>one</p>\n<ul>\n  <li>new</li>\n</ul>"_s}) {
        bool covered = true; // while the copy runs: the page is uncovered at once
        const auto seen = QObject::connect(&editor(), &EditorPanel::postTransferRequested, &editor(),
                                           [&] { covered = h.form().editorPanel()->isVisible(); });
        QTest::mouseClick(h.child<QCheckBox>("CheckHTMLSource"), Qt::LeftButton);
        QObject::disconnect(seen);
        EXPECT_FALSE(covered || h.form().editorPanel()->isVisible());
        EXPECT_EQ(js(main(), plainField), expected);
        QTest::mouseClick(h.child<QCheckBox>("CheckNormal"), Qt::LeftButton);
        EXPECT_EQ(editor().surface().documentChanged(), expected.contains(u"new"_s));
        if (!expected.contains(u"new"_s))
            js(editor().surface(), u"getSelection().collapse(document.getElementById('p'), 1);"
                                   " document.execCommand('insertHTML', false, '<ul><li>new</li></ul>')"_s);
    }
    ASSERT_TRUE(editor().saveFile(file));
    EXPECT_TRUE(
        TextFile::readAll(file)
            .value_or(QByteArray())
            .contains("<h1>T</h1>\r\n  <p id=p>one</p>\r\n<ul>\r\n  <li>new</li>\r\n</ul>\r\n</body>"));
}

// The page element at a point of the main pane, through its frames: a field by its name.
QString elementAt(WebPane &pane, QPoint at) {
    return MainFormHarness::runPageScript(
               pane,
               u"(function (x, y) { let d = document, e;"
               " while ((e = d.elementFromPoint(x, y)) && e.tagName === 'IFRAME') {"
               "  const r = e.getBoundingClientRect(); x -= r.left + e.clientLeft; y -= r.top + e.clientTop;"
               "  d = e.contentDocument; }"
               " return e ? e.name || e.tagName : ''; })(%1, %2)"_s.arg(at.x())
                   .arg(at.y()))
        .toString();
}

// Shown or placed over the post page, the editor leaves the mode switches in reach and covers
// the post's body field alone, whatever the window's size.
TEST_F(EditorBlogTest, ADocumentCannotMoveTheEditorToAnotherFile) {
    // A document that refreshes to a local file, opened as Open does.
    QTemporaryDir dir;
    const QString path = dir.filePath(u"holiday.htm"_s);
    ASSERT_TRUE(TextFile::writeAtomically(path, h.sim().get(u"/hostile/refresh.htm"_s)).ok);
    EditingSurface &surface = editor().surface();
    QSignalSpy refused(surface.page(), SIGNAL(navigationRefused(QUrl)));
    ASSERT_EQ(surface.loadDocument(path, false), qint32(DocumentFile::NoError));
    const std::pair<const char *, QString> moves[] = {
        {"refresh", {}},
        {"link", u"document.getElementById('away').click()"_s},
        {"form post", u"HTMLFormElement.prototype.submit.call(document.getElementById('post'))"_s},
        {"location", u"location.href = 'file:///etc/passwd'"_s},
        {"request", u"const r = new XMLHttpRequest(); r.open('GET', 'file:///etc/passwd', false); r.send();"
                    u"document.getElementById('text').textContent += r.responseText"_s},
    };
    for (const auto &[move, script] : moves) {
        SCOPED_TRACE(move);
        if (!script.isEmpty())
            js(surface, script);
        EXPECT_TRUE(move == "request"sv || !refused.isEmpty() || refused.wait(5000));
        EXPECT_EQ(surface.url(), QUrl::fromLocalFile(path));
        const QString body = surface.bodyHtml();
        EXPECT_TRUE(body.contains(u"holiday by the sea"_s) && !body.contains(u"root:"_s));
        refused.clear();
    }
    // The post gets the document, nothing else.
    ASSERT_TRUE(h.load(main(), h.sim().baseUrl() + u"/blog/plain"_s));
    h.child<QPushButton>("CommandCopyToPost")->click();
    const QString post = js(main(), plainField);
    EXPECT_TRUE(post.contains(u"holiday by the sea"_s) && !post.contains(u"root:"_s)) << post.toStdString();
}

TEST_F(EditorBlogTest, EditorCoversThePostFieldOnlyAndNeverTheSwitches) {
    QWidget *page = h.form().editorPanel()->parentWidget();
    const auto switchesFree = [&] {
        for (const char *name : {"CheckNormal", "CheckHTMLSource", "CommandBlogFooter"}) {
            const QWidget *w = h.child<QWidget>(name);
            EXPECT_FALSE(
                QRect(w->mapTo(page, QPoint()), w->size()).intersects(h.form().editorPanel()->geometry()))
                << name;
        }
    };
    // However narrow the field, no control of the panel is cut off: what does not fit waits behind
    // the toolbars' extension buttons.
    QFrame *editor = h.form().editorPanel();
    const auto nothingCutOff = [&] {
        for (const QWidget *control : editor->findChildren<QWidget *>()) {
            if (control->isVisible() && (qobject_cast<const QAbstractButton *>(control) ||
                                         qobject_cast<const QComboBox *>(control))) {
                EXPECT_TRUE(
                    editor->rect().contains(QRect(control->mapTo(editor, QPoint()), control->size())) &&
                    control->width() >= control->minimumSizeHint().width())
                    << control->objectName().toStdString() << " in " << editor->width();
            }
        }
    };
    QTest::mouseClick(h.child<QCheckBox>("CheckNormal"), Qt::LeftButton);
    ASSERT_TRUE(editor->isVisible());
    switchesFree();
    editor->resize(320, editor->height());
    QTest::qWait(0);
    EXPECT_EQ(editor->width(), 320);
    nothingCutOff();
    for (const auto &[address, field] :
         {std::pair{u"/blog/post"_s, u"txaBody"_s}, {u"/blog/plain"_s, u"postBody"_s}}) {
        ASSERT_TRUE(h.load(main(), h.sim().baseUrl() + address));
        // "Edit Visually" puts it over the field at once.
        QTest::mouseClick(h.child<QCheckBox>("CheckHTMLSource"), Qt::LeftButton);
        QTest::mouseClick(h.child<QCheckBox>("CheckNormal"), Qt::LeftButton);
        EXPECT_EQ(elementAt(main(), editor->geometry().translated(-main().pos()).topLeft() + QPoint(3, 3)),
                  field);
        for (const QSize size : {QSize(1600, 1000), QSize(1024, 700)}) {
            SCOPED_TRACE((address + u' ' + QString::number(size.width())).toStdString());
            h.form().showNormal();
            h.form().resize(size);
            MainFormHarness::waitFor([&] { return h.form().size() == size; }, 2000);
            QTest::mouseClick(h.child<QPushButton>("CommandPlaceEditor"), Qt::LeftButton);
            const QList<QObject *> spell = h.toolAction(u"Toolbar3"_s, u"spell"_s)->associatedObjects();
            EXPECT_TRUE(std::any_of(spell.begin(), spell.end(), [](QObject *o) {
                return qobject_cast<QAbstractButton *>(o) && static_cast<QWidget *>(o)->isVisible();
            }));
            switchesFree();
            nothingCutOff();
            // Just inside the panel's corners lies the field; just outside, the rest of the page.
            const QRect panel = h.form().editorPanel()->geometry().translated(-main().pos());
            for (const auto &[inside, outside] :
                 {std::pair{panel.topLeft() + QPoint(3, 3), panel.topLeft() - QPoint(3, 3)},
                  {panel.bottomRight() - QPoint(3, 3), panel.bottomRight() + QPoint(3, 3)}}) {
                EXPECT_EQ(elementAt(main(), inside), field);
                EXPECT_NE(elementAt(main(), outside), field);
            }
        }
    }
}

// Each mode switch, unticked, puts the editor away; shown over a page, the editor goes when the
// main pane leaves it and comes back only when asked, its document kept.
TEST_F(EditorBlogTest, EditorCanBePutAwayAndGoesWithItsPage) {
    ASSERT_TRUE(h.load(main(), h.sim().baseUrl() + u"/blog/post"_s));
    QFrame *panel = h.form().editorPanel();
    auto *visual = h.child<QCheckBox>("CheckNormal");
    auto *source = h.child<QCheckBox>("CheckHTMLSource");
    for (QCheckBox *mode : {visual, source, visual}) {
        QTest::mouseClick(mode, Qt::LeftButton);
        EXPECT_TRUE(panel->isVisible() == (mode == visual) && mode->isChecked());
        QTest::mouseClick(mode, Qt::LeftButton);
        EXPECT_FALSE(panel->isVisible() || visual->isChecked() || source->isChecked());
    }
    QTest::mouseClick(visual, Qt::LeftButton);
    js(editor().surface(), u"getSelection().collapse(document.body, 0);"
                           " document.execCommand('insertText', false, 'kept')"_s);
    ASSERT_TRUE(h.load(main(), h.sim().baseUrl() + u"/hotmail/inbox"_s));
    h.form().resize(h.form().size() + QSize(40, 30));
    QTest::qWait(100);
    EXPECT_FALSE(panel->isVisible() || visual->isChecked());
    h.messages().queueAnswer(Messages::Answer::Cancel);
    h.form().close();
    EXPECT_EQ(h.messages().shown(), QStringList{u"Save changes to the document?"_s});
}

// "Save changes to the document?" comes before a changed document would be lost, and only then.
TEST_F(EditorBlogTest, ChangedDocumentIsOfferedForSavingBeforeItIsLost) {
    using Answer = Messages::Answer;
    QTest::mouseClick(h.child<QCheckBox>("CheckNormal"), Qt::LeftButton);
    EditingSurface &surface = editor().surface();
    const QString saved = h.mainDir() + u"post.htm"_s;
    const auto typeText = [&] {
        editor().newFile();
        js(surface, u"getSelection().collapse(document.body, 0);"
                    " document.execCommand('insertText', false, 'typed')"_s);
        return surface.bodyHtml().contains(u"typed"_s);
    };
    const std::tuple<const char *, std::function<void()>, Answer, bool> cases[] = {
        // what the user does, the answer, whether the typed text is still shown after
        {"Open, Cancel", tool("Toolbar3", "open"), Answer::Cancel, true},
        {"New, Discard", tool("Toolbar3", "new"), Answer::No, false},
        {"File > Exit, Cancel", [&] { h.form().findChild<QAction *>(u"exit"_s)->trigger(); }, Answer::Cancel,
         true},
        {"closing the window, Cancel", [&] { h.form().close(); }, Answer::Cancel, true},
    };
    for (const auto &[what, act, answer, kept] : cases) {
        SCOPED_TRACE(what);
        ASSERT_TRUE(typeText());
        h.messages().clear();
        h.messages().queueAnswer(answer);
        act();
        EXPECT_EQ(h.messages().shown(), QStringList{u"Save changes to the document?"_s});
        EXPECT_EQ(surface.bodyHtml().contains(u"typed"_s), kept);
        EXPECT_TRUE(h.form().isVisible());
    }
    // Save writes the document to its file before New empties it; a document as saved is not asked about.
    ASSERT_TRUE(typeText());
    ASSERT_TRUE(editor().saveFile(saved));
    js(surface, u"document.execCommand('insertText', false, 'more')"_s);
    h.messages().clear();
    h.messages().queueAnswer(Answer::Yes);
    editor().newFile();
    EXPECT_TRUE(TextFile::readAll(saved).value_or(QByteArray()).contains("more"));
    editor().openFile(saved);
    editor().newFile();
    EXPECT_EQ(h.messages().shown(), QStringList{u"Save changes to the document?"_s});
}

// Each toolbar button clicked with the mouse, or its shortcut typed, opens its dialog. Save adds
// ".htm" to a name typed without one; Open then starts in that folder, which the settings keep.
TEST_F(EditorBlogTest, ToolbarButtonsOpenTheirDialogs) {
    QTest::mouseClick(h.child<QCheckBox>("CheckNormal"), Qt::LeftButton);
    EditingSurface &surface = editor().surface();
    surface.setDocumentHtml(u"<html><body><p id=p>Teh word</p></body></html>"_s);
    QTemporaryDir dir;
    QString shown, typed = dir.filePath(u"post"_s); // the dialog that opened, by its title; a file name
    QTimer closer;
    closer.callOnTimeout([&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *files = qobject_cast<QFileDialog *>(modal)) {
            shown = files->windowTitle() + u' ' + files->directory().absolutePath();
            files->findChild<QLineEdit *>(u"fileNameEdit"_s)->setText(std::exchange(typed, u"post.htm"_s));
            QTest::keyClick(files->findChild<QLineEdit *>(u"fileNameEdit"_s), Qt::Key_Return);
        } else if (modal) {
            shown = modal->windowTitle(), modal->close();
        }
    });
    closer.start(50);
    const auto click = [&](const char *key) { return tool("Toolbar3", key); };
    const auto type = [&](Qt::Key key, Qt::KeyboardModifiers modifiers) {
        return [&, key, modifiers] { QTest::keyClick(surface.focusProxy(), key, modifiers); };
    };
    const std::pair<std::function<void()>, QString> entries[] = {
        {click("save"), u"Save Blog as HTML File "_s},
        {click("open"), u"Open HTML File "_s + dir.path()},
        {click("Color"), u"Text Color"_s},
        {click("link"), u"Insert/Edit HyperLink"_s},
        {click("image"), u"Insert Graphic"_s},
        {click("table"), u"Insert Table"_s},
        {click("spell"), u"Spelling"_s},
        {type(Qt::Key_K, Qt::ControlModifier), u"Insert/Edit HyperLink"_s},
        {type(Qt::Key_F7, {}), u"Spelling"_s},
        {tool("Toolbar1", "spell"), u"Spelling"_s},
        {[&] { click("expand")(), shown = h.toolAction(u"Toolbar3"_s, u"expand"_s)->toolTip(); },
         u"Contract"_s},
    };
    for (const auto &[open, title] : entries) {
        SCOPED_TRACE(title.toStdString());
        h.form().activateWindow(); // after the dialog before, with the document's selection
        EXPECT_TRUE(QTest::qWaitForWindowActive(&h.form()));
        surface.setFocus();
        js(surface, u"getSelection().selectAllChildren(document.getElementById('p'))"_s);
        shown.clear();
        open();
        EXPECT_TRUE(MainFormHarness::waitFor([&] { return shown.startsWith(title); }, 5000))
            << shown.toStdString();
    }
    EXPECT_EQ(surface.documentPath(), dir.filePath(u"post.htm"_s));
    EXPECT_EQ(h.settings().GetIni(u"Settings"_s, u"editordocfolder"_s, {}), dir.path());
}

// A family as a page's style names it: unquoted, in any case, the desktop's generic names as CSS's.
QString cssFamily(const QString &family) {
    const QString name = family.section(u',', 0, 0).remove(u'"').remove(u'\'').trimmed().toLower();
    return name == u"sans serif"_s || name == u"sans"_s ? u"sans-serif"_s
           : name == u"mono"_s                          ? u"monospace"_s
                                                        : name;
}

// The font list offers the desktop's families; one picked with the mouse goes to the selected text.
TEST_F(EditorBlogTest, FontListOffersTheDesktopFamilies) {
    QTest::mouseClick(h.child<QCheckBox>("CheckNormal"), Qt::LeftButton);
    EditingSurface &surface = editor().surface();
    surface.setDocumentHtml(u"<html><body><p id=p>word</p></body></html>"_s);
    js(surface, u"getSelection().selectAllChildren(document.getElementById('p'))"_s);
    auto *fonts = h.child<QComboBox>("FontCombo");
    const int pick = fonts->count() - 1;
    ASSERT_TRUE(pick > 0 && QFontDatabase::families().join(u'|').contains(fonts->itemText(pick)));
    fonts->showPopup();
    QAbstractItemView *view = fonts->view();
    const QModelIndex item = view->model()->index(pick, 0);
    view->scrollTo(item);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(item).center());
    EXPECT_TRUE(MainFormHarness::waitFor([&] {
        return cssFamily(js(surface, u"(f => f ? getComputedStyle(f).fontFamily : '')"
                                     "(document.querySelector('#p font'))"_s)) ==
               cssFamily(fonts->itemText(pick));
    })) << fonts->itemText(pick).toStdString();
}

} // namespace
