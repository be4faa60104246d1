// The import dialog, the find dialog and the address palette.
#include "addressbook/dialog_find.h"
#include "addressbook/dialog_import.h"

#include "book_test_files.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class AddressDialogsTest : public BookFixture {
protected:
    AddressDialogsTest() {
        writeBytes(place(u"book.csv"_s), "First,Last,Email,Phone,\r\nAnn,Lee,ann@x.com,1,\r\n"
                                         "Bo,Smith,,2,\r\nCy,sMall,cy@x.com,3,\r\n");
        open(u"book.csv"_s);
    }
    QString file(const QString &name, const QByteArray &bytes) {
        const QString path = m_dir.filePath(name);
        writeBytes(path, bytes);
        return path;
    }
    QStringList row(int r) const {
        QStringList cells;
        for (int c = 0; c < m_book.model().columnCount(); ++c)
            cells.append(m_book.model().cell(r, c));
        return cells;
    }
    static QStringList titles(const QAbstractItemModel &model) {
        QStringList result;
        for (int c = 0; c < model.columnCount(); ++c)
            result.append(model.headerData(c, Qt::Horizontal).toString());
        return result;
    }
};

} // namespace

TEST_F(AddressDialogsTest, ImportLinesUpTheFilesColumnsAndAppendsItsRows) {
    m_book.model().sortPress(2);
    DialogImport dialog(m_book, file(u"in.csv"_s, "Email,First,Last,Extra,\r\ndi@x.com,Di,Do,x,\r\n"));
    ASSERT_TRUE(dialog.loaded());
    auto *fileGrid = dialog.findChild<QTableView *>(u"MSFlexGrid1"_s);
    auto *bookGrid = dialog.findChild<QTableView *>(u"MSFlexGrid2"_s);
    auto *positions = dialog.findChild<QComboBox *>(u"Combo1"_s);
    EXPECT_EQ(titles(*bookGrid->model()),
              (QStringList{u"1-First"_s, u"2-Last"_s, u"3-Email"_s, u"4-Phone"_s, u"5-"_s}));
    EXPECT_EQ(titles(*fileGrid->model()),
              (QStringList{u"First"_s, u"Last"_s, u"Email"_s, u"Extra"_s, u""_s}));
    EXPECT_EQ(positions->count(), 5);
    EXPECT_TRUE(fileGrid->isColumnHidden(4));
    EXPECT_TRUE(bookGrid->isColumnHidden(4));

    // Column 4 ("Extra", index 3) to position "2": it lands at index 1, the columns between shift right.
    fileGrid->setCurrentIndex(fileGrid->model()->index(0, 3));
    positions->setCurrentIndex(1);
    dialog.findChild<QPushButton *>(u"Command1"_s)->click();
    EXPECT_EQ(titles(*fileGrid->model()),
              (QStringList{u"First"_s, u"Extra"_s, u"Last"_s, u"Email"_s, u""_s}));
    EXPECT_TRUE(fileGrid->isColumnHidden(4));
    // The untitled column stays hidden wherever it is moved.
    fileGrid->setCurrentIndex(fileGrid->model()->index(0, 4));
    positions->setCurrentIndex(0);
    dialog.Command1_Click();
    EXPECT_TRUE(fileGrid->isColumnHidden(0));
    EXPECT_FALSE(fileGrid->isColumnHidden(4));

    dialog.findChild<QPushButton *>(u"OKButton"_s)->click();
    EXPECT_EQ(m_messages.shown(), QStringList{DialogImport::finishedMessage()});
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    ASSERT_EQ(m_book.model().rowCount(), 4);
    EXPECT_EQ(row(3), (QStringList{u""_s, u"Di"_s, u"x"_s, u"Do"_s, u"di@x.com"_s}));
    EXPECT_TRUE(m_book.model().isModified());
}

TEST_F(AddressDialogsTest, ImportsOfNothingOrOfNoTextSaySo) {
    DialogImport headerOnly(m_book, file(u"empty.csv"_s, "First,Last,\r\n"));
    headerOnly.OKButton_Click();
    EXPECT_EQ(m_book.model().rowCount(), 3);
    EXPECT_EQ(m_messages.shown().size(), 1) << "the completion message comes even when nothing was added";

    m_messages.clear();
    DialogImport binary(m_book, file(u"bin.csv"_s, QByteArray("\0\1\2", 3)));
    EXPECT_FALSE(binary.loaded());
    EXPECT_EQ(m_messages.shown().size(), 1);
}

TEST_F(AddressDialogsTest, FindJumpsToTheFirstRowStartingWithTheText) {
    FindState &state = m_book.findState();
    state.column = 9; // from a wider book opened before
    DialogFind dialog(m_book.model(), state);
    QSignalSpy found(&dialog, &DialogFind::matchFound);
    dialog.Form_Load({0, 40});
    auto *columns = dialog.findChild<QComboBox *>(u"Combo1"_s);
    EXPECT_EQ(columns->count(), 5);
    EXPECT_EQ(columns->currentIndex(), 0);
    EXPECT_EQ(state.column, 0);

    dialog.Combo1_Click(1);
    auto *text = dialog.findChild<QLineEdit *>(u"Text1"_s);
    text->setText(u"sm"_s);
    ASSERT_EQ(found.size(), 1);
    EXPECT_EQ(found[0], (QVariantList{1, 1}));
    EXPECT_TRUE(state.inProgress);
    text->setText(u"sma"_s);
    EXPECT_EQ(found.last(), (QVariantList{2, 1}));
    text->setText(u"smz"_s);
    EXPECT_EQ(found.size(), 2) << "no match leaves the current cell alone";
    dialog.show();
    dialog.close();
    EXPECT_FALSE(state.inProgress);
    EXPECT_EQ(state.column, 1);
}
