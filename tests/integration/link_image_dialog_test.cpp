// The hyperlink and image dialogs and the image-map editor on the real editing surface.
#include "base/text_file.h"
#include "editor/editor_toolbar.h"
#include "editor/form_image.h"
#include "editor/image_file_browser.h"
#include "editor/image_map_editor.h"
#include "editor/link_image_dialogs.h"
#include "support/sim_process.h" // prints QStrings in failures
#include "unit/editor/surface_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGraphicsView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QWebEngineView>

using namespace Qt::StringLiterals;

namespace {

class LinkImageDialogTest : public SurfaceTest {
protected:
    LinkImageDialogTest()
        : dialogs(panel, messages, &frame) {
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::darkGreen);
        picture.save(dir.filePath(u"dog.png"_s));
        picture.save(dir.filePath(weirdName));
        for (const auto &[name, text] : {std::pair{u"notes.png"_s, "this is no picture"},
                                         {u"b.htm"_s, "<body>b</body>"},
                                         {u"doc.htm"_s, "<html><body><p id=p>A dog here.</p></body></html>"}})
            EXPECT_TRUE(TextFile::writeAtomically(dir.filePath(name), text).ok);
        surface().loadDocument(docPath(), false);
    }
    QString docPath() const { return dir.filePath(u"doc.htm"_s); }

    // Clicks the enabled toolbar button `key` ("link", "image") and drives its dialog; whether one was shown.
    bool dialogFrom(const char *key, const std::function<void(QDialog &)> &drive) {
        EXPECT_TRUE(frame.findChild<EditorToolbar *>()->button(QString::fromLatin1(key))->isEnabled()) << key;
        return drivesDialog(
            dialogs, [this, key] { clickButton(key); }, drive);
    }
    // The paragraph's HTML, no-break spaces as blanks (rewriting a link makes the blanks beside it no-break).
    QString paragraph() {
        return run(u"document.getElementById('p').innerHTML"_s).toString().replace(u"&nbsp;"_s, u" "_s);
    }
    void caretInParagraph() { selectText(u"#p"_s, 5, 5); }
    void selectImage() {
        QSignalSpy changed(&surface(), &EditingSurface::displayChanged);
        run(u"{ const r = document.createRange(); r.selectNode(document.querySelector('img'));"
            " const s = getSelection(); s.removeAllRanges(); s.addRange(r); }"_s);
        EXPECT_TRUE(changed.wait(3000));
    }
    // Saves the document and opens it in a browser pane, whose load ends once the document's
    // pictures have loaded: the natural width of its image (0: the picture did not load).
    int widthInBrowser() {
        EXPECT_EQ(surface().saveDocument(docPath()), qint32(DocumentFile::NoError));
        QWebEngineView browser;
        QSignalSpy loaded(&browser, &QWebEngineView::loadFinished);
        browser.load(QUrl::fromLocalFile(docPath()));
        EXPECT_TRUE(loaded.wait(5000));
        return runPageScript(*browser.page(), u"document.querySelector('img').naturalWidth"_s).toInt();
    }
    QString script(const QString &text) { return run(text).toString(); }
    QString attribute(const char *selector, const char *names) {
        return script(
            u"'%2'.split(',').map(a => document.querySelector('%1').getAttribute(a)).join('|')"_s.arg(
                QLatin1String(selector), QLatin1String(names)));
    }

    QTemporaryDir dir;
    const QString weirdName = u"my \"best\" dog #1 ä.png"_s;
    LinkImageDialogs dialogs;
};

void clickFile(QDialog &dialog, const QString &path) {
    emit dialog.findChild<ImageFileBrowser *>()->fileClicked(path);
}

// Picks an image map, which `edit` draws, in the image dialog, and accepts the dialog.
void acceptWithMap(QDialog &dialog, const FormImage::EditMap &edit) {
    static_cast<FormImage *>(&dialog)->setEditMap(edit);
    field<QRadioButton>(dialog, "optImageMap")->setChecked(true);
    field<QAbstractButton>(dialog, "cmdMapEdit")->click();
    dialog.accept();
}

// Drags on the map editor's picture from `from` to `to` (picture pixels).
void drag(QGraphicsView *view, QPoint from, QPoint to) {
    QWidget *viewport = view->viewport();
    QTest::mousePress(viewport, Qt::LeftButton, {}, view->mapFromScene(from));
    QTest::mouseMove(viewport, view->mapFromScene((from + to) / 2));
    QTest::mouseMove(viewport, view->mapFromScene(to));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, view->mapFromScene(to));
}

} // namespace

TEST_F(LinkImageDialogTest, InsertsAPictureAndEditsItAgain) {
    caretInParagraph();
    EXPECT_TRUE(dialogFrom("image", [&](QDialog &dialog) {
        clickFile(dialog, dir.filePath(u"dog.png"_s));
        EXPECT_EQ(field<QLineEdit>(dialog, "EditWidth")->text(), u"40"_s);
        field<QLineEdit>(dialog, "EditAltText")->setText(u"A \"good\" dog"_s);
        field<QComboBox>(dialog, "ComboAlign")->setCurrentText(u"middle"_s);
        dialog.accept();
    }));
    // The source relative to the document's folder: the editor shows it (a browser, the next test).
    EXPECT_EQ(attribute("img", "src,alt"), u"dog.png|A \"good\" dog"_s);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return run(u"document.querySelector('img').naturalWidth"_s).toInt() == 40; }, 5000));

    selectImage();
    EXPECT_TRUE(dialogFrom("image", [&](QDialog &dialog) {
        EXPECT_EQ(QStringList({dialog.windowTitle(), field<QLineEdit>(dialog, "Text1")->text(),
                               field<QLineEdit>(dialog, "EditAltText")->text()}),
                  QStringList({u"Select Graphic"_s, u"dog.png"_s, u"A \"good\" dog"_s}));
        field<QRadioButton>(dialog, "OptionWidthPct")->setChecked(true);
        field<QLineEdit>(dialog, "EditWidth")->setText(u"150"_s);
        field<QCheckBox>(dialog, "CheckSetHeight")->setChecked(false);
        field<QComboBox>(dialog, "ComboAlign")->setCurrentText(u"Default"_s);
        dialog.accept();
    }));
    // The image was replaced, without height and alignment.
    EXPECT_EQ(script(u"document.querySelectorAll('img').length"_s) + attribute("img", "width,height,align"),
              u"1100%||"_s);
}

TEST_F(LinkImageDialogTest, InsertsAnImageInsideALinkToAPageBesideTheDocument) {
    caretInParagraph();
    EXPECT_TRUE(dialogFrom("image", [&](QDialog &dialog) {
        clickFile(dialog, dir.filePath(weirdName));
        field<QRadioButton>(dialog, "optImageJump")->setChecked(true);
        dialog.accept();
        EXPECT_EQ(messages.last(), u"Please select a topic to jump to"_s);
        field<QComboBox>(dialog, "cboImageHref")->setCurrentText(u"b.htm"_s);
        dialog.accept();
    }));
    EXPECT_EQ(script(u"document.querySelector('a > img').parentNode.getAttribute('href')"_s), u"b.htm"_s);
    // Blanks, quotes, "#" and letters beyond ASCII in the file name: the picture still loads.
    EXPECT_EQ(widthInBrowser(), 40);
}

TEST_F(LinkImageDialogTest, InsertsAnImageMapDrawnInTheMapEditor) {
    caretInParagraph();
    EXPECT_TRUE(dialogFrom("image", [&](QDialog &dialog) {
        clickFile(dialog, dir.filePath(u"dog.png"_s));
        field<QRadioButton>(dialog, "optImageMap")->setChecked(true);
        dialog.accept();
        EXPECT_EQ(messages.last().left(31), u"Please set the image map attrib"_s);
        acceptWithMap(dialog, [&](const ImageMap &map, const QString &picture) {
            ImageMapEditor editor(map, picture, &dialog);
            auto *view = editor.findChild<QGraphicsView *>(u"MapView"_s);
            editor.show();
            field<QAbstractButton>(editor, "cmdZoomIn")->click(); // drawn at twice the size
            field<QAbstractButton>(editor, "toolRect")->click();
            drag(view, {2, 3}, {12, 13});
            field<QLineEdit>(editor, "EditAreaHref")->setText(u"b.htm"_s);
            emit field<QLineEdit>(editor, "EditAreaHref")->textEdited(u"b.htm"_s);
            field<QAbstractButton>(editor, "toolCircle")->click();
            drag(view, {25, 15}, {29, 15});
            field<QAbstractButton>(editor, "toolPoly")->click();
            for (QPoint p : {QPoint(1, 20), QPoint(10, 28), QPoint(1, 28)})
                QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->mapFromScene(p));
            QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, view->mapFromScene(QPoint(1, 28)));
            EXPECT_EQ(field<QListWidget>(editor, "ListAreas")->count(), 3);
            field<QAbstractButton>(editor, "toolSelect")->click(); // move the rectangle, then pull a corner
            drag(view, {7, 8}, {9, 8});
            drag(view, {14, 13}, {16, 15});
            return std::optional(editor.map());
        });
    }));
    EXPECT_EQ(script(u"document.body.firstElementChild.tagName"_s), u"MAP"_s);
    EXPECT_EQ(attribute("img", "usemap"), u"#"_s + attribute("map", "name"));
    EXPECT_EQ(script(u"[...document.querySelectorAll('map area')].map(a => a.shape + ':' + a.coords +"
                     " (a.getAttribute('href') || '')).join(' ')"_s),
              u"rect:4,3,16,15b.htm circle:25,15,4 poly:1,20,10,28,1,28"_s);

    selectImage(); // opened again, the map comes back into the editor and stays one map
    EXPECT_TRUE(dialogFrom("image", [&](QDialog &dialog) {
        acceptWithMap(dialog, [&](const ImageMap &map, const QString &) {
            EXPECT_EQ(map.areas.size(), 3);
            return std::optional(map);
        });
    }));
    EXPECT_EQ(
        script(u"document.querySelectorAll('map').length + ' ' + document.querySelectorAll('area').length"_s),
        u"1 3"_s);
}

TEST_F(LinkImageDialogTest, TakesBadPicturesA50MegabyteOneAndA500PointPolygon) {
    QImage big(4096, 4096, QImage::Format_RGB888); // 50 MB as a bitmap file
    big.fill(Qt::blue);
    const QString bigPath = dir.filePath(u"big.bmp"_s);
    ASSERT_TRUE(big.save(bigPath));
    big = QImage();
    ImageMap map{u"m"_s, {ImageMap::Area{ImageMap::Shape::Poly, {}, u"b.htm"_s, {}, {}}}};
    for (int i = 0; i < 500; ++i)
        map.areas[0].points << QPoint(i * 8, (i * 37) % 4096);
    const QString cwd = QDir::currentPath();
    QDir::setCurrent(dir.path()); // where the diagnostic line goes
    caretInParagraph();
    EXPECT_TRUE(dialogFrom("image", [&](QDialog &dialog) {
        clickFile(dialog, dir.filePath(u"notes.png"_s));
        EXPECT_TRUE(field<QLabel>(dialog, "Image1")->text().startsWith(u"No preview"_s));
        EXPECT_FALSE(field<QCheckBox>(dialog, "CheckSetWidth")->isChecked());
        clickFile(dialog, bigPath);
        EXPECT_EQ(field<QLineEdit>(dialog, "EditWidth")->text(), u"4096"_s);
        EXPECT_FALSE(field<QLabel>(dialog, "Image1")->pixmap().isNull());
        acceptWithMap(dialog, [&](const ImageMap &, const QString &picture) {
            ImageMapEditor editor(map, picture, &dialog);
            return std::optional(editor.map());
        });
    }));
    QDir::setCurrent(cwd);
    QFile log(dir.filePath(u"GWJavaHelp.log"_s));
    EXPECT_TRUE(log.open(QIODevice::ReadOnly) && log.readAll().startsWith("FormImage File1 click: "));
    EXPECT_EQ(run(u"document.querySelector('map area').coords.split(',').length"_s).toInt(), 1000);
    EXPECT_EQ(attribute("img", "usemap"), u"#m"_s);
}

TEST_F(LinkImageDialogTest, LinksTheSelectedWordWithoutItsTrailingBlankAndEditsAndRemovesALink) {
    load(u"<p id=p>Hello world again</p>"_s);
    selectText(u"#p"_s, 6, 12); // "world "
    EXPECT_TRUE(dialogFrom("link", [](QDialog &dialog) {
        EXPECT_EQ(dialog.windowTitle() + field<QLineEdit>(dialog, "EditExtURL")->text(),
                  u"Insert/Edit HyperLinkhttp://"_s);
        field<QLineEdit>(dialog, "EditExtURL")->setText(u"page.htm"_s);
        field<QComboBox>(dialog, "ComboBookmark")->setEditText(u"part"_s);
        field<QComboBox>(dialog, "ComboTarget")->setEditText(u"_top"_s);
        dialog.accept();
    }));
    EXPECT_EQ(paragraph(), u"Hello <a href=\"page.htm#part\" target=\"_top\">world</a> again"_s);
    EXPECT_EQ(script(u"getSelection().toString()"_s), u"world"_s) << "the link's text stays selected";

    selectText(u"#p"_s, 2, 2); // a bare caret: nothing to make into a link
    EXPECT_FALSE(dialogFrom("link", [](QDialog &) {}));
    EXPECT_EQ(messages.last(), u"You must select some text to make into a link"_s);

    load(u"<p id=p>see <a id=l href=\"page.htm#sec\">the page</a> now</p>"
         "<a name=\"one\">1</a><a name=\"\">2</a><A NAME=\"Top\">3</A>"_s);
    selectText(u"#l"_s, 2, 2); // a bare caret inside the link
    EXPECT_TRUE(dialogFrom("link", [](QDialog &dialog) {
        EXPECT_EQ(field<QLineEdit>(dialog, "EditExtURL")->text(), u"page.htm"_s);
        auto *bookmarks = field<QComboBox>(dialog, "ComboBookmark");
        EXPECT_EQ(bookmarks->count(), 0) << "filled on the first drop-down";
        bookmarks->showPopup();
        bookmarks->hidePopup();
        EXPECT_EQ(bookmarks->itemText(0) + bookmarks->itemText(1) + bookmarks->currentText(), u"oneTopsec"_s);
        EXPECT_TRUE(field<QPushButton>(dialog, "CommandRemoveLink")->isEnabled());
        field<QComboBox>(dialog, "ComboTarget")->setEditText(u"_blank"_s);
        dialog.accept();
    }));
    EXPECT_EQ(paragraph(), u"see <a id=\"l\" href=\"page.htm#sec\" target=\"_blank\">the page</a> now"_s);

    // Removed at a bare caret, the link keeps its text.
    selectText(u"#l"_s, 2, 2);
    EXPECT_TRUE(dialogFrom(
        "link", [](QDialog &dialog) { field<QPushButton>(dialog, "CommandRemoveLink")->click(); }));
    EXPECT_EQ(paragraph(), u"see the page now"_s);
}

// A picture from a file shows in a new, unsaved document; the post form gets it only once the user
// has been told of it and went on; the next picture is looked for in its folder.
TEST_F(LinkImageDialogTest, LocalPicturesShowAndAreNamedBeforeThePost) {
    QSignalSpy posted(&panel, &EditorPanel::postTransferRequested);
    input();
    surface().newDocument();
    EXPECT_TRUE(dialogFrom("image", [&](QDialog &dialog) {
        clickFile(dialog, dir.filePath(u"dog.png"_s));
        dialog.accept();
    }));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return run(u"document.querySelector('img').naturalWidth"_s).toInt() == 40; }, 5000));
    posted.clear();
    for (const auto answer : {Messages::Answer::No, Messages::Answer::Yes}) {
        messages.clear();
        messages.queueAnswer(answer);
        QTest::mouseClick(child<QPushButton>("CommandCopyToPost"), Qt::LeftButton);
        EXPECT_TRUE(messages.last().contains(u'\n' + attribute("img", "src") + u'\n'))
            << messages.last().toStdString();
    }
    // Once answered, the transfers that follow the editor by themselves go on without asking.
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&surface(), &leave);
    EXPECT_TRUE(QTest::qWaitFor([&] { return posted.size() == 2; }, 3000)) << posted.size();
    EXPECT_EQ(messages.shown().size(), 1);
    run(u"getSelection().collapse(document.body, document.body.childNodes.length)"_s);
    EXPECT_TRUE(dialogFrom("image", [&](QDialog &dialog) {
        EXPECT_EQ(dialog.findChild<ImageFileBrowser *>()->folder(), dir.path());
        dialog.reject();
    }));
}
