// A named pipe opened for reading waits for a writer: such files are refused before opening,
// or these tests would hang.
#include "addressbook/address_book.h"
#include "base/messages.h"
#include "base/regular_file.h"
#include "base/settings.h"
#include "support/unit_files.h"

#include <QFile>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

TEST(RegularFileTest, PipesAndOtherSpecialFilesAreRefusedWhereFilesAreOpened) {
    TestFolder dir;
    const QString fifo = dir.path(u"pipe.csv"_s), link = dir.path(u"link.htm"_s);
    const QString book = dir.write(u"book.csv"_s, "First,Last,E-mail\r\nAnn,Smith,a@b.c\r\n");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(fifo, link));
    EXPECT_FALSE(RegularFile::isSpecial(book) || RegularFile::isSpecial(dir.path(u"missing"_s)));
    EXPECT_TRUE(RegularFile::isSpecial(link) && RegularFile::isSpecial(dir.path()));

    // The settings: read as defaults, and never replaced by a file.
    Settings settings(fifo);
    EXPECT_EQ(settings.GetIni(u"Settings"_s, u"autologin"_s, u"0"_s), u"0"_s);
    settings.SetIni(u"Settings"_s, u"autologin"_s, u"1"_s);
    EXPECT_TRUE(RegularFile::isSpecial(fifo));

    // An address book opened, or imported into the open book.
    RecordingMessages messages;
    AddressBook addresses(
        messages, [&](const QString &) { return dir.path(); }, nullptr);
    addresses.setPendingPath(fifo);
    addresses.Open_CSV();
    EXPECT_TRUE(addresses.currentPath().isEmpty());
    addresses.setPendingPath(book);
    addresses.Open_CSV();
    ASSERT_EQ(addresses.currentPath(), book);
    addresses.setFileChooser([&](const QString &, const QString &, const QString &) { return link; });
    addresses.importData();
    EXPECT_EQ(messages.shown(), QStringList({RegularFile::refusal(fifo), RegularFile::refusal(link)}));
}
