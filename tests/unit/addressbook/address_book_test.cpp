// Opening, saving, creating and importing books through the dialogs; the find dialog.
#include "addressbook/dialog_new_addr_book.h"

#include "addressbook/dialog_find.h"
#include "addressbook/dialog_import.h"

#include "book_test_files.h"
#include "unit/base/file_size_limit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QByteArray blank = "First Name,Last Name,Email Address,Phone,,\r\n";
const QByteArray friends = "\"First\",\"Last\",\"Email\",\"\"\r\n\"Ann\",\"Lee\",\"ann@x.com\",\"\"\r\n"
                           "\"Bo\",\"Ray\",\"bo@x.com\",\"\"\r\n";

// No book open yet; the file chooser hands back m_chosen.
class AddressBookTest : public BookFixture {
protected:
    AddressBookTest() {
        m_dir.write(u"blank.dat"_s, blank);
        m_dir.write(u"addrbooks/Friends.csv"_s, friends);
        m_dir.write(u"book.csv"_s, "First,Last,Email,Phone,\r\nAnn,Lee,ann@x.com,1,\r\n"
                                   "Bo,Smith,,2,\r\nCy,sMall,cy@x.com,3,\r\n");
        m_book.setFileChooser([this](const QString &title, const QString &folder, const QString &) {
            m_asked.append(title + u" in "_s + QDir(folder).dirName());
            return m_chosen;
        });
    }
    QString row(int r) const { return shownRow(m_book.model().table(), r); }
    QString m_chosen;
    QStringList m_asked;
};

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

const QString exportDir = QStringLiteral(CORVALIS_SOURCE_DIR "/tests/data/exports/");

// Columns 0 to 2 of the book's rows from `first` on, the e-mail cell as "To" would insert it.
QString contactsFrom(const AddressBook &book, int first) {
    QStringList contacts;
    for (int r = first; r < book.model().rowCount(); ++r)
        contacts.append(QStringList{book.model().cell(r, 0), book.model().cell(r, 1),
                                    book.model().cell(r, book.email_col())}
                            .join(u'|'));
    return contacts.join(u'/');
}

} // namespace

// A pending book opened, its label and its columns are the address book integration test's.
TEST_F(AddressBookTest, OpensTheBookChosenOrSaysWhyNot) {
    m_chosen = place(u"blank.dat"_s);
    m_book.Open_CSV();
    EXPECT_EQ(m_asked, QStringList{u"Open Address List in addrbooks"_s});
    EXPECT_EQ(std::pair(m_book.currentPath(), m_book.model().rowCount()), std::pair(m_chosen, 0));

    for (const QString &ignored : {u""_s, place(u"addrbooks/*.csv"_s)}) {
        m_chosen = ignored;
        m_book.Open_CSV();
        EXPECT_EQ(m_book.currentPath(), place(u"blank.dat"_s));
    }
    EXPECT_TRUE(m_messages.shown().isEmpty());

    // Books that cannot be read are reported, and the open book stays.
    open(u"addrbooks/Friends.csv"_s);
    m_dir.write(u"addrbooks/picture.csv"_s, QByteArray("GIF89a\0\0\0", 9));
    for (const QString &relative : {u"addrbooks/picture.csv"_s, u"addrbooks/missing.csv"_s}) {
        SCOPED_TRACE(relative.toStdString());
        m_messages.clear();
        open(relative);
        EXPECT_EQ(m_messages.shown().size(), 1);
        EXPECT_TRUE(m_messages.last().contains(QFileInfo(relative).fileName()));
        EXPECT_EQ(std::pair(m_book.currentPath(), m_book.model().rowCount()),
                  std::pair(place(u"addrbooks/Friends.csv"_s), 2));
    }
    m_dir.write(u"addrbooks/plain.csv"_s, "Name,Phone,\r\nAnn,555,\r\n");
    m_messages.clear();
    open(u"addrbooks/plain.csv"_s);
    EXPECT_EQ(m_messages.shown(), QStringList{AddressBook::noAddressesWarning()});
}

TEST_F(AddressBookTest, EditsAreSavedOnSaveAndBeforeAnotherBookOpens) {
    open(u"addrbooks/Friends.csv"_s);
    m_book.model().setCell(0, 0, u"Anne"_s);
    EXPECT_EQ(m_book.bookLabel(), u" Address Book:  Friends.csv*"_s);
    EXPECT_EQ(m_dir.read(u"addrbooks/Friends.csv"_s), friends) << "nothing is written before a save";
    ASSERT_TRUE(m_book.SaveAddressBook());
    EXPECT_EQ(m_book.bookLabel(), u" Address Book:  Friends.csv"_s);
    EXPECT_TRUE(m_dir.read(u"addrbooks/Friends.csv"_s).contains("\"Anne\",\"Lee\""));

    m_book.model().setCell(1, 0, u"Bob"_s);
    open(u"blank.dat"_s);
    EXPECT_TRUE(m_dir.read(u"addrbooks/Friends.csv"_s).contains("\"Bob\",\"Ray\""));

    // A book without a first title is never written.
    m_dir.write(u"addrbooks/untitled.csv"_s, "Name\r\nAnn\r\n");
    open(u"addrbooks/untitled.csv"_s);
    m_book.model().setCell(0, 0, u"Bo"_s);
    EXPECT_TRUE(m_book.SaveAddressBook());
    EXPECT_EQ(m_dir.read(u"addrbooks/untitled.csv"_s), QByteArray("Name\r\nAnn\r\n"));
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
    EXPECT_EQ(m_dir.read(u"addrbooks/Friends.csv"_s), friends);
    EXPECT_TRUE(m_book.currentPath() == place(u"addrbooks/Friends.csv"_s) && m_book.model().isModified());
}

TEST_F(AddressBookTest, NewBooksAreMadeFromTheTemplate) {
    const QString overwrite = DialogNewAddrBook::overwriteQuestion();
    const struct {
        const char *why;
        QString typed, file; // the file: expected to exist afterwards, with the template's contents
        QString shown;
        std::optional<Messages::Answer> answer = {};
    } cases[] = {
        {"a plain name gets .csv", u"family"_s, u"family.csv"_s, {}},
        {"No to overwriting keeps the dialog open", u"Friends"_s, {}, overwrite, Messages::Answer::No},
        {"Yes overwrites", u"Friends"_s, u"Friends.csv"_s, overwrite, Messages::Answer::Yes},
        {"a name with a folder in it", u"../escape"_s, {}, DialogNewAddrBook::createFailedMessage()},
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
            EXPECT_EQ(m_dir.read(u"addrbooks/"_s + c.file), blank);
            EXPECT_EQ(m_book.currentPath(), place(u"addrbooks/"_s + c.file));
            EXPECT_EQ(m_book.model().plainTitle(2), u"Email Address"_s);
        }
    }
    EXPECT_FALSE(QFileInfo::exists(place(u"escape.csv"_s)));
}

TEST_F(AddressBookTest, ImportLinesUpTheFilesColumnsAndAppendsItsRows) {
    open(u"book.csv"_s);
    m_book.model().sortPress(2);
    DialogImport dialog(m_book, m_dir.write(u"in.csv"_s, "Email,First,Last,Extra,\r\ndi@x.com,Di,Do,x,\r\n"));
    ASSERT_TRUE(dialog.loaded());
    auto *fileGrid = dialog.findChild<QTableView *>(u"MSFlexGrid1"_s);
    auto *bookGrid = dialog.findChild<QHeaderView *>(u"MSFlexGrid2"_s);
    EXPECT_EQ(titles(*bookGrid->model()), u"1-First|2-Last|3-Email|4-Phone"_s);
    EXPECT_EQ(titles(*fileGrid->model()), u"First|Last|Email|Extra|"_s);
    EXPECT_TRUE(fileGrid->isColumnHidden(4));

    dialog.findChild<QPushButton *>(u"OKButton"_s)->click();
    EXPECT_EQ(m_messages.shown(), QStringList{DialogImport::finishedMessage(1, 0)});
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(row(3), u"Di|Do|di@x.com|x|"_s);
    EXPECT_TRUE(m_book.model().isModified());

    // Imports of nothing or of no text say so.
    DialogImport headerOnly(m_book, m_dir.write(u"empty.csv"_s, "First,Last,\r\n"));
    headerOnly.OKButton_Click();
    DialogImport binary(m_book, m_dir.write(u"bin.csv"_s, QByteArray("\0\1\2", 3)));
    EXPECT_FALSE(binary.loaded());
    EXPECT_EQ(std::pair(m_book.model().rowCount(), m_messages.shown().mid(1, 1)),
              std::pair(4, QStringList{DialogImport::finishedMessage(0, 0)}));
}

// A mail program's export (quoted fields, commas in names, notes over lines, more columns than the book):
// each column shows under its coming title, moves by mouse, and lands in the book (a new column if it has
// none).
TEST_F(AddressBookTest, EveryColumnOfAnExportIsShownMovableAndKept) {
    open(u"book.csv"_s);
    DialogImport dialog(m_book, exportDir + u"outlook_business.csv"_s);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    auto *fileGrid = dialog.findChild<QTableView *>(u"MSFlexGrid1"_s);
    auto *titleRow = dialog.findChild<QHeaderView *>(u"MSFlexGrid2"_s);
    QHeaderView *fileTitles = fileGrid->horizontalHeader();
    const auto move = [&](const QString &title, int place) {
        const int column = titles(*fileGrid->model()).split(u'|').indexOf(title);
        fileGrid->scrollTo(fileGrid->model()->index(0, column));
        QTest::mouseClick(fileTitles->viewport(), Qt::LeftButton, {},
                          QPoint(fileTitles->sectionViewportPosition(column) + 4, fileTitles->height() / 2));
        dialog.findChild<QComboBox *>(u"Combo1"_s)->setCurrentIndex(place - 1);
        QTest::mouseClick(dialog.findChild<QPushButton *>(u"Command1"_s), Qt::LeftButton);
    };
    move(u"Business Phone"_s, 4);
    move(u"Notes"_s, 5);
    EXPECT_EQ(titles(*titleRow->model()), u"1-First|2-Last|3-Email|4-Phone|5-(new) Notes|6-(new) Title|"
                                          u"7-(new) Company"_s);
    // Each title is readable and stands over its column, also scrolled to the far right.
    EXPECT_GE(titleRow->height(), fileTitles->height());
    for (int c = 0; c < 7; ++c) {
        fileGrid->scrollTo(fileGrid->model()->index(0, c));
        EXPECT_FALSE(fileGrid->isColumnHidden(c));
        EXPECT_GE(fileTitles->sectionSize(c), fileTitles->sectionSizeHint(c));
        EXPECT_EQ(titleRow->sectionSize(c), fileTitles->sectionSize(c));
        EXPECT_EQ(titleRow->sectionViewportPosition(c), fileTitles->sectionViewportPosition(c));
    }

    QTest::mouseClick(dialog.findChild<QPushButton *>(u"OKButton"_s), Qt::LeftButton);
    EXPECT_EQ(m_book.model().table().titles().join(u'|'), u"First|Last|Email|Phone|Notes|Title|Company|"_s);
    EXPECT_EQ(row(3), u"Ann|Lee, Jr.|ann.lee@example.com|+1 (555) 010-2000|Met at the fair. Prefers e-mail, "
                      u"not phone.|Dr.|Lee, Barnes & Co.|"_s);
    EXPECT_EQ(row(4), u"Bo|O'Hara|bo@example.org|555-0101|Line one line two||Hara \"Tech\" Ltd|"_s);
}

TEST_F(AddressBookTest, SkippingKnownAddressesSaysHowManyWereAddedAndSkipped) {
    const struct {
        QByteArray file;
        QString shown;
        int rows;
    } cases[] = {
        {"First,Last,Email,\r\nA,B,ANN@x.com ,\r\nC,D,cy@x.com,\r\n", DialogImport::finishedMessage(0, 2), 3},
        {"First,Last,Email,\r\nA,B,ann@x.com,\r\nN,O,new@x.com,\r\nN,O,New@x.com,\r\nE,F,,\r\n",
         DialogImport::finishedMessage(2, 2), 5},
    };
    for (const auto &c : cases) {
        m_messages.clear();
        open(u"book.csv"_s);
        DialogImport dialog(m_book, m_dir.write(u"known.csv"_s, c.file));
        dialog.show();
        QTest::mouseClick(dialog.findChild<QCheckBox *>(u"CheckSkipKnown"_s), Qt::LeftButton);
        QTest::mouseClick(dialog.findChild<QPushButton *>(u"OKButton"_s), Qt::LeftButton);
        EXPECT_EQ(std::pair(m_messages.shown(), m_book.model().rowCount()),
                  std::pair(QStringList{c.shown}, c.rows));
    }
    EXPECT_TRUE(DialogImport::finishedMessage(0, 2).contains(u"Nothing was added"_s));
    EXPECT_TRUE(DialogImport::finishedMessage(2, 2).contains(u"2 contacts appended"_s) &&
                DialogImport::finishedMessage(2, 2).contains(u"2 contacts skipped"_s));
}

TEST_F(AddressBookTest, FindJumpsToTheFirstRowStartingWithTheText) {
    open(u"book.csv"_s);
    FindState &state = m_book.findState();
    state.column = 9; // from a wider book opened before
    DialogFind dialog(m_book.model(), state);
    QSignalSpy found(&dialog, &DialogFind::matchFound);
    dialog.Form_Load({0, 40});
    EXPECT_EQ(std::pair(dialog.findChild<QComboBox *>(u"Combo1"_s)->currentIndex(), state.column),
              std::pair(0, 0));
    dialog.Combo1_Click(1);
    auto *text = dialog.findChild<QLineEdit *>(u"Text1"_s);
    for (const QString &typed : {u"sm"_s, u"smz"_s}) // no match leaves the current cell alone
        text->setText(typed);
    ASSERT_EQ(found.size(), 1);
    EXPECT_EQ(found[0], (QVariantList{1, 1}));
    EXPECT_TRUE(state.inProgress);
    dialog.show();
    dialog.close();
    EXPECT_EQ(std::pair(state.inProgress, state.column), std::pair(false, 1));
}

TEST_F(AddressBookTest, ExportsOpenAsBooksAndImportIntoABooksColumns) {
    for (const auto &[file, expected] : exports) {
        SCOPED_TRACE(file.toStdString());
        open(exportDir + file);
        EXPECT_EQ(m_book.model().table().titles().mid(0, 3).join(u'|') + u'/' + contactsFrom(m_book, 0),
                  expected);

        open(u"book.csv"_s);
        const int before = m_book.model().rowCount();
        DialogImport dialog(m_book, exportDir + file);
        ASSERT_TRUE(dialog.loaded());
        dialog.OKButton_Click();
        EXPECT_EQ(contactsFrom(m_book, before), expected.section(u'/', 1));
    }
    EXPECT_EQ(m_messages.shown().size(), qsizetype(std::size(exports)));
}

TEST_F(AddressBookTest, ASemicolonBookIsSavedWithSemicolons) {
    const QString path =
        m_dir.write(u"semicolons.csv"_s, m_dir.read(exportDir + u"spreadsheet_semicolons.csv"_s));
    open(path);
    m_book.model().setCell(1, 0, u"Anabela"_s);
    ASSERT_TRUE(m_book.SaveAddressBook());
    EXPECT_TRUE(m_dir.read(path).startsWith("\"First Name\";\"Last Name\";\"E-mail\";\"Height\";\"\"\r\n"));
    open(path);
    EXPECT_EQ(contactsFrom(m_book, 1), u"Anabela|Sousa|ana@example.pt"_s);
}
