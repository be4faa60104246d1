// The editor over a real WordPress post page as a user works: signed in on WordPress's login page, the editor
// over the post page, the user's Publish; what landed is read over the REST API and from the readers' page.
// CORVALIS_WORDPRESS_EDITOR picks the edit screen (block or classic); one site serves a run.
#include "../integration/main_form_harness.h"

#include "editor/editing_surface.h"
#include "editor/editor_panel.h"
#include "support/wordpress_site.h"
#include "webpages/blog/wordpress_post.h"

#include <QJsonArray>
#include <QScreen>
#include <QUrlQuery>
#include <QWebEngineCookieStore>
#include <QWebEngineProfile>

namespace {

WordPressSite *site = nullptr;

struct SiteEnvironment : ::testing::Environment {
    void SetUp() override {
        const bool classic = qgetenv("CORVALIS_WORDPRESS_EDITOR") == "classic";
        site = new WordPressSite(classic ? WordPressSite::Editor::Classic : WordPressSite::Editor::Block);
        ASSERT_TRUE(site->started());
    }
    void TearDown() override { delete std::exchange(site, nullptr); }
};
const auto *environment = ::testing::AddGlobalTestEnvironment(new SiteEnvironment);

const auto classic = [] { return site->editor() == WordPressSite::Editor::Classic; };

// The element tree under `root` in the pane's page, read in its own world once there: a line per element (tag
// and meaningful attributes), then the visible text, blanks collapsed.
QString structure(WebPane &pane, const QString &root) {
    const QString script = uR"((function (root) {
    if (!root) return null;
    const kept = ['colspan', 'rowspan', 'target', 'href', 'usemap', 'name', 'shape', 'coords', 'border'];
    const lines = [];
    (function walk(e, depth) {
        for (const c of e.children) {
            lines.push(' '.repeat(depth) + c.tagName + kept.filter(a => c.hasAttribute(a))
                .map(a => ' ' + a + '=' + c.getAttribute(a)).join(''));
            walk(c, depth + 1);
        }
    })(root, 0);
    return lines.join('\n') + '\n' + root.innerText.replace(/\s+/g, ' ').trim();
})(%1))"_s.arg(root);
    QString lines;
    MainFormHarness::waitFor(
        [&] { return !(lines = MainFormHarness::runPageScript(pane, script).toString()).isEmpty(); }, 60000);
    return lines;
}

QString tableDocument() {
    return u"<h2>Tables and lists</h2>\n"
           "<table border=\"1\" cellpadding=\"4\" bgcolor=\"#ffffcc\" width=\"80%\">\n"
           "  <tr>\n    <td colspan=\"2\" align=\"center\">spans two\n      columns</td>\n"
           "    <td rowspan=\"2\" valign=\"top\" bgcolor=\"red\"><font color=\"blue\">tall</font></td>\n  "
           "</tr>\n"
           "  <tr>\n    <td>one</td>\n    <td>two</td>\n  </tr>\n</table>\n"
           "<ul>\n  <li>first\n    <ol>\n      <li>nested <b>bold</b></li>\n      <li>second nested</li>\n"
           "    </ol>\n  </li>\n  <li>last</li>\n</ul>\n"
           "<p>A <a href=\"http://127.0.0.1:9/away\" target=\"_blank\">link in a new window</a>\n"
           "  and <a href=\"#top\" target=\"_self\">one here</a>, then a map:</p>\n"
           "<p><img src=\"%1/wp-includes/images/blank.gif\" width=\"40\" height=\"20\" "
           "usemap=\"#places\"></p>\n"
           "<map name=\"places\">\n  <area shape=\"rect\" coords=\"0,0,20,20\" "
           "href=\"http://127.0.0.1:9/left\">\n"
           "  <area shape=\"circle\" coords=\"30,10,8\" href=\"http://127.0.0.1:9/right\" "
           "target=\"_blank\">\n"
           "</map>\n"_s.arg(site->url());
}

// About 1 MB of paragraphs and tables, each paragraph's source wrapped over lines.
QString largeDocument() {
    QString html;
    for (int p = 0; html.size() < 1000000; ++p) {
        html +=
            u"<p>Paragraph %1 with <i>some</i> words\n  that run over two lines of source.</p>\n"_s.arg(p);
        if (p % 50 == 0)
            html +=
                u"<table border=\"1\">\n  <tr>\n    <td>cell %1</td>\n    <td>more</td>\n  </tr>\n</table>\n"_s
                    .arg(p);
    }
    return html;
}

class WordPressPostTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(h.start()); }
    WebPane &main() { return h.form().webBrowser(1); }
    EditorPanel &editor() { return h.form().editor(); }
    QVariant js(const QString &script) { return MainFormHarness::runPageScript(main(), script); }

    // Signs in on WordPress's login page as the user does (typing into its fields, Log In).
    void signIn(WordPressSite::User user) {
        main().page()->profile()->cookieStore()->deleteAllCookies(); // a test before signed in
        ASSERT_TRUE(h.load(main(), site->url() + u"/wp-login.php"_s));
        // Nothing the program keeps is put into another site's login form.
        EXPECT_EQ(js(u"user_login.value + user_pass.value"_s).toString(), QString());
        type(u"#user_login"_s, site->login(user));
        type(u"#user_pass"_s, site->password(user));
        click(u"#wp-submit"_s);
        ASSERT_TRUE(MainFormHarness::waitForPage(main(), u"/wp-admin/"_s, 30000));
    }
    QPoint centre(const QString &selector) { return MainFormHarness::elementCentre(main(), selector); }
    // Clicks once it is under the pointer, ready (WordPress greys buttons while saving drafts) and still: the
    // page moves (code editor growing, panels sliding in, scrolls), so its point is looked up till the click.
    void click(const QString &selector) {
        QPoint at;
        const QString ready = u"(e => !!e && e.matches(':hover') && !e.classList.contains('disabled'))"
                              u"(document.querySelector('%1'))"_s.arg(selector);
        ASSERT_TRUE(MainFormHarness::waitFor(
            [&] {
                if ((at = centre(selector)).isNull())
                    return false;
                QMouseEvent move(QEvent::MouseMove, at, main().focusProxy()->mapToGlobal(at), Qt::NoButton,
                                 {}, {});
                QApplication::sendEvent(main().focusProxy(), &move);
                return js(ready).toBool() && centre(selector) == at;
            },
            60000))
            << selector.toStdString();
        QTest::mouseClick(main().focusProxy(), Qt::LeftButton, {}, at);
    }
    void type(const QString &selector, const QString &text) {
        click(selector);
        QTest::keyClicks(main().focusProxy(), text);
    }
    // A new post's edit screen, ready for writing.
    void openNewPost() {
        ASSERT_TRUE(h.load(main(), site->url() + u"/wp-admin/post-new.php"_s));
        ASSERT_TRUE(MainFormHarness::waitFor(
            [&] { return js(u"!!document.querySelector('%1')"_s.arg(titleSelector())).toBool(); }, 30000));
    }
    static QString titleSelector() { return classic() ? u"#title"_s : u".editor-post-title__input"_s; }
    static QString publishSelector() {
        return classic() ? u"#publish"_s : u".editor-post-publish-panel__toggle"_s;
    }
    // The user's Publish (asked again in the block editor's panel); the post's id, or 0 without an answer.
    int publish() {
        // The classic screen's answer is in its address only until the page's first script tidies it.
        QSignalSpy addresses(&main(), &QWebEngineView::urlChanged);
        click(publishSelector());
        if (!classic()) {
            // The panel slides in; its button takes the click once it stands still.
            MainFormHarness::waitFor([&] {
                return js(u"(p => !!p && p.getAnimations({subtree: true}).length === 0)"
                          u"(document.querySelector('.editor-post-publish-panel'))"_s)
                    .toBool();
            });
            click(u".editor-post-publish-panel .editor-post-publish-button"_s);
        }
        const auto confirms = [](const QVariantList &a) {
            return WordPressPost::confirmsPublishing(a[0].toUrl());
        };
        const bool answered = MainFormHarness::waitFor(
            [&] {
                return classic()
                           ? std::ranges::any_of(addresses, confirms)
                           : js(u"!!document.querySelector('.post-publish-panel__postpublish')"_s).toBool();
            },
            60000);
        return answered ? QUrlQuery(main().url()).queryItemValue(u"post"_s).toInt() : 0;
    }
    // Writes the document into the editor, types a word at its end as the user does, places the
    // editor over the page and copies the document into the post.
    void write(const QString &html) {
        QTest::mouseClick(h.child<QCheckBox>("CheckNormal"), Qt::LeftButton);
        editor().surface().setDocumentHtml(u"<html><body>"_s + html + u"<p id=end>end</p></body></html>"_s);
        editor().surface().setFocus();
        const QString toEnd =
            u"(e => e && (document.body.focus(), getSelection().collapse(e.firstChild, 3), true))"
            u"(document.getElementById('end'))"_s;
        ASSERT_TRUE(MainFormHarness::waitFor(
            [&] { return MainFormHarness::runPageScript(editor().surface(), toEnd).toBool(); }));
        QTest::keyClicks(editor().surface().focusProxy(), u" typed"_s);
        ASSERT_TRUE(
            MainFormHarness::waitFor([&] { return editor().surface().bodyHtml().contains(u"end typed"_s); }));
        QTest::mouseClick(h.child<QPushButton>("CommandPlaceEditor"), Qt::LeftButton);
        QTest::mouseClick(h.child<QPushButton>("CommandCopyToPost"), Qt::LeftButton);
    }

    MainFormHarness h;
};

TEST_F(WordPressPostTest, ReadersSeeThePostAsTheEditorShowedIt) {
    signIn(WordPressSite::User::Admin);
    // Publish stands beside the body, where the body's length does not move it.
    h.form().showNormal();
    h.form().resize(1600, 1000);
    for (const auto &[what, document] :
         {std::pair{"tables, lists, links, a map", tableDocument()}, {"a 1 MB document", largeDocument()}}) {
        SCOPED_TRACE(what);
        openNewPost();
        type(titleSelector(), u"Title of my own"_s);
        write(document);
        // The body as the transfer wrote it into the post.
        const QString source = editor().surface().bodySource();
        const QString sent =
            classic() ? WordPressPost::classicBody(source) : WordPressPost::blockBody(source);
        ASSERT_TRUE(sent.contains(u"end typed"_s));
        const int id = publish();
        ASSERT_GT(id, 0);
        // WordPress's confirmation counts as keeping the document.
        EXPECT_TRUE(MainFormHarness::waitFor([&] { return !editor().surface().documentChanged(); }));
        const QJsonObject post = site->post(id);
        EXPECT_EQ(post[u"status"_s].toString(), u"publish"_s);
        EXPECT_EQ(post[u"title"_s][u"raw"_s].toString(), u"Title of my own"_s);
        // The one change WordPress makes for an administrator: new-window links get rel="noopener".
        QString stored = post[u"content"_s][u"raw"_s].toString().remove(u'\r').remove(u" rel=\"noopener\""_s);
        EXPECT_TRUE(stored == sent) << stored.left(300).toStdString() << "\n---\n"
                                    << sent.left(300).toStdString();

        // The public page against the editor's body (a busy machine is slow over a 1 MB one).
        WebPane reader;
        QSignalSpy shown(&reader, &WebPane::documentCompleted);
        reader.navigate(post[u"link"_s].toString());
        ASSERT_TRUE(shown.wait(120000));
        const QString read = structure(reader, u"document.querySelector('.wp-block-post-content')"_s);
        const QString edited = structure(editor().surface(), u"document.body"_s);
        EXPECT_FALSE(read.contains(u"BR"_s));
        EXPECT_TRUE(read == edited) << read.left(2000).toStdString() << "\n---\n"
                                    << edited.left(2000).toStdString();
    }
}

// The dashboard's Quick Draft has the post's field names: it is never written, and an empty
// document never makes a published post.
TEST_F(WordPressPostTest, NoQuickDraftAndNoEmptyPost) {
    signIn(WordPressSite::User::Admin);
    const int before = int(site->posts().size());
    ASSERT_TRUE(
        MainFormHarness::waitFor([&] { return js(u"!!document.querySelector('#quick-press')"_s).toBool(); }));
    write(u"<p>not for the dashboard</p>"_s);
    EXPECT_EQ(js(u"document.querySelector('#quick-press [name=content]').value"_s).toString(), QString());

    openNewPost();
    QTest::mouseClick(h.child<QCheckBox>("CheckNormal"), Qt::LeftButton);
    editor().newFile();
    QTest::mouseClick(h.child<QPushButton>("CommandPlaceEditor"), Qt::LeftButton);
    QTest::mouseClick(h.child<QPushButton>("CommandCopyToPost"), Qt::LeftButton);
    click(publishSelector());
    QTest::qWait(3000); // what WordPress does with the click, if anything
    // Neither the Quick Draft nor the empty document made a post, published or not.
    EXPECT_EQ(site->posts().size(), before);
}

// An author's posts lose scripts and frames: the warning before the copy names them; the rest is published.
TEST_F(WordPressPostTest, AnAuthorHearsWhatWordPressWillRemove) {
    signIn(WordPressSite::User::Author);
    openNewPost();
    type(titleSelector(), u"By the author"_s);
    h.messages().queueAnswer(Messages::Answer::Yes);
    write(
        u"<p>kept text</p>\n<script>document.title = 'x';</script>\n<iframe src=\"about:blank\"></iframe>\n"_s);
    ASSERT_EQ(h.messages().shown().size(), 1);
    EXPECT_TRUE(h.messages().shown()[0].contains(u"\n\nscripts\nframes"_s))
        << h.messages().shown()[0].toStdString();
    const int id = publish();
    ASSERT_GT(id, 0);
    const QString stored = site->post(id)[u"content"_s][u"raw"_s].toString();
    EXPECT_TRUE(stored.contains(u"kept text"_s) && !stored.contains(u"<script"_s) &&
                !stored.contains(u"<iframe"_s))
        << stored.toStdString();
}

// The editor over the page covers the body and leaves title and Publish clickable, at both window sizes.
TEST_F(WordPressPostTest, EditorCoversTheBodyAndLeavesTitleAndPublish) {
    signIn(WordPressSite::User::Admin);
    openNewPost();
    write(u"<p>placed</p>"_s);
    // The block editor's body: its Code editor's area (the text area and the room below it for the
    // text to grow into) or the blocks.
    const QString bodyArea =
        classic() ? u"#wp-content-editor-container"_s : u".edit-post-text-editor, .is-root-container"_s;
    QFrame *panel = h.form().editorPanel();
    for (const QSize size : {QSize(1600, 1000), QSize(1024, 700)}) {
        SCOPED_TRACE(size.width());
        h.form().showNormal();
        h.form().resize(size);
        MainFormHarness::waitFor([&] { return h.form().size() == size; }, 2000);
        QTest::mouseClick(h.child<QPushButton>("CommandPlaceEditor"), Qt::LeftButton);
        ASSERT_TRUE(panel->isVisible());
        const QRect covered = panel->geometry().translated(-main().pos());
        for (const QPoint corner : {covered.topLeft() + QPoint(3, 3), covered.bottomRight() - QPoint(3, 3)}) {
            const QPointF css = QPointF(corner) / main().zoomFactor();
            const QString under = u"document.elementFromPoint(%1, %2)"_s.arg(css.x()).arg(css.y());
            EXPECT_TRUE(js(u"!!%1.closest('%2')"_s.arg(under, bodyArea)).toBool());
        }
        for (const QString &control :
             {titleSelector(), publishSelector(), u"#content-html, .interface-more-menu-dropdown"_s}) {
            const QPoint at = centre(control);
            EXPECT_FALSE(at.isNull() || covered.contains(at)) << control.toStdString();
        }
        // The title takes the user's click and typing.
        type(titleSelector(), u"x"_s);
        EXPECT_TRUE(MainFormHarness::waitFor(
            [&] { return js(u"document.activeElement.matches('%1')"_s.arg(titleSelector())).toBool(); }));
        if (const QByteArray dir = qgetenv("CORVALIS_SCREENSHOT_DIR"); !dir.isEmpty()) {
            QTest::qWait(500);
            const QString name = u"/wordpress-%1-%2.png"_s.arg(classic() ? u"classic"_s : u"block"_s);
            h.form().screen()->grabWindow(h.form().winId()).save(dir + name.arg(size.width()));
        }
    }
}

} // namespace
