// The grid and its cell editor: keys, typing, deleting, adding and sorting by a title.
#include "addressbook/address_grid.h"
#include "addressbook/book_file.h"
#include "addressbook/book_model.h"
#include "addressbook/book_search.h"
#include "addressbook/find_state.h"

#include "base/messages.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class AddressGridTest : public testing::Test {
protected:
    AddressGridTest() {
        QString text = u"First,Last,Email,\r\n"_s;
        for (int i = 1; i <= 8; ++i)
            text += u"F%1,L%1,m%1@x.com,\r\n"_s.arg(i);
        m_model.setTable(BookFile::parse(text, BookLine::Delimiter::Comma).table);
        auto *layout = new QVBoxLayout(&m_window);
        layout->addWidget(m_label);
        layout->addWidget(m_edit);
        layout->addWidget(m_view, 1);
        m_grid.showBook({0, 1, 2});
        m_window.resize(400, 300);
        m_window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&m_window));
    }
    int row() const { return m_view->currentIndex().row(); }
    int col() const { return m_view->currentIndex().column(); }

    QWidget m_window;
    QLabel *m_label = new QLabel(&m_window);
    QLineEdit *m_edit = new QLineEdit(&m_window);
    QTableView *m_view = new QTableView(&m_window);
    BookModel m_model;
    FindState m_find;
    RecordingMessages m_messages;
    AddressGrid m_grid{*m_view, *m_edit, *m_label, m_model, m_find, m_messages};
};

} // namespace

// That the editor shows the current cell and writes what is typed into it is the address book
// integration test's.
TEST_F(AddressGridTest, TheEditorFollowsTheCurrentCellAndWritesIntoIt) {
    m_view->setCurrentIndex(m_model.index(2, 1));
    EXPECT_EQ(m_window.focusWidget(), m_edit);
    m_edit->insert(u"y\tz\r\nw"_s);
    EXPECT_EQ(m_model.cell(2, 1), u"L3y"_s) << "a pasted tab or line break ends the cell's text";

    // While the find dialog searches, the keyboard stays where it is.
    m_find.inProgress = true;
    m_view->setFocus();
    m_view->setCurrentIndex(m_model.index(4, 2));
    EXPECT_EQ(m_edit->text(), u"m5@x.com"_s);
    EXPECT_EQ(m_window.focusWidget(), m_view);
}

TEST_F(AddressGridTest, EditorKeysMoveThroughTheGridAndAddARowAtTheEnd) {
    // The last column is hidden: Right stops before it, and Tab walks on past it into the next
    // row; Shift+Tab walks back.
    const struct {
        Qt::Key key;
        int row, column;
        Qt::KeyboardModifiers modifiers;
    } steps[] = {{Qt::Key_Right, 0, 1, Qt::NoModifier},     {Qt::Key_Tab, 0, 2, Qt::NoModifier},
                 {Qt::Key_Right, 0, 2, Qt::NoModifier},     {Qt::Key_Left, 0, 1, Qt::NoModifier},
                 {Qt::Key_Up, 0, 1, Qt::NoModifier},        {Qt::Key_Down, 1, 1, Qt::NoModifier},
                 {Qt::Key_Return, 2, 1, Qt::NoModifier},    {Qt::Key_Enter, 3, 1, Qt::KeypadModifier},
                 {Qt::Key_Tab, 3, 2, Qt::NoModifier},       {Qt::Key_Tab, 4, 0, Qt::NoModifier},
                 {Qt::Key_Backtab, 3, 2, Qt::ShiftModifier}};
    m_view->setCurrentIndex(m_model.index(0, 0));
    for (const auto &step : steps) {
        m_edit->setFocus();
        QTest::keyClick(m_edit, step.key, step.modifiers);
        EXPECT_EQ(std::tuple(row(), col(), m_edit->text()),
                  std::tuple(step.row, step.column, m_model.cell(step.row, step.column)))
            << QKeySequence(step.key).toString().toStdString();
    }
    EXPECT_EQ(m_window.focusWidget(), m_edit) << "Tab never leaves the grid while a cell is edited";
    // Down, and Tab from the last cell, on the last row add an empty row, typed from its first column.
    for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Tab}) {
        m_view->setCurrentIndex(m_model.index(m_model.rowCount() - 1, 2));
        QTest::keyClick(m_edit, key);
        EXPECT_EQ(std::tuple(row(), col(), m_edit->text()), std::tuple(m_model.rowCount() - 1, 0, u""_s));
    }
    EXPECT_EQ(m_model.rowCount(), 10);
    QTest::keyClick(m_edit, Qt::Key_Escape);
    EXPECT_EQ(m_window.focusWidget(), m_view) << "Escape hands the keyboard back to the grid";
}

TEST_F(AddressGridTest, DeletingSeveralRowsAsksFirst) {
    const struct {
        const char *why;
        int from, to;
        std::optional<Messages::Answer> answer; // nothing: no question expected
        QString firstNames;
        int currentRow;
    } cases[] = {
        {"one row, no question", 3, 3, std::nullopt, u"F1 F2 F3 F5"_s, 3},
        {"rows 3 to 5 picked upwards, Yes", 4, 2, Messages::Answer::Yes, u"F1 F2 F6 F7"_s, 2},
        {"No keeps them", 2, 4, Messages::Answer::No, u"F1 F2 F3 F4"_s, 2},
        {"up to the end: the last row becomes current", 6, 7, Messages::Answer::Yes, u"F1 F2 F3 F4"_s, 5},
    };
    const BookTable eight = m_model.table();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.why);
        m_model.setTable(eight);
        m_messages.clear();
        if (c.answer)
            m_messages.queueAnswer(*c.answer);
        m_view->setCurrentIndex(m_model.index(c.from, 0));
        m_view->selectionModel()->select(QItemSelection(m_model.index(c.from, 0), m_model.index(c.to, 0)),
                                         QItemSelectionModel::ClearAndSelect);
        m_grid.removeSelected();
        EXPECT_EQ(m_messages.shown(), c.answer ? QStringList{AddressGrid::deleteQuestion()} : QStringList());
        EXPECT_EQ(BookSearch::columnValues(m_model.table(), 0).mid(0, 4).join(u' '), c.firstNames);
        EXPECT_EQ(row(), c.currentRow);
        EXPECT_EQ(m_edit->text(), m_model.cell(row(), 0));
    }
}

TEST_F(AddressGridTest, PressingATitleSortsByItsColumn) {
    QHeaderView *header = m_view->horizontalHeader();
    const auto press = [&](int column) {
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
    };
    m_model.setCell(0, 1, u"zz"_s);
    press(1);
    EXPECT_EQ(m_model.cell(7, 1), u"zz"_s);
    EXPECT_EQ(m_edit->text(), m_model.cell(row(), col())) << "the editor shows the cell now under it";
}
