// The grid and its cell editor: keys, typing, deleting, adding and sorting by a title.
#include "addressbook/address_grid.h"
#include "addressbook/book_file.h"
#include "addressbook/book_model.h"
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
    void select(int fromRow, int toRow, int column = 0) {
        m_view->setCurrentIndex(m_model.index(fromRow, column));
        m_view->selectionModel()->select(
            QItemSelection(m_model.index(fromRow, column), m_model.index(toRow, column)),
            QItemSelectionModel::ClearAndSelect);
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

TEST_F(AddressGridTest, TheEditorFollowsTheCurrentCellAndWritesIntoIt) {
    m_view->setCurrentIndex(m_model.index(2, 1));
    EXPECT_EQ(m_edit->text(), u"L3"_s);
    EXPECT_EQ(m_window.focusWidget(), m_edit);
    QTest::keyClicks(m_edit, u"x"_s);
    EXPECT_EQ(m_model.cell(2, 1), u"L3x"_s);
    m_edit->insert(u"y\tz\r\nw"_s);
    EXPECT_EQ(m_model.cell(2, 1), u"L3xy"_s) << "a pasted tab or line break ends the cell's text";
    EXPECT_TRUE(m_model.isModified());

    // While the find dialog searches, the keyboard stays where it is.
    m_find.inProgress = true;
    m_view->setFocus();
    m_view->setCurrentIndex(m_model.index(4, 2));
    EXPECT_EQ(m_edit->text(), u"m5@x.com"_s);
    EXPECT_EQ(m_window.focusWidget(), m_view);
}

TEST_F(AddressGridTest, EditorKeysMoveThroughTheGridAndAddARowAtTheEnd) {
    struct Step {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int row, column;
    };
    const Step steps[] = {
        {Qt::Key_Right, Qt::NoModifier, 0, 1},
        {Qt::Key_Tab, Qt::NoModifier, 0, 2},
        // The last column is hidden: Right stops before it.
        {Qt::Key_Right, Qt::NoModifier, 0, 2},
        {Qt::Key_Left, Qt::NoModifier, 0, 1},
        {Qt::Key_Up, Qt::NoModifier, 0, 1},
        {Qt::Key_Down, Qt::NoModifier, 1, 1},
        {Qt::Key_Return, Qt::NoModifier, 2, 1},
        {Qt::Key_Enter, Qt::KeypadModifier, 3, 1},
        // Tab walks on into the next row, past the hidden column; Shift+Tab walks back.
        {Qt::Key_Tab, Qt::NoModifier, 3, 2},
        {Qt::Key_Tab, Qt::NoModifier, 4, 0},
        {Qt::Key_Backtab, Qt::ShiftModifier, 3, 2},
    };
    m_view->setCurrentIndex(m_model.index(0, 0));
    for (const Step &step : steps) {
        SCOPED_TRACE(QKeySequence(step.key).toString().toStdString());
        m_edit->setFocus();
        QTest::keyClick(m_edit, step.key, step.modifiers);
        EXPECT_EQ(std::pair(row(), col()), std::pair(step.row, step.column));
        EXPECT_EQ(m_edit->text(), m_model.cell(step.row, step.column));
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
        select(c.from, c.to);
        m_grid.removeSelected();
        EXPECT_EQ(m_messages.shown(), c.answer ? QStringList{AddressGrid::deleteQuestion()} : QStringList());
        QStringList first;
        for (int r = 0; r < 4; ++r)
            first.append(m_model.cell(r, 0));
        EXPECT_EQ(first.join(u' '), c.firstNames);
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
    EXPECT_EQ(m_model.headerData(1, Qt::Horizontal).toString(), u"^ Last"_s);
    EXPECT_EQ(m_model.cell(7, 1), u"zz"_s);
    EXPECT_EQ(m_edit->text(), m_model.cell(row(), col())) << "the editor shows the cell now under it";
}
