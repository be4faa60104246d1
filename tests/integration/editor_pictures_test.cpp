// A document opened in the editor shows the pictures that lie beside it.
#include "base/text_file.h"
#include "unit/editor/surface_fixture.h"

#include <QImage>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

using EditorPicturesTest = SurfaceTest;

TEST_F(EditorPicturesTest, APictureBesideTheDocumentLoads) {
    QTemporaryDir dir;
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(dir.filePath(u"p.png"_s)));
    const QString document = dir.filePath(u"d.htm"_s);
    ASSERT_TRUE(
        TextFile::writeAtomically(document, "<html><body><p>x<img src=\"p.png\"></p></body></html>").ok);
    ASSERT_EQ(surface().loadDocument(document, false), qint32(DocumentFile::NoError));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return run(u"document.querySelector('img').complete && document.querySelector('img').naturalWidth"_s)
                       .toInt() == 40;
        },
        5000));
}
