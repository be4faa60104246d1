// The default folder chosen on the Settings tab: kept in the settings file, the capture
// target, and the folder the saved-folders tab opens on, also after a restart.
#include "main_form_harness.h"

#include "store/message_list_model.h"
#include "store/saved_message_file.h"

#include <QComboBox>
#include <QDir>
#include <QListWidget>
#include <QTreeView>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(DefaultFolder, IsKeptAndOpenedOnAfterARestart) {
    MainFormHarness h;
    ASSERT_TRUE(QDir(h.mainDir()).mkpath(u"savedmgs/Work"_s));
    ASSERT_TRUE(writeSavedMessage(h.mainDir(), u"Work"_s,
                                  {u"Ann"_s, u"Plans"_s, u"12/05/2004 10:31"_s, u"pat@x"_s, {}, {}, u"b"_s},
                                  MessageKind::Captured)
                    .ok());
    const auto shown = [&h](const char *name) {
        return h.form().findChild<QComboBox *>(QString::fromLatin1(name))->currentText();
    };
    const auto browsed = [&h] {
        const QListWidgetItem *item = h.form().findChild<QListWidget *>(u"ComboFolders2"_s)->currentItem();
        return item ? item->text() : QString();
    };

    // Nothing chosen yet: "Saved" it is.
    ASSERT_TRUE(h.start());
    EXPECT_EQ(shown("ComboFolders3"), u"Saved"_s);
    EXPECT_EQ(shown("ComboFolders"), u"Saved"_s);
    EXPECT_EQ(browsed(), u"Saved"_s);

    auto *defaultFolder = h.form().findChild<QComboBox *>(u"ComboFolders3"_s);
    defaultFolder->setCurrentIndex(defaultFolder->findText(u"Work"_s));
    emit defaultFolder->activated(defaultFolder->currentIndex());
    EXPECT_EQ(h.settings().GetIni(u"Settings"_s, u"defaultfolder"_s, {}), u"Work"_s);
    EXPECT_EQ(shown("ComboFolders"), u"Work"_s);

    ASSERT_TRUE(h.start()); // a new window on the same settings file
    EXPECT_EQ(shown("ComboFolders3"), u"Work"_s);
    EXPECT_EQ(shown("ComboFolders"), u"Work"_s);
    EXPECT_EQ(browsed(), u"Work"_s);
    auto *list = h.form().findChild<QTreeView *>(u"ListMsg"_s);
    ASSERT_EQ(list->model()->rowCount(), 1);
    EXPECT_EQ(list->model()->index(0, MessageListModel::FromColumn).data().toString(), u"Ann"_s);
}
