// The default folder chosen on the Settings tab: kept in the settings file, the capture target, and the
// folder the saved-folders tab opens on, also after a restart.
#include "main_form_harness.h"

#include <QComboBox>
#include <QDir>
#include <QListWidget>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(DefaultFolder, IsKeptAndOpenedOnAfterARestart) {
    MainFormHarness h;
    ASSERT_TRUE(QDir(h.mainDir()).mkpath(u"savedmgs/Work"_s));
    const auto chosen = [&h] { // the default, capture and browsed folders
        return QStringList{h.form().findChild<QComboBox *>(u"ComboFolders3"_s)->currentText(),
                           h.form().findChild<QComboBox *>(u"ComboFolders"_s)->currentText(),
                           h.form().findChild<QListWidget *>(u"ComboFolders2"_s)->currentItem()->text()};
    };
    ASSERT_TRUE(h.start());
    EXPECT_EQ(chosen(), QStringList(3, u"Saved"_s)); // nothing chosen yet
    auto *defaultFolder = h.form().findChild<QComboBox *>(u"ComboFolders3"_s);
    defaultFolder->setCurrentIndex(defaultFolder->findText(u"Work"_s));
    emit defaultFolder->activated(defaultFolder->currentIndex());
    EXPECT_EQ(h.settings().GetIni(u"Settings"_s, u"defaultfolder"_s, {}), u"Work"_s);
    EXPECT_EQ(chosen(), (QStringList{u"Work"_s, u"Work"_s, u"Saved"_s}));
    ASSERT_TRUE(h.start()); // a new window on the same settings file
    EXPECT_EQ(chosen(), QStringList(3, u"Work"_s));
}
