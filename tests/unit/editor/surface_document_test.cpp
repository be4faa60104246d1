// Opening and saving documents in the real editing surface, and files it must refuse or survive.
#include "surface_fixture.h"

#include "editor/editor_selection.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

class SurfaceDocumentTest : public SurfaceTest {
protected:
    QString write(const QString &name, const QByteArray &bytes) {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QByteArray read(const QString &path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QTemporaryDir dir;
};

TEST_F(SurfaceDocumentTest, SavingWithoutEditsKeepsTheSourceAsWritten) {
    const QByteArray source = "<HTML><Body BGCOLOR=#ffeedd>\r\n<!-- note -->  <P  ALIGN=center>caf&eacute;"
                              " &amp; <FONT COLOR=red>tea</FONT>\r\n</BODY></HTML>\r\n";
    preserve = true;
    panel.openFile(write(u"hand.htm"_qs, source));
    EXPECT_TRUE(body().contains(u"café"_qs));
    const QString copy = dir.filePath(u"copy.htm"_qs);
    panel.saveFile(copy);
    EXPECT_EQ(read(copy), source);

    // An edit is saved as the document now stands.
    run(u"getSelection().selectAllChildren(document.body)"_qs);
    surface().execCommand(EditingSurface::Bold);
    panel.saveFile(copy);
    EXPECT_TRUE(read(copy).contains("<b>")) << read(copy).toStdString();
    EXPECT_TRUE(messages.shown().isEmpty());
}

TEST_F(SurfaceDocumentTest, BadFilesGiveTheirReasonAndLeaveAnUsableEditor) {
    QByteArray binary(4096, '\0');
    binary[10] = 'x';
    QByteArray large = "<p>" + QByteArray(20 * 1024 * 1024, 'a') + "</p>";
    struct Case {
        const char *why;
        QString path;
        const char *reason;
    };
    const Case cases[] = {
        {"frameset",
         write(u"frames.htm"_qs, "<html><FRAMESET cols=\"50%,50%\"><frame src=a.htm></FRAMESET></html>"),
         "Document contains a frameset"},
        {"missing", dir.filePath(u"none.htm"_qs), "File not found"},
        {"missing folder", dir.filePath(u"no/none.htm"_qs), "Path not found"},
        {"folder", dir.path(), "Invalid argument"},
        {"binary", write(u"image.htm"_qs, binary), "Document is not text"},
        {"20 MB", write(u"large.htm"_qs, large), "Document is larger than 10 MB"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        load(u"<p>before</p>"_qs);
        panel.openFile(c.path);
        EXPECT_EQ(messages.last(),
                  u"Error occurred while loading document: "_qs + QString::fromLatin1(c.reason) + u"."_qs);
        EXPECT_EQ(body(), QString());
    }
    panel.saveFile(dir.filePath(u"no/where.htm"_qs));
    EXPECT_EQ(messages.last(), u"Error occurred while saving document: Path not found."_qs);
}

TEST_F(SurfaceDocumentTest, ScriptsNeverRunAndLargeTablesStayUsable) {
    panel.openFile(write(u"script.htm"_qs, "<p id=p>kept</p><script>document.body.innerHTML = 'RAN'</script>"
                                           "<img src=x onerror=\"document.body.innerHTML = 'RAN'\">"));
    // A script that ran would have left only "RAN".
    EXPECT_TRUE(body().startsWith(u"<p id=\"p\">kept</p>"_qs)) << body().toStdString();
    EXPECT_TRUE(messages.shown().isEmpty());

    QString cells;
    for (int r = 0; r < 100; ++r)
        cells += u"<tr>"_qs + QString(u"<td>cell</td>"_qs).repeated(100) + u"</tr>"_qs;
    load(u"<table id=t>"_qs + cells + u"</table>"_qs);
    selectText(u"#t td"_qs, 1, 3);
    EXPECT_EQ(panel.buildContextMenu().items.size(), 18);
    panel.selection().GetSelection();
    EXPECT_EQ(panel.selection().selectionHtml(), u"el"_qs);
}

} // namespace
