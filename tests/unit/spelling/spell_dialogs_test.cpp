#include "shell/messages.h"
#include "shell/settings.h"
#include "spelling/form_spell_options.h"
#include "spelling/spell_checker.h"
#include "spelling/spell_decision_dialog.h"

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
    auto *combo = options.findChild<QComboBox *>(u"ComboMain"_s);
    EXPECT_EQ(combo->currentText(), u"U.S. English"_s);
    combo->setCurrentText(u"German"_s);
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

    // Opened again, the dialog shows what is stored.
    FormSpellOptions again(checker);
    EXPECT_EQ(again.findChild<QComboBox *>(u"ComboMain"_s)->currentText(), u"German"_s);
    EXPECT_EQ(again.findChild<QLineEdit *>(u"EditCustom"_s)->text(), custom);
}

TEST(SpellDialogs, DecisionDialogWithoutSuggestionsOffersTheWordItself) {
    SpellEngine engine;
    ASSERT_TRUE(engine.loadMainDictionary(dataDir + u"american.vtd"_s).ok);
    ASSERT_EQ(engine.check(u"qxzvbk"_s), SpellEngine::WordPending);
    SpellDecisionDialog dialog;
    dialog.fill(engine);
    auto *list = dialog.findChild<QListWidget *>(u"SuggestList"_s);
    EXPECT_FALSE(list->isEnabled());
    EXPECT_EQ(list->item(0)->text(), u"[No suggestions]"_s);
    EXPECT_EQ(dialog.findChild<QLineEdit *>(u"ReplaceWith"_s)->text(), u"qxzvbk"_s);
    // No custom dictionary loaded: nothing to add to.
    EXPECT_FALSE(dialog.findChild<QPushButton *>(u"AddTo"_s)->isEnabled());
    dialog.findChild<QPushButton *>(u"Cancel"_s)->click();
    EXPECT_EQ(dialog.answer().decision, SpellEngine::Decision::Cancel);
}

TEST(SpellDialogs, DecisionDialogStaysClearOfTheWord) {
    const QRect screen(0, 0, 1280, 800);
    const QSize size(480, 260);
    for (const QRect word :
         {QRect(100, 20, 60, 18), QRect(600, 390, 60, 18), QRect(1200, 780, 60, 18), QRect(0, 300, 60, 18)}) {
        SCOPED_TRACE(word.y());
        const QRect placed(dialogPositionAwayFrom(size, word, screen), size);
        EXPECT_FALSE(placed.intersects(word));
        EXPECT_TRUE(screen.contains(placed));
    }
}
