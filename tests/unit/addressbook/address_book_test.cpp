// Opening, saving and creating books, as the user meets them through the dialogs and the grid.
#include "addressbook/dialog_new_addr_book.h"

#include "book_test_files.h"
#include "unit/base/file_size_limit.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QByteArray blank = "First Name,Last Name,Email Address,Phone,,\r\n";
const QByteArray friends = "\"First\",\"Last\",\"Email\",\"\"\r\n\"Ann\",\"Lee\",\"ann@x.com\",\"\"\r\n"
                           "\"Bo\",\"Ray\",\"bo@x.com\",\"\"\r\n";

class AddressBookTest : public BookFixture {
protected:
    AddressBookTest() {
        QDir(m_dir.path()).mkpath(u"addrbooks"_s);
        writeBytes(place(u"blank.dat"_s), blank);
        writeBytes(place(u"addrbooks/Friends.csv"_s), friends);
        m_book.setFileChooser([this](const QString &title, const QString &folder, const QString &) {
            m_asked.append(title + u" in "_s + QDir(folder).dirName());
            return m_chosen;
        });
    }
    QString m_chosen;
    QStringList m_asked;
};

} // namespace

TEST_F(AddressBookTest, OpensThePendingBookOrTheOneChosen) {
    QSignalSpy label(&m_book, &AddressBook::bookLabelChanged);
    open(u"addrbooks/Friends.csv"_s);
    EXPECT_TRUE(m_asked.isEmpty());
    EXPECT_EQ(m_book.model().rowCount(), 2);
    EXPECT_EQ(m_book.email_col(), 2);
    EXPECT_EQ(m_book.bookLabel(), u" Address Book:  Friends.csv"_s);
    ASSERT_FALSE(label.isEmpty());

    m_chosen = place(u"blank.dat"_s);
    m_book.Open_CSV();
    EXPECT_EQ(m_asked, QStringList{u"Open Address List in addrbooks"_s});
    EXPECT_EQ(m_book.currentPath(), m_chosen);
    EXPECT_EQ(m_book.model().rowCount(), 0);

    for (const QString &ignored : {u""_s, place(u"addrbooks/*.csv"_s)}) {
        m_chosen = ignored;
        m_book.Open_CSV();
        EXPECT_EQ(m_book.currentPath(), place(u"blank.dat"_s));
    }
    EXPECT_TRUE(m_messages.shown().isEmpty());
}

TEST_F(AddressBookTest, BooksThatCannotBeReadAreReportedAndTheOpenBookStays) {
    open(u"addrbooks/Friends.csv"_s);
    writeBytes(place(u"addrbooks/picture.csv"_s), QByteArray("GIF89a\0\0\0", 9));
    const QStringList bad{u"addrbooks/picture.csv"_s, u"addrbooks/missing.csv"_s};
    for (const QString &relative : bad) {
        SCOPED_TRACE(relative.toStdString());
        m_messages.clear();
        open(relative);
        EXPECT_EQ(m_messages.shown().size(), 1);
        EXPECT_TRUE(m_messages.last().contains(QFileInfo(relative).fileName()));
        EXPECT_EQ(m_book.currentPath(), place(u"addrbooks/Friends.csv"_s));
        EXPECT_EQ(m_book.model().rowCount(), 2);
    }
    writeBytes(place(u"addrbooks/plain.csv"_s), "Name,Phone,\r\nAnn,555,\r\n");
    m_messages.clear();
    open(u"addrbooks/plain.csv"_s);
    EXPECT_EQ(m_messages.shown(), QStringList{AddressBook::noAddressesWarning()});
    EXPECT_EQ(m_book.email_col(), 0);
}

TEST_F(AddressBookTest, EditsAreSavedOnSaveAndBeforeAnotherBookOpens) {
    open(u"addrbooks/Friends.csv"_s);
    m_book.model().setCell(0, 0, u"Anne"_s);
    EXPECT_EQ(m_book.bookLabel(), u" Address Book:  Friends.csv*"_s);
    EXPECT_EQ(readBytes(place(u"addrbooks/Friends.csv"_s)), friends) << "nothing is written before a save";
    ASSERT_TRUE(m_book.SaveAddressBook());
    EXPECT_EQ(m_book.bookLabel(), u" Address Book:  Friends.csv"_s);
    EXPECT_TRUE(readBytes(place(u"addrbooks/Friends.csv"_s)).contains("\"Anne\",\"Lee\""));

    m_book.model().setCell(1, 0, u"Bob"_s);
    open(u"blank.dat"_s);
    EXPECT_TRUE(readBytes(place(u"addrbooks/Friends.csv"_s)).contains("\"Bob\",\"Ray\""));

    // A book without a first title is never written.
    writeBytes(place(u"addrbooks/untitled.csv"_s), "Name\r\nAnn\r\n");
    open(u"addrbooks/untitled.csv"_s);
    m_book.model().setCell(0, 0, u"Bo"_s);
    EXPECT_TRUE(m_book.SaveAddressBook());
    EXPECT_EQ(readBytes(place(u"addrbooks/untitled.csv"_s)), QByteArray("Name\r\nAnn\r\n"));
}

TEST_F(AddressBookTest, AFailedSaveKeepsTheEditsAndTheOldFile) {
    open(u"addrbooks/Friends.csv"_s);
    m_book.model().setCell(0, 0, QString(4000, u'x'));
    {
        FileSizeLimit limit(1024);
        ASSERT_TRUE(limit.active());
        EXPECT_FALSE(m_book.SaveAddressBook());
        // Opening another book would lose the edits, so it does not happen.
        open(u"blank.dat"_s);
    }
    EXPECT_EQ(m_messages.shown().size(), 2);
    EXPECT_TRUE(m_messages.last().startsWith(u"Unable to save the address book \"Friends.csv\""_s));
    EXPECT_EQ(readBytes(place(u"addrbooks/Friends.csv"_s)), friends);
    EXPECT_EQ(m_book.currentPath(), place(u"addrbooks/Friends.csv"_s));
    EXPECT_TRUE(m_book.model().isModified());
}

TEST_F(AddressBookTest, NewBooksAreMadeFromTheTemplate) {
    const QString overwrite = DialogNewAddrBook::overwriteQuestion();
    const struct {
        const char *why;
        QString typed;
        std::optional<Messages::Answer> answer;
        QString file; // expected to exist afterwards, with the template's contents
        QString shown;
    } cases[] = {
        {"a plain name gets .csv", u"family"_s, {}, u"family.csv"_s, {}},
        {"a name ending in .CSV keeps it", u"work.CSV"_s, {}, u"work.CSV"_s, {}},
        {"No to the overwrite question keeps the dialog open",
         u"Friends"_s,
         Messages::Answer::No,
         {},
         overwrite},
        {"Yes overwrites", u"Friends"_s, Messages::Answer::Yes, u"Friends.csv"_s, overwrite},
        {"a name with a folder in it", u"../escape"_s, {}, {}, DialogNewAddrBook::createFailedMessage()},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.why);
        m_messages.clear();
        if (c.answer)
            m_messages.queueAnswer(*c.answer);
        DialogNewAddrBook dialog(m_book);
        auto *ok = dialog.findChild<QPushButton *>(u"OKButton"_s);
        EXPECT_FALSE(ok->isEnabled());
        QTest::keyClicks(dialog.findChild<QLineEdit *>(u"Text1"_s), c.typed);
        ASSERT_TRUE(ok->isEnabled());
        ok->click();
        EXPECT_EQ(dialog.result() == QDialog::Accepted, !c.file.isEmpty());
        EXPECT_EQ(m_messages.shown(), c.shown.isEmpty() ? QStringList() : QStringList{c.shown});
        if (!c.file.isEmpty()) {
            EXPECT_EQ(readBytes(place(u"addrbooks/"_s + c.file)), blank);
            EXPECT_EQ(m_book.currentPath(), place(u"addrbooks/"_s + c.file));
            EXPECT_EQ(m_book.model().plainTitle(2), u"Email Address"_s);
        }
    }
    EXPECT_FALSE(QFileInfo::exists(place(u"escape.csv"_s)));
}
