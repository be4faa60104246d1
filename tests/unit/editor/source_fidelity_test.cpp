// Documents kept as their authors wrote them: unedited they save byte for byte, an edit changes
// only the block it was made in, and no encoding is guessed into different characters; files the
// editor must refuse or survive.
#include "surface_fixture.h"

#include "editor/document_encoding.h"
#include "editor/table_dialogs.h"

#include "base/text_file.h"
#include "support/unit_files.h"

#include <QCheckBox>

namespace {

const QString corpus = QStringLiteral(CORVALIS_SOURCE_DIR "/tests/data/documents/");

// The lines of `original` that differ in `edited`: [first, last).
std::pair<qsizetype, qsizetype> changedLines(const QByteArray &original, const QByteArray &edited) {
    const QList<QByteArray> a = original.split('\n'), b = edited.split('\n');
    qsizetype first = 0, same = 0;
    while (first < a.size() && first < b.size() && a[first] == b[first])
        ++first;
    while (same < a.size() - first && same < b.size() - first &&
           a[a.size() - 1 - same] == b[b.size() - 1 - same])
        ++same;
    return {first, a.size() - same};
}

class SourceFidelityTest : public SurfaceTest {
protected:
    SourceFidelityTest() { preserve = true; }
    QByteArray saved() {
        EXPECT_TRUE(panel.saveFile(dir.path(u"saved.htm"_qs)));
        return dir.read(u"saved.htm"_qs);
    }
    // Opens the cell dialog at the cell "c" and either ticks "no wrap" and accepts it, or cancels it.
    void cellDialog(bool accept) {
        TableDialogs dialogs(panel, messages, &frame);
        selectText(u"#c"_qs, 1, 1);
        dialogs.setShow([accept](QDialog &dialog) {
            field<QCheckBox>(dialog, "CheckNoWrap")->setChecked(true);
            accept ? dialog.accept() : dialog.reject();
        });
        dialogs.cellProperties(0);
    }
    TestFolder dir;
};

TEST_F(SourceFidelityTest, UneditedDocumentsSaveAsTheyWereAndAnEditStaysInItsBlock) {
    const QStringList names = QDir(corpus).entryList({u"*.html"_qs}, QDir::Files, QDir::Name);
    ASSERT_GE(names.size(), 20);
    for (const QString &name : names) {
        SCOPED_TRACE(name.toStdString());
        const QByteArray original = TextFile::readAll(corpus + name).value_or(QByteArray());
        panel.openFile(corpus + name);
        EXPECT_EQ(saved(), original);
        // One word of the body's text replaced as typing replaces it; the lines of the block
        // around it.
        const QVariantList word = run(uR"((() => {
            const walk = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);
            for (let n = walk.nextNode(); n; n = walk.nextNode()) {
                const m = /\p{L}{4,}/u.exec(n.data);
                if (!m || n.parentElement.closest('script, style, title'))
                    continue;
                const block = n.parentElement.closest('p, li, dt, dd, h1, h2, h3, h4, h5, h6, td, th, pre, div, body');
                const lines = block.outerHTML.split('\n').length;
                getSelection().setBaseAndExtent(n, m.index, n, m.index + m[0].length);
                document.execCommand('insertText', false, 'Quokka');
                return [m[0], lines];
            }
            return [];
        })())"_qs)
                                      .toList();
        ASSERT_EQ(word.size(), 2);
        const QByteArray edited = saved();
        EXPECT_TRUE(
            DocumentEncoding::decode(edited, DocumentEncoding::detect(original).name).contains(u"Quokka"_qs));
        const auto [first, last] = changedLines(original, edited);
        EXPECT_GT(last, first);
        EXPECT_LE(last - first, word[1].toInt()) << word[0].toString().toStdString();
    }
    EXPECT_TRUE(messages.shown().isEmpty());
}

// An undeclared EUC-JP page keeps its characters; a table change in a windows-1252 page is
// written in windows-1252, beside unchanged bytes.
TEST_F(SourceFidelityTest, EncodingsAreReadAndWrittenAsTheDocumentHasThem) {
    panel.openFile(corpus + u"euc-jp-undeclared.html"_qs);
    EXPECT_TRUE(body().contains(u"日本語エンコードテスト"_qs)) << body().toStdString();

    const QByteArray source =
        "<html><head><meta charset=windows-1252></head><body>\n<p>Caf\xe9 cr\xe8me</p>\n"
        "<table><tr><td id=c>tea</td></tr></table>\n</body></html>\n";
    panel.openFile(dir.write(u"1252.htm"_qs, source));
    cellDialog(true);
    const QByteArray edited = saved();
    EXPECT_TRUE(edited.contains("nowrap")) << edited.toStdString();
    EXPECT_TRUE(
        edited.startsWith("<html><head><meta charset=windows-1252></head><body>\n<p>Caf\xe9 cr\xe8me</p>\n"))
        << edited.toStdString();
}

// Cancelling a dialog is no change; a large document shown again after a table change keeps
// its pictures beside it.
TEST_F(SourceFidelityTest, CancelledDialogsChangeNothingAndLargeDocumentsKeepTheirPictures) {
    const QByteArray source =
        "<HTML><BODY>\r\n<TABLE><TR><TD ID=c>tea</TD></TR></TABLE>\r\n<IMG SRC=\"pic.png\">\r\n<P>" +
        QByteArray(1600 * 1024, 'x') + "</P>\r\n</BODY></HTML>\r\n";
    QImage(4, 4, QImage::Format_RGB32).save(dir.path(u"pic.png"_qs));
    panel.openFile(dir.write(u"large.htm"_qs, source));
    cellDialog(false);
    EXPECT_FALSE(surface().documentChanged());
    EXPECT_EQ(saved(), source);
    cellDialog(true);
    EXPECT_EQ(run(u"document.images[0].naturalWidth"_qs).toInt(), 4);
    const QByteArray edited = saved();
    EXPECT_TRUE(edited.contains("nowrap"));
    EXPECT_TRUE(edited.endsWith("<IMG SRC=\"pic.png\">\r\n<P>" + QByteArray(1600 * 1024, 'x') +
                                "</P>\r\n</BODY></HTML>\r\n"));
}

TEST_F(SourceFidelityTest, BadFilesGiveTheirReasonAndLeaveAnUsableEditor) {
    QByteArray binary(4096, '\0');
    binary[10] = 'x';
    QByteArray large = "<p>" + QByteArray(20 * 1024 * 1024, 'a') + "</p>";
    const std::tuple<const char *, QString, const char *> cases[] = {
        {"frameset",
         dir.write(u"frames.htm"_qs, "<html><FRAMESET cols=\"50%,50%\"><frame src=a.htm></FRAMESET></html>"),
         "Document contains a frameset"},
        {"missing", dir.path(u"none.htm"_qs), "File not found"},
        {"missing folder", dir.path(u"no/none.htm"_qs), "Path not found"},
        {"folder", dir.path(), "Invalid argument"},
        {"binary", dir.write(u"image.htm"_qs, binary), "Document is not text"},
        {"20 MB", dir.write(u"large.htm"_qs, large), "Document is larger than 10 MB"},
    };
    for (const auto &[why, path, reason] : cases) {
        SCOPED_TRACE(why);
        load(u"<p>before</p>"_qs);
        panel.openFile(path);
        EXPECT_EQ(messages.last(),
                  u"Error occurred while loading document: "_qs + QString::fromLatin1(reason) + u"."_qs);
        EXPECT_EQ(body(), QString());
    }
    panel.saveFile(dir.path(u"no/where.htm"_qs));
    EXPECT_EQ(messages.last(), u"Error occurred while saving document: Path not found."_qs);
}

TEST_F(SourceFidelityTest, ScriptsNeverRun) {
    panel.openFile(dir.write(u"script.htm"_qs,
                             "<p id=p>kept</p><script>document.body.innerHTML = 'RAN'</script>"
                             "<img src=x onerror=\"document.body.innerHTML = 'RAN'\">"));
    // A script that ran would have left only "RAN".
    EXPECT_TRUE(body().startsWith(u"<p id=\"p\">kept</p>"_qs)) << body().toStdString();
    EXPECT_TRUE(messages.shown().isEmpty());
}

} // namespace
