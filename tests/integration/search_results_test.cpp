// Finding saved messages from the saved-folders tab: results with their folder, the commands on a result,
// and back to the folder when the field is emptied.
#include "main_form_harness.h"

#include "shell/tab_navigator.h"
#include "store/message_list_model.h"
#include "store/saved_message_file.h"
#include "webpages/web_pane.h"

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

TEST(SearchResults, FindInOneFolderOrAllThenActOnAResult) {
    MainFormHarness h;
    // clang-format off
    ASSERT_TRUE(QDir(h.mainDir()).mkpath(u"savedmgs/Work"_s) && QDir(h.mainDir()).mkpath(u"savedmgs/Archive"_s));
    for (const auto &[folder, from, subject, body] : {std::tuple{u"Work"_s, u"Ann"_s, u"Picnic"_s, u"one"_s},
            {u"Work"_s, u"Bob"_s, u"Budget"_s, u"a <b>PIC</b>NIC"_s}, {u"Archive"_s, u"Cid"_s, u"picnic"_s, u"x"_s},
            {u"sent"_s, u"Sent Message"_s, u"Picnic?"_s, u"hi"_s}}) { // clang-format on
        ASSERT_TRUE(writeSavedMessage(h.mainDir(), folder,
                                      {from, subject, u"12/05/2004"_s, u"pat@x"_s, {}, {}, body},
                                      folder == u"sent"_s ? MessageKind::Sent : MessageKind::Captured)
                        .ok());
    }
    ASSERT_TRUE(h.start());
    MainForm &form = h.form();
    auto *list = form.findChild<QTreeView *>(u"ListMsg"_s);
    auto *field = form.findChild<QLineEdit *>(u"TextSearch"_s);
    auto *status = form.findChild<QLabel *>(u"LabelSearchStatus"_s);
    form.tabs().select(TabNavigator::SavedFolders);
    auto *folders = form.findChild<QListWidget *>(u"ComboFolders2"_s);
    folders->setCurrentItem(folders->findItems(u"Work"_s, Qt::MatchExactly).first());
    const auto rows = [list] { // "folder:from", the folder shown for results only
        QStringList cells;
        for (int row = 0; row < list->model()->rowCount(); ++row)
            cells.append(list->model()->index(row, MessageListModel::FolderColumn).data().toString() + u':' +
                         list->model()->index(row, MessageListModel::FromColumn).data().toString());
        cells.sort();
        return cells;
    };
    const auto search = [&](const QString &term) {
        field->setText(term);
        EXPECT_TRUE(MainFormHarness::waitFor([&] { return status->text().contains(u"found"_s); }));
        return rows();
    };
    const auto select = [&](const QString &from, const QString &page) {
        const QModelIndex at =
            list->model()->match(list->model()->index(0, 0), Qt::DisplayRole, from).value(0);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(at).center());
        ASSERT_TRUE(MainFormHarness::waitForPage(form.webBrowser(2), page));
    };

    EXPECT_EQ(search(u"picnic"_s), QStringList{u"Work:Ann"_s});
    form.findChild<QCheckBox *>(u"CheckSearchText"_s)->setChecked(true);
    EXPECT_EQ(search(u"picnic"_s), (QStringList{u"Work:Ann"_s, u"Work:Bob"_s}));
    form.findChild<QComboBox *>(u"ComboSearchScope"_s)->setCurrentIndex(1);
    EXPECT_EQ(search(u"picnic"_s),
              (QStringList{u"Archive:Cid"_s, u"Work:Ann"_s, u"Work:Bob"_s, u"sent:pat@x"_s}));

    // A sent copy found offers what the sent folder offers; a moved or deleted result leaves the list.
    auto *reply = form.findChild<QPushButton *>(u"CommandReplyText"_s);
    select(u"pat@x"_s, u"sent"_s);
    EXPECT_FALSE(reply->isVisibleTo(&form) || form.findChild<QPushButton *>(u"CommandMove"_s)->isEnabled());
    select(u"Cid"_s, u"Cid"_s);
    EXPECT_TRUE(reply->isVisibleTo(&form) && reply->isEnabled());
    auto *target = form.findChild<QComboBox *>(u"ComboFolders4"_s);
    target->setCurrentIndex(target->findText(u"Work"_s));
    form.findChild<QPushButton *>(u"CommandMove"_s)->click();
    select(u"Ann"_s, u"Ann"_s);
    form.findChild<QPushButton *>(u"CommandDelete"_s)->click();
    EXPECT_EQ(rows(), (QStringList{u"Work:Bob"_s, u"sent:pat@x"_s}));
    field->clear(); // back to the folder browsed
    EXPECT_EQ(rows(), (QStringList{u":Bob"_s, u":Cid"_s}));
}
