// A named pipe opened for reading waits for a writer: such files are refused before opening,
// or these tests would hang.
#include "base/regular_file.h"
#include "base/settings.h"
#include "unit/addressbook/book_test_files.h"

#include <QFile>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

using RegularFileTest = BookFixture;

TEST_F(RegularFileTest, PipesAndOtherSpecialFilesAreRefusedWhereFilesAreOpened) {
    const QString fifo = place(u"pipe.csv"_s), link = place(u"link.htm"_s);
    const QString book = m_dir.write(u"book.csv"_s, "First,Last,E-mail\r\nAnn,Smith,a@b.c\r\n");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(fifo, link));
    EXPECT_FALSE(RegularFile::isSpecial(book) || RegularFile::isSpecial(place(u"missing"_s)));
    EXPECT_TRUE(RegularFile::isSpecial(link) && RegularFile::isSpecial(place({})));

    // The settings: read as defaults, and never replaced by a file.
    Settings settings(fifo);
    EXPECT_EQ(settings.GetIni(u"Settings"_s, u"autologin"_s, u"0"_s), u"0"_s);
    settings.SetIni(u"Settings"_s, u"autologin"_s, u"1"_s);
    EXPECT_TRUE(RegularFile::isSpecial(fifo));

    // An address book opened, or imported into the open book.
    open(fifo);
    EXPECT_TRUE(m_book.currentPath().isEmpty());
    open(book);
    ASSERT_EQ(m_book.currentPath(), book);
    m_book.setFileChooser([&](const QString &, const QString &, const QString &) { return link; });
    m_book.importData();
    EXPECT_EQ(m_messages.shown(), QStringList({RegularFile::refusal(fifo), RegularFile::refusal(link)}));
}
