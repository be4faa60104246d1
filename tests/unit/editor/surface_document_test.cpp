// Opening and saving documents in the real editing surface, and files it must refuse or survive.
#include "surface_fixture.h"

#include "support/unit_files.h"

namespace {

class SurfaceDocumentTest : public SurfaceTest {
protected:
    TestFolder dir;
};

TEST_F(SurfaceDocumentTest, SavingWithoutEditsKeepsTheSourceAsWritten) {
    const QByteArray source = "<HTML><Body BGCOLOR=#ffeedd>\r\n<!-- note -->  <P  ALIGN=center>caf&eacute;"
                              " &amp; <FONT COLOR=red>tea</FONT>\r\n</BODY></HTML>\r\n";
    preserve = true;
    panel.openFile(dir.write(u"hand.htm"_qs, source));
    EXPECT_TRUE(body().contains(u"café"_qs));
    const QString copy = dir.path(u"copy.htm"_qs);
    panel.saveFile(copy);
    EXPECT_EQ(dir.read(copy), source);

    // An edit is saved as the document now stands.
    run(u"getSelection().selectAllChildren(document.body)"_qs);
    surface().execCommand(EditingSurface::Bold);
    panel.saveFile(copy);
    EXPECT_TRUE(dir.read(copy).contains("<B>")) << dir.read(copy).toStdString();
    EXPECT_TRUE(messages.shown().isEmpty());
}

TEST_F(SurfaceDocumentTest, BadFilesGiveTheirReasonAndLeaveAnUsableEditor) {
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

TEST_F(SurfaceDocumentTest, ScriptsNeverRunAndLargeDocumentsStayUsable) {
    panel.openFile(dir.write(u"script.htm"_qs,
                             "<p id=p>kept</p><script>document.body.innerHTML = 'RAN'</script>"
                             "<img src=x onerror=\"document.body.innerHTML = 'RAN'\">"));
    // A script that ran would have left only "RAN".
    EXPECT_TRUE(body().startsWith(u"<p id=\"p\">kept</p>"_qs)) << body().toStdString();
    EXPECT_TRUE(messages.shown().isEmpty());

    // Too large to hand over inline: the surface shows it from a file of its own.
    load(u"<p>"_qs + QString(2'000'000, u'x') + u"</p>"_qs);
    EXPECT_EQ(body().size(), 2'000'007);
}

} // namespace
