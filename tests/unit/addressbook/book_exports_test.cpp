// Contact exports of other programs (tests/data/exports), opened as a book and imported.
#include "addressbook/address_book.h"
#include "addressbook/dialog_import.h"

#include "book_test_files.h"
#include "shell/messages.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct Export {
    QString file;
    QStringList titles;                // of columns 0, 1 and 2 once opened
    std::vector<QStringList> contacts; // first name, last name and address columns
};

const Export exports[] = {
    {u"google_contacts.csv"_s, // first and last name go by other titles here
     {u"Name"_s, u"Given Name"_s, u"E-mail 1 - Value"_s},
     {{u"Ann Lee"_s, u"Ann"_s, u"ann@example.com"_s}, {u"Bo Smith"_s, u"Bo"_s, u"bo@work.example"_s}}},
    {u"google_contacts_labels.csv"_s,
     {u"First Name"_s, u"Last Name"_s, u"E-mail 1 - Value"_s},
     {{u"Zoë"_s, u"Ng"_s, u"zoe@example.org"_s}, {u"Max"_s, u"Roe"_s, u"max@roe.example"_s}}},
    {u"outlook.csv"_s,
     {u"First Name"_s, u"Last Name"_s, u"E-mail Address"_s},
     {{u"Renée"_s, u"O’Brien"_s, u"renee@example.com"_s}, {u"Tom"_s, u"Smith"_s, u"tom@smith.example"_s}}},
    {u"thunderbird.csv"_s,
     {u"First Name"_s, u"Last Name"_s, u"Primary Email"_s},
     {{u"Robert"_s, u"Smith"_s, u"bob@smith.example"_s}, {u"Jo"_s, u"Ann"_s, u"jo@ann.example"_s}}},
    {u"spreadsheet_semicolons.csv"_s,
     {u"First Name"_s, u"Last Name"_s, u"E-mail"_s},
     {{u"Jürgen"_s, u"Müller"_s, u"jm@example.de"_s}, {u"Ana"_s, u"Sousa"_s, u"ana@example.pt"_s}}},
    {u"spreadsheet_utf8.csv"_s,
     {u"First Name"_s, u"Last Name"_s, u"E-mail Address"_s},
     {{u"Łukasz"_s, u"Wójcik"_s, u"lw@example.pl"_s}, {u"李"_s, u"娜"_s, u"li.na@example.cn"_s}}},
    {u"spreadsheet_unicode.txt"_s,
     {u"First Name"_s, u"Last Name"_s, u"E-mail"_s},
     {{u"Søren"_s, u"Kierkegaard"_s, u"sk@example.dk"_s}, {u"Ewa"_s, u"Nowak"_s, u"ewa@example.pl"_s}}},
    {u"mixed_encoding.csv"_s,
     {u"First"_s, u"Last"_s, u"Email"_s},
     {{u"Zoë"_s, u"Çelik"_s, u"zoe@example.com"_s}, {u"Renée"_s, u"Faure"_s, u"renee@example.fr"_s}}},
};

QString exportPath(const QString &file) {
    return QStringLiteral(CORVALIS_SOURCE_DIR "/tests/data/exports/") + file;
}

// Columns 0 to 2 of the book's rows from `first` on, the e-mail cell as "To" would insert it.
std::vector<QStringList> contactsFrom(const AddressBook &book, int first) {
    std::vector<QStringList> contacts;
    for (int r = first; r < book.model().rowCount(); ++r)
        contacts.push_back(
            {book.model().cell(r, 0), book.model().cell(r, 1), book.model().cell(r, book.email_col())});
    return contacts;
}

class BookExportsTest : public testing::Test {
protected:
    void open(const QString &path) {
        m_book.setPendingPath(path);
        m_book.Open_CSV();
    }
    QTemporaryDir m_dir;
    RecordingMessages m_messages;
    AddressBook m_book{m_messages, [this](const QString &relative) { return m_dir.filePath(relative); },
                       nullptr};
};

} // namespace

TEST_F(BookExportsTest, ExportsOpenAsBooksAndImportIntoABooksColumns) {
    const QString bookPath = m_dir.filePath(u"book.csv"_s);
    ASSERT_TRUE(writeBytes(bookPath, "First,Last,Email,Phone,\r\n"));
    for (const Export &e : exports) {
        SCOPED_TRACE(e.file.toStdString());
        open(exportPath(e.file));
        EXPECT_EQ(m_book.model().table().titles().mid(0, 3), e.titles);
        EXPECT_EQ(m_book.email_col(), 2);
        EXPECT_EQ(contactsFrom(m_book, 0), e.contacts);

        open(bookPath);
        const int before = m_book.model().rowCount();
        DialogImport dialog(m_book, exportPath(e.file));
        ASSERT_TRUE(dialog.loaded());
        dialog.OKButton_Click();
        EXPECT_EQ(contactsFrom(m_book, before), e.contacts);
    }
    EXPECT_EQ(m_messages.shown(), QStringList(std::size(exports), DialogImport::finishedMessage()));
}

TEST_F(BookExportsTest, ASemicolonBookIsSavedWithSemicolons) {
    const QString path = m_dir.filePath(u"semicolons.csv"_s);
    ASSERT_TRUE(writeBytes(path, readBytes(exportPath(u"spreadsheet_semicolons.csv"_s))));
    open(path);
    m_book.model().setCell(1, 0, u"Anabela"_s);
    ASSERT_TRUE(m_book.SaveAddressBook());
    EXPECT_TRUE(readBytes(path).startsWith("\"First Name\";\"Last Name\";\"E-mail\";\"Height\";\"\"\r\n"));
    open(path);
    EXPECT_EQ(contactsFrom(m_book, 1),
              (std::vector<QStringList>{{u"Anabela"_s, u"Sousa"_s, u"ana@example.pt"_s}}));
}

TEST(BookRecordsTest, OddQuotesOfBooksWrittenBeforeQuotesWereDoubledKeepTheContactsApart) {
    const BookTable table = BookFile::parse(uR"("Name","Height",""
"Tom","5'11"","t@x.com"
"Ann","O"Brien","a@x.com")"_s,
                                            BookLine::Delimiter::Comma)
                                .table;
    ASSERT_EQ(table.rowCount(), 2);
    EXPECT_EQ(table.cell(1, 0), u"Ann");
}
