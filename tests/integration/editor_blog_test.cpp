// The editor laid over webmail-sim's blog post pages, and its HTML carried into their post form.
#include "main_form_harness.h"

#include "base/text_file.h"
#include "base/twips.h"
#include "editor/editing_surface.h"
#include "editor/editor_panel.h"
#include "webpages/blog_post.h"
#include "webpages/web_pane.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFrame>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
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
    template<typename T> T *child(const char *name) {
        return h.form().findChild<T *>(QString::fromLatin1(name));
    }

    MainFormHarness h;
};

TEST_F(EditorBlogTest, PostFormFollowsTheEditor) {
    const QString post = u"<p>My <b>post</b></p><ul><li>one</li></ul>"_s;
    editor().surface().setDocumentHtml(u"<html><body>"_s + post + u"</body></html>"_s);
    for (const auto &[page, field] :
         {std::pair{u"/blog/post"_s, framedField}, {u"/blog/plain"_s, plainField}}) {
        SCOPED_TRACE(page.toStdString());
        ASSERT_TRUE(h.load(main(), h.sim().baseUrl() + page));
        child<QPushButton>("CommandCopyToPost")->click();
        EXPECT_EQ(MainFormHarness::runPageScript(main(), field).toString(), post);
        // The source mode copies too, then uncovers the page.
        editor().surface().execCommand(EditingSurface::SelectAll);
        editor().surface().execCommand(EditingSurface::Italic);
        child<QCheckBox>("CheckHTMLSource")->click();
        EXPECT_TRUE(MainFormHarness::runPageScript(main(), field).toString().contains(u"<i>"_s));
        EXPECT_FALSE(h.form().editorPanel()->isVisible());
        editor().surface().setDocumentHtml(u"<html><body>"_s + post + u"</body></html>"_s);
    }

    // Leaving the editor with the pointer carries the change over too.
    editor().surface().setDocumentHtml(u"<html><body><p>left</p></body></html>"_s);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&editor().surface(), &leave);
    EXPECT_EQ(MainFormHarness::runPageScript(main(), plainField).toString(), u"<p>left</p>"_s);

    // A web-mail page has no post form: the editor is not even read.
    ASSERT_TRUE(h.load(main(), h.sim().baseUrl() + u"/hotmail/inbox"_s));
    bool read = false;
    EXPECT_FALSE(
        BlogPost::transfer(main(), [&] { return read = true, QString(); }, {true, u"id"_s, u"text"_s}));
    EXPECT_FALSE(read);
}

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
            MainFormHarness::runPageScript(surface, script);
        EXPECT_TRUE(move == "request"sv || !refused.isEmpty() || refused.wait(5000));
        EXPECT_EQ(surface.url(), QUrl::fromLocalFile(path));
        const QString body = surface.bodyHtml();
        EXPECT_TRUE(body.contains(u"holiday by the sea"_s) && !body.contains(u"root:"_s));
        refused.clear();
    }
    // The post gets the document, nothing else.
    ASSERT_TRUE(h.load(main(), h.sim().baseUrl() + u"/blog/plain"_s));
    child<QPushButton>("CommandCopyToPost")->click();
    const QString post = MainFormHarness::runPageScript(main(), plainField).toString();
    EXPECT_TRUE(post.contains(u"holiday by the sea"_s) && !post.contains(u"root:"_s)) << post.toStdString();
}

TEST_F(EditorBlogTest, PlaceEditorOverPageFollowsTheMainPane) {
    ASSERT_TRUE(h.load(main(), h.sim().baseUrl() + u"/blog/post"_s));
    for (const QSize size : {QSize(1000, 700), QSize(1200, 800)}) {
        h.form().showNormal();
        h.form().resize(size);
        MainFormHarness::waitFor([&] { return h.form().size() == size; }, 2000);
        child<QPushButton>("CommandPlaceEditor")->click();
        const QRect pane = main().geometry();
        const QRect panel = h.form().editorPanel()->geometry();
        EXPECT_EQ(panel, QRect(pane.x(), pane.y() + Twips::toPixels(950), pane.width(), panel.height()));
        EXPECT_TRUE(h.form().editorPanel()->isVisible());
    }
}

} // namespace
