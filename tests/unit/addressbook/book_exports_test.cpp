// Contact exports of other programs (tests/data/exports), opened as a book and imported.
#include "addressbook/dialog_import.h"

#include "book_test_files.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Titles of columns 0 to 2 once opened, then each contact's first name, last name and address.
const std::pair<QString, QString> exports[] = {
    // first and last name go by other titles here
    {u"google_contacts.csv"_s,
     u"Name|Given Name|E-mail 1 - Value/Ann Lee|Ann|ann@example.com/Bo Smith|Bo|bo@work.example"_s},
    {u"google_contacts_labels.csv"_s,
     u"First Name|Last Name|E-mail 1 - Value/Zoë|Ng|zoe@example.org/Max|Roe|max@roe.example"_s},
    {u"outlook.csv"_s,
     u"First Name|Last Name|E-mail Address/Renée|O’Brien|renee@example.com/Tom|Smith|tom@smith.example"_s},
    {u"thunderbird.csv"_s,
     u"First Name|Last Name|Primary Email/Robert|Smith|bob@smith.example/Jo|Ann|jo@ann.example"_s},
    {u"spreadsheet_semicolons.csv"_s,
     u"First Name|Last Name|E-mail/Jürgen|Müller|jm@example.de/Ana|Sousa|ana@example.pt"_s},
    {u"spreadsheet_utf8.csv"_s,
     u"First Name|Last Name|E-mail Address/Łukasz|Wójcik|lw@example.pl/李|娜|li.na@example.cn"_s},
    {u"spreadsheet_unicode.txt"_s,
     u"First Name|Last Name|E-mail/Søren|Kierkegaard|sk@example.dk/Ewa|Nowak|ewa@example.pl"_s},
    {u"mixed_encoding.csv"_s, u"First|Last|Email/Zoë|Çelik|zoe@example.com/Renée|Faure|renee@example.fr"_s},
};

QString exportPath(const QString &file) {
    return QStringLiteral(CORVALIS_SOURCE_DIR "/tests/data/exports/") + file;
}

// Columns 0 to 2 of the book's rows from `first` on, the e-mail cell as "To" would insert it.
QString contactsFrom(const AddressBook &book, int first) {
    QStringList contacts;
    for (int r = first; r < book.model().rowCount(); ++r)
        contacts.append(QStringList{book.model().cell(r, 0), book.model().cell(r, 1),
                                    book.model().cell(r, book.email_col())}
                            .join(u'|'));
    return contacts.join(u'/');
}

using BookExportsTest = BookFixture;

} // namespace

TEST_F(BookExportsTest, ExportsOpenAsBooksAndImportIntoABooksColumns) {
    const QString bookPath = m_dir.filePath(u"book.csv"_s);
    ASSERT_TRUE(writeBytes(bookPath, "First,Last,Email,Phone,\r\n"));
    for (const auto &[file, expected] : exports) {
        SCOPED_TRACE(file.toStdString());
        open(exportPath(file));
        EXPECT_EQ(m_book.model().table().titles().mid(0, 3).join(u'|') + u'/' + contactsFrom(m_book, 0),
                  expected);

        open(bookPath);
        const int before = m_book.model().rowCount();
        DialogImport dialog(m_book, exportPath(file));
        ASSERT_TRUE(dialog.loaded());
        dialog.OKButton_Click();
        EXPECT_EQ(contactsFrom(m_book, before), expected.section(u'/', 1));
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
    EXPECT_EQ(contactsFrom(m_book, 1), u"Anabela|Sousa|ana@example.pt"_s);
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
