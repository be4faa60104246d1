#include "base/messages.h"
#include "base/settings.h"
#include "spelling/form_spell_options.h"
#include "spelling/spell_checker.h"
#include "spelling/spell_decision_dialog.h"
#include "spelling/spell_languages.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {
const QString dataDir = QStringLiteral(CORVALIS_SOURCE_DIR "/data/");
} // namespace

TEST(SpellDialogs, OptionsOkStoresThePathsAndTheNextCheckLoadsThem) {
    QTemporaryDir dir;
    Settings settings(dir.filePath(u"corvalis.ini"_s));
    RecordingMessages messages;
    const auto paths = [] { return SpellChecker::Paths{dataDir, dataDir + u"american.vtd"_s, {}}; };
    SpellChecker checker(settings, messages, paths, nullptr);
    ASSERT_TRUE(checker.loadDictionaries());

    FormSpellOptions options(checker);
    options.findChild<QComboBox *>(u"ComboMain"_s)->setCurrentText(u"German"_s);
    const QString custom = dir.filePath(u"mine.dic"_s);
    options.setFileChooser([&] { return custom; });
    options.findChild<QPushButton *>(u"Command1"_s)->click();
    options.accept();
    EXPECT_EQ(settings.get(Keys::MainDictionary) + u'|' + settings.get(Keys::CustomDictionary),
              dataDir + u"german.vtd|"_s + custom);
    EXPECT_EQ(checker.engine().mainDictionaryCount() + checker.engine().customDictionaryCount(), 0);

    ASSERT_TRUE(checker.loadDictionaries());
    EXPECT_EQ(checker.engine().customDictionaryPath(), custom);
    EXPECT_EQ(checker.engine().check(u"Das Mädchen"_s), SpellEngine::Done);
    EXPECT_TRUE(messages.shown().isEmpty());
    // A word without suggestions is offered as it is; words can be added to the chosen list.
    ASSERT_EQ(checker.engine().check(u"qxzvbk"_s), SpellEngine::WordPending);
    SpellDecisionDialog decision;
    decision.fill(checker.engine());
    auto *list = decision.findChild<QListWidget *>(u"SuggestList"_s);
    EXPECT_TRUE(!list->isEnabled() && list->item(0)->text() == u"[No suggestions]"_s);
    EXPECT_EQ(decision.findChild<QLineEdit *>(u"ReplaceWith"_s)->text(), u"qxzvbk"_s);
    EXPECT_TRUE(decision.findChild<QPushButton *>(u"AddTo"_s)->isEnabled());
    // Opened again, the options dialog shows what is stored.
    EXPECT_EQ(FormSpellOptions(checker).findChild<QComboBox *>(u"ComboMain"_s)->currentText(), u"German"_s);
}

TEST(SpellLanguages, RecognisesTheLanguageOfAStoredPath) {
    // The later language in the list wins; a folder's name is not the dictionary's.
    QList<int> indexes;
    for (const QString &path :
         {u"/srv/corvalis/FRENCH.VTD"_s, u"/srv/klingon.vtd"_s, u"/srv/dutch-british.vtd"_s,
          u"/home/german/italian.vtd"_s, u"/home/german/american.vtd"_s})
        indexes.append(SpellLanguages::indexForPath(path));
    EXPECT_EQ(indexes, (QList<int>{3, 0, 2, 5, 0}));
}

TEST(SpellLanguages, PutsOneSeparatorBetweenFolderAndFile) {
    // A network path keeps the doubled separator it starts with.
    QStringList paths;
    for (const QString &mainDir :
         {u"/srv/main"_s, u"/srv/main//"_s, u"//server/share/"_s, u"\\\\server\\share\\"_s})
        paths.append(SpellLanguages::mainDictionaryPath(mainDir, 4));
    EXPECT_EQ(paths.join(u'|'), u"/srv/main/german.vtd|/srv/main/german.vtd|//server/share/german.vtd|"
                                u"\\\\server\\share\\german.vtd"_s);
}
