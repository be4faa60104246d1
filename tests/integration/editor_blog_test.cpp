// The editor laid over webmail-sim's blog post pages.
#include "main_form_harness.h"

#include "editor/editing_surface.h"
#include "editor/editor_panel.h"
#include "shell/dialog_blog_footer.h"
#include "support/unit_files.h"
#include "webpages/blog_post.h"

#include <QAbstractItemView>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFrame>
#include <QTextBrowser>

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
    // The user's step `how` (a toolbar button: "Toolbar3/open"), as MainFormHarness::userStep takes it.
    std::function<void()> step(const QString &how) {
        return [this, how] { EXPECT_EQ(h.userStep(how), QString()); };
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
        ASSERT_TRUE(h.showPage(page));
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
    ASSERT_TRUE(h.showPage(u"/hotmail/inbox"_s));
    bool read = false;
    EXPECT_FALSE(
        BlogPost::transfer(main(), [&] { return read = true, QString(); }, {true, u"id"_s, u"text"_s}));
    EXPECT_FALSE(read);
}

// Source mode shows the body as Save writes it (own lines, a new block laid out); a look changes nothing.
TEST_F(EditorBlogTest, SourceModeShowsTheBodyAsSaveWritesIt) {
    TestFolder dir;
    const QString file =
        dir.write(u"post.htm"_s, "<html>\r\n<body>\r\n<h1>T</h1>\r\n  <p id=p>one</p>\r\n</body></html>");
    ASSERT_TRUE(h.showPage(u"/blog/plain"_s));
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
        dir.read(u"post.htm"_s)
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

// A document opened as Open does, refreshing to a local file, can't move the editor or read another file.
TEST_F(EditorBlogTest, ADocumentCannotMoveTheEditorToAnotherFile) {
    TestFolder dir;
    const QString path = dir.write(u"holiday.htm"_s, h.sim().get(u"/hostile/refresh.htm"_s));
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
    ASSERT_TRUE(h.showPage(u"/blog/plain"_s));
    h.child<QPushButton>("CommandCopyToPost")->click();
    const QString post = js(main(), plainField);
    EXPECT_TRUE(post.contains(u"holiday by the sea"_s) && !post.contains(u"root:"_s)) << post.toStdString();
}

// Shown or placed over the post page, the editor covers the body field alone at any window size, switches in
// reach; no panel control is cut off: what does not fit waits behind the extension buttons.
TEST_F(EditorBlogTest, EditorCoversThePostFieldOnlyAndNeverTheSwitches) {
    QFrame *editor = h.form().editorPanel();
    const auto laidOut = [&] {
        for (const char *name : {"CheckNormal", "CheckHTMLSource", "CommandBlogFooter"}) {
            const QWidget *w = h.child<QWidget>(name);
            EXPECT_FALSE(
                QRect(w->mapTo(editor->parentWidget(), QPoint()), w->size()).intersects(editor->geometry()))
                << name;
        }
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
    QTest::qWait(0);
    laidOut();
    editor->resize(320, editor->height());
    QTest::qWait(0);
    EXPECT_EQ(editor->width(), 320);
    laidOut();
    for (const auto &[address, field] :
         {std::pair{u"/blog/post"_s, u"txaBody"_s}, {u"/blog/plain"_s, u"postBody"_s}}) {
        ASSERT_TRUE(h.showPage(address));
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
            laidOut();
            // Just inside the panel's corners lies the field; just outside, the rest of the page.
            const QRect panel = editor->geometry().translated(-main().pos());
            for (const auto &[inside, outside] :
                 {std::pair{panel.topLeft() + QPoint(3, 3), panel.topLeft() - QPoint(3, 3)},
                  {panel.bottomRight() - QPoint(3, 3), panel.bottomRight() + QPoint(3, 3)}}) {
                EXPECT_EQ(elementAt(main(), inside), field);
                EXPECT_NE(elementAt(main(), outside), field);
            }
        }
    }
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
        {"Open, Cancel", step(u"Toolbar3/open"_s), Answer::Cancel, true},
        {"New, Discard", step(u"Toolbar3/new"_s), Answer::No, false},
        {"File > Exit, Cancel", step(u"File>Exit"_s), Answer::Cancel, true},
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

// Each toolbar button, clicked or by shortcut, opens its dialog. Save adds ".htm" to a bare name; Open then
// starts in that folder, which the settings keep.
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
    const auto click = [&](const QString &key) { return step(u"Toolbar3/"_s + key); };
    const auto type = [&](Qt::Key key, Qt::KeyboardModifiers modifiers) {
        return [&, key, modifiers] { QTest::keyClick(surface.focusProxy(), key, modifiers); };
    };
    const std::pair<std::function<void()>, QString> entries[] = {
        {click(u"save"_s), u"Save Blog as HTML File "_s},
        {click(u"open"_s), u"Open HTML File "_s + dir.path()},
        {click(u"Color"_s), u"Text Color"_s},
        {click(u"link"_s), u"Insert/Edit HyperLink"_s},
        {click(u"table"_s), u"Insert Table"_s},
        {click(u"spell"_s), u"Spelling"_s},
        {type(Qt::Key_K, Qt::ControlModifier), u"Insert/Edit HyperLink"_s},
        {type(Qt::Key_F7, {}), u"Spelling"_s},
        {step(u"Toolbar1/spell"_s), u"Spelling"_s},
        {[&] { click(u"expand"_s)(), shown = h.toolAction(u"Toolbar3"_s, u"expand"_s)->toolTip(); },
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
