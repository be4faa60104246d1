#include "shell/messages.h"
#include "shell/settings.h"
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
    SpellChecker checker(
        settings, messages,
        [] {
            return SpellChecker::Paths{dataDir, dataDir + u"american.vtd"_s, {}};
        },
        nullptr);
    ASSERT_TRUE(checker.loadDictionaries());

    FormSpellOptions options(checker);
    options.findChild<QComboBox *>(u"ComboMain"_s)->setCurrentText(u"German"_s);
    const QString custom = dir.filePath(u"mine.dic"_s);
    options.setFileChooser([&] { return custom; });
    options.findChild<QPushButton *>(u"Command1"_s)->click();
    options.accept();
    EXPECT_EQ(settings.get(Keys::MainDictionary), dataDir + u"german.vtd"_s);
    EXPECT_EQ(settings.get(Keys::CustomDictionary), custom);
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
    const std::pair<QString, int> cases[] = {
        {u"/srv/corvalis/FRENCH.VTD"_s, 3},
        {u"/srv/klingon.vtd"_s, 0},
        {u"/srv/dutch-british.vtd"_s, 2}, // the later language in the list wins
        // A folder's name is not the dictionary's.
        {u"/home/german/italian.vtd"_s, 5},
        {u"/home/german/american.vtd"_s, 0},
    };
    for (const auto &[path, index] : cases)
        EXPECT_EQ(SpellLanguages::indexForPath(path), index) << path.toStdString();
}

TEST(SpellLanguages, PutsOneSeparatorBetweenFolderAndFile) {
    const std::pair<QString, QString> cases[] = {
        {u"/srv/main/"_s, u"/srv/main/german.vtd"_s},
        {u"/srv/main"_s, u"/srv/main/german.vtd"_s},
        {u"/srv/main//"_s, u"/srv/main/german.vtd"_s},
        // A network path keeps the doubled separator it starts with.
        {u"//server/share/"_s, u"//server/share/german.vtd"_s},
        {u"\\\\server\\share\\"_s, u"\\\\server\\share\\german.vtd"_s},
    };
    for (const auto &[mainDir, path] : cases)
        EXPECT_EQ(SpellLanguages::mainDictionaryPath(mainDir, 4), path);
}
