// A document opened in the editor shows the pictures that lie beside it.
#include "editor/editing_surface.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineScript>

#include <gtest/gtest.h>

TEST(EditorPicturesTest, APictureBesideTheDocumentLoads) {
    QTemporaryDir dir;
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(dir.filePath(QStringLiteral("p.png"))));
    QFile document(dir.filePath(QStringLiteral("d.htm")));
    ASSERT_TRUE(document.open(QIODevice::WriteOnly));
    document.write("<html><body><p>x<img src=\"p.png\"></p></body></html>");
    document.close();

    EditingSurface surface;
    ASSERT_EQ(surface.loadDocument(document.fileName(), false), qint32(DocumentFile::NoError));
    QVariant width;
    const auto loaded = [&] {
        QEventLoop loop;
        surface.page()->runJavaScript(QStringLiteral("document.querySelector('img').complete && "
                                                     "document.querySelector('img').naturalWidth"),
                                      QWebEngineScript::ApplicationWorld, [&](const QVariant &v) {
                                          width = v;
                                          loop.quit();
                                      });
        loop.exec();
        return width.toInt() > 0;
    };
    EXPECT_TRUE(QTest::qWaitFor(loaded, 5000));
    EXPECT_EQ(width.toInt(), 40);
}
