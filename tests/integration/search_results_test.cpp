// Finding saved messages from the saved-folders tab: results with their folder, the commands
// on a result, and back to the folder when the field is emptied.
#include "main_form_harness.h"

#include "shell/tab_navigator.h"
#include "store/message_list_model.h"
#include "store/saved_message_file.h"
#include "webpages/web_pane.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class SearchResultsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(h.sim().started());
        for (const QString &folder : {u"Work"_s, u"Archive"_s})
            ASSERT_TRUE(QDir(h.mainDir()).mkpath(u"savedmgs/"_s + folder));
        save(u"Work"_s, {u"Ann"_s, u"Picnic"_s, u"12/05/2004 10:31"_s, u"pat@x"_s, {}, {}, u"one"_s},
             MessageKind::Captured);
        save(u"Work"_s,
             {u"Bob"_s, u"Budget"_s, u"12/06/2004 10:31"_s, u"pat@x"_s, {}, {}, u"a <b>PIC</b>NIC"_s},
             MessageKind::Captured);
        save(u"Archive"_s, {u"Cid"_s, u"picnic again"_s, u"3/5/1977 08:00"_s, u"pat@x"_s, {}, {}, u"x"_s},
             MessageKind::Captured);
        save({},
             {SavedMessageFile::sentFrom, u"Picnic?"_s, u"12/06/2004 09:00:00"_s, u"kim@x"_s, {}, {}, u"hi"_s},
             MessageKind::Sent);
        ASSERT_TRUE(h.start());
        form = &h.form();
        list = form->findChild<QTreeView *>(u"ListMsg"_s);
        field = form->findChild<QLineEdit *>(u"TextSearch"_s);
        scope = form->findChild<QComboBox *>(u"ComboSearchScope"_s);
        text = form->findChild<QCheckBox *>(u"CheckSearchText"_s);
        status = form->findChild<QLabel *>(u"LabelSearchStatus"_s);
        ASSERT_TRUE(list && field && scope && text && status);
        form->tabs().select(TabNavigator::SavedFolders);
        QListWidget *folders = form->findChild<QListWidget *>(u"ComboFolders2"_s);
        folders->setCurrentItem(folders->findItems(u"Work"_s, Qt::MatchExactly).first());
    }

    void save(const QString &folder, const SavedMessage &message, MessageKind kind) {
        ASSERT_TRUE(writeSavedMessage(h.mainDir(), folder, message, kind).ok());
    }
    // Types the term and waits for the search to end; the rows as "folder:from", sorted.
    QStringList search(const QString &term) {
        field->setText(term);
        EXPECT_TRUE(MainFormHarness::waitFor([&] { return status->text().contains(u"found"_s); }));
        QStringList rows;
        for (int row = 0; row < list->model()->rowCount(); ++row)
            rows.append(cell(row, MessageListModel::FolderColumn) + u':' +
                        cell(row, MessageListModel::FromColumn));
        rows.sort();
        return rows;
    }
    QString cell(int row, int column) const { return list->model()->index(row, column).data().toString(); }
    int rowOf(const QString &from) const {
        for (int row = 0; row < list->model()->rowCount(); ++row) {
            if (cell(row, MessageListModel::FromColumn) == from)
                return row;
        }
        return -1;
    }
    void select(const QString &from) {
        const QRect rect =
            list->visualRect(list->model()->index(rowOf(from), MessageListModel::SubjectColumn));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    }
    QPushButton *button(const char *name) const {
        return form->findChild<QPushButton *>(QString::fromLatin1(name));
    }

    MainFormHarness h;
    MainForm *form = nullptr;
    QTreeView *list = nullptr;
    QLineEdit *field = nullptr;
    QComboBox *scope = nullptr;
    QCheckBox *text = nullptr;
    QLabel *status = nullptr;
};

} // namespace

TEST_F(SearchResultsTest, FindsInOneFolderOrAllWithTheFolderShown) {
    EXPECT_TRUE(list->isColumnHidden(MessageListModel::FolderColumn));
    QTest::keyClick(list, Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(QApplication::focusWidget(), field);

    EXPECT_EQ(search(u"picnic"_s), (QStringList{u"Work:Ann"_s}));
    EXPECT_FALSE(list->isColumnHidden(MessageListModel::FolderColumn));
    text->setChecked(true);
    EXPECT_EQ(search(u"picnic"_s), (QStringList{u"Work:Ann"_s, u"Work:Bob"_s}));
    scope->setCurrentIndex(1);
    EXPECT_EQ(search(u"picnic"_s),
              (QStringList{u"Archive:Cid"_s, u"Work:Ann"_s, u"Work:Bob"_s, u"sent:kim@x"_s}));
    EXPECT_EQ(status->text(), u"4 messages found"_s);

    // Emptying the field lists the folder browsed again.
    field->clear();
    EXPECT_TRUE(list->isColumnHidden(MessageListModel::FolderColumn));
    EXPECT_EQ(list->model()->rowCount(), 2);
    EXPECT_EQ(cell(0, MessageListModel::FromColumn), u"Ann"_s);
}

TEST_F(SearchResultsTest, AResultIsPreviewedMovedAndDeletedAsInItsFolder) {
    scope->setCurrentIndex(1);
    search(u"picnic"_s);
    select(u"kim@x"_s);
    ASSERT_TRUE(MainFormHarness::waitForPage(form->webBrowser(2), u"sent"_s));
    // A sent copy found offers what the sent folder offers.
    EXPECT_TRUE(button("CommandSendAgain")->isVisibleTo(form));
    EXPECT_FALSE(button("CommandReplyText")->isVisibleTo(form));
    EXPECT_FALSE(button("CommandMove")->isEnabled());

    select(u"Cid"_s);
    ASSERT_TRUE(MainFormHarness::waitForPage(form->webBrowser(2), u"Cid"_s));
    EXPECT_TRUE(button("CommandReplyText")->isVisibleTo(form));
    EXPECT_TRUE(button("CommandReplyText")->isEnabled());
    QComboBox *target = form->findChild<QComboBox *>(u"ComboFolders4"_s);
    // Its own folder is no move.
    target->setCurrentIndex(target->findText(u"Archive"_s));
    button("CommandMove")->click();
    EXPECT_EQ(rowOf(u"Cid"_s), list->selectionModel()->selectedRows().first().row());
    target->setCurrentIndex(target->findText(u"Work"_s));
    button("CommandMove")->click();
    EXPECT_TRUE(h.messages().shown().isEmpty());
    EXPECT_EQ(rowOf(u"Cid"_s), -1);
    EXPECT_EQ(QDir(h.mainDir() + u"savedmgs/Work"_s).entryList(QDir::Files).size(), 3);

    select(u"Ann"_s);
    button("CommandDelete")->click();
    EXPECT_EQ(rowOf(u"Ann"_s), -1);
    EXPECT_EQ(QDir(h.mainDir() + u"savedmgs/Work"_s).entryList(QDir::Files).size(), 2);
}
