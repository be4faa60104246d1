// Books against an independent CSV implementation: Python's csv module writes random books that
// the program reads, and reads the books the program writes (csv_reference.py).
#include "addressbook/book_file.h"

#include "book_test_files.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Runs the reference script; its complaints become the failure message.
testing::AssertionResult reference(const QStringList &arguments) {
    QProcess python;
    python.start(u"python3"_s,
                 QStringList{u"" CORVALIS_SOURCE_DIR "/tests/unit/addressbook/csv_reference.py"_s} +
                     arguments);
    if (python.waitForFinished(120000) && python.exitStatus() == QProcess::NormalExit &&
        python.exitCode() == 0)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << python.readAllStandardOutput().left(4000).toStdString()
                                       << python.readAllStandardError().toStdString();
}

} // namespace

TEST(BookCsvReferenceTest, BooksAgreeWithPythonsCsvModuleBothWays) {
    QTemporaryDir dir;
    ASSERT_TRUE(reference({u"write"_s, dir.path(), u"15"_s, u"300"_s}));
    const QJsonArray books = QJsonDocument::fromJson(readBytes(dir.filePath(u"expected.json"_s))).array();
    ASSERT_EQ(books.size(), 300);
    for (qsizetype n = 0; n < books.size(); ++n) {
        const QString path = dir.filePath(u"book_%1.csv"_s.arg(n));
        SCOPED_TRACE(path.toStdString());
        const QJsonObject book = books[n].toObject();
        const auto delimiter =
            book[u"delimiter"_s] == u";"_s ? BookLine::Delimiter::Semicolon : BookLine::Delimiter::Comma;
        const BookFile::ReadResult read = BookFile::read(path, delimiter);
        QStringList expected; // the titles, then the rows
        for (const QJsonValue &row : book[u"rows"_s].toArray())
            expected.append(row.toVariant().toStringList().join(u'|'));
        EXPECT_EQ(shown(read.table), expected.join(u'/'));
        ASSERT_TRUE(BookFile::write(path, read.table, delimiter).ok);
    }
    EXPECT_TRUE(reference({u"check"_s, dir.path()}));
}
