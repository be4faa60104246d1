// Words, dictionaries and the check, and the dialogs that choose and decide them.
#include "spelling/form_spell_options.h"
#include "spelling/spell_checker.h"
#include "spelling/spell_decision_dialog.h"
#include "spelling/spell_engine.h"
#include "spelling/spell_languages.h"
#include "spelling/word_splitter.h"

#include "base/messages.h"
#include "base/settings.h"
#include "base/text_file.h"
#include "webpages/web_profile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QWebEngineProfile>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using Decision = SpellEngine::Decision;

namespace {

QString dataFile(const char *name) {
    return QStringLiteral(CORVALIS_SOURCE_DIR "/data/") + QLatin1String(name);
}

QString wordsOf(const QString &text, qsizetype from = 0) {
    QStringList words;
    WordSplitter splitter(text, from);
    while (const auto span = splitter.next())
        words.append(text.sliced(span->offset, span->length));
    return words.join(u'|');
}

// The words a check of `text` stops at, each ignored in turn. A word whose period or hyphen the
// dictionary knows is never one.
QStringList stopsIn(SpellEngine &engine, const QString &text) {
    QStringList stops;
    for (int code = engine.check(text); code < SpellEngine::Done; code = engine.decide(Decision::Ignore)) {
        const QString word = engine.misspelledWord(), mark = text.mid(engine.wordOffset() + word.size(), 1);
        EXPECT_FALSE((mark == u"."_s || mark == u"-"_s) && engine.isKnown(word + mark)) << word.toStdString();
        stops.append(word);
    }
    return stops;
}

// Why a word hunspell stops at is no word to check here; empty when there is no such rule.
QString ruleFor(const QString &word) {
    if (!word.contains(QRegularExpression(u"\\p{L}"_s)))
        return u"no letters (a dash)"_s;
    if (word.contains(QRegularExpression(u"\\d"_s)))
        return u"digits"_s;
    if (word.contains(u'@') || word.contains(u"://"_s))
        return u"an address"_s;
    if (word == word.toUpper())
        return u"all capitals (an acronym)"_s;
    // hunspell reads these as letters ("--split", "splitsen/samenvoegen", "Debian-"); the words
    // between them are known, and a word's mark unknown to the dictionary is left off.
    if (word.contains(QRegularExpression(u"[-./]"_s)))
        return u"hyphens, periods or slashes around known words"_s;
    return {};
}

struct EnglishEngine : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(engine.loadMainDictionary(dataFile("american.vtd")).ok);
        ASSERT_TRUE(engine.loadCustomDictionary(customPath).ok);
    }
    QTemporaryDir dir;
    QString customPath = dir.filePath(u"custom.dic"_s);
    SpellEngine engine;
};

} // namespace

TEST(WordSplitter, FindsTheWordsAReaderWouldCheck) {
    const struct {
        QString text, words;
    } cases[] = {
        {u"don't l'homme l\u2019homme"_s, u"don't|l'homme|l\u2019homme"_s},
        {u"the students' 'word'"_s, u"the|students|word"_s}, // quotes are not part of words
        {u"well-known up-to-date -x- B-52 NATO-Gipfel"_s,
         u"well-known|up-to-date|x|B-52|NATO-Gipfel"_s},            // compounds whole
        {u"café cafe\u0301 Straße"_s, u"café|cafe\u0301|Straße"_s}, // composed and decomposed accents
        {u"call 555-1234 at 3rd or B2B"_s, u"call|at|or"_s},
        {u"mail ann@x.com, see https://x.org/a-b and www.lern.com ok"_s, u"mail|see|and|ok"_s},
        {u"NASA and I"_s, u"and|I"_s}, // a single capital is a word
        {u"teh\u0001lern\u0000day"_s, u"teh|lern|day"_s},
        {u"a\U0001D49Cb c"_s, u"a\U0001D49Cb|c"_s}, // a letter beyond the basic plane
    };
    for (const auto &c : cases)
        EXPECT_EQ(wordsOf(c.text), c.words) << wordsOf(c.text).toStdString();
    // A check resumes after a replacement, possibly inside an address.
    EXPECT_EQ(wordsOf(u"see www.lern.com teh"_s, 8), u"teh"_s);
}

// Known words (typographic apostrophes too; each language's are the hunspell comparison's below),
// the best suggestion; abbreviations and suspended hyphens read with their mark, compounds whole first.
TEST(SpellEngine, KnowsWordsReadsMarksAndCompoundsAndSuggests) {
    const struct {
        const char *file;
        QString text, stop, suggestion; // stop: the first word the check stops at, if any
    } cases[] = {
        {"american.vtd", u"color don't don\u2019t  recieve."_s, u"recieve"_s, u"receive"_s},
        {"french.vtd", u"l'homme aujourd\u2019hui où maisson"_s, u"maisson"_s, u"maison"_s},
        {"german.vtd", u"Straße Mädchen Hauss"_s, u"Hauss"_s, u"Haus"_s},
        {"german.vtd", u"Dr. Meier, bzw. ca. 5 Nr. 3 usw. Kompressions- und Dekompression"_s, {}, {}},
        {"german.vtd", u"Audio-Titel und dann Haus-Türr"_s, u"Türr"_s, {}},
        {"german.vtd", u"Kompressionss- und"_s, u"Kompressionss"_s, {}},
        {"french.vtd", u"Jean-Baptiste est-ce"_s, {}, {}},
        {"american.vtd", u"Dr. Smith, e.g. mid-sentence, tehh."_s, u"tehh"_s, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        SpellEngine engine;
        ASSERT_TRUE(engine.loadMainDictionary(dataFile(c.file)).ok);
        const bool stopped = engine.check(c.text) == SpellEngine::WordPending;
        EXPECT_EQ(std::pair(stopped ? engine.misspelledWord() : QString(),
                            c.suggestion.isEmpty() ? QString() : engine.suggestions().value(0)),
                  std::pair(c.stop, c.suggestion));
    }
}

TEST_F(EnglishEngine, StepsThroughMisspellingsAndTakesInReplacements) {
    ASSERT_EQ(engine.check(u"Teh lern, teh lern again; teh"_s), SpellEngine::WordPending);
    EXPECT_EQ(engine.decide(Decision::Change, u"The"_s), SpellEngine::WordPending);
    EXPECT_EQ(engine.decide(Decision::ChangeAll, u"learn"_s), SpellEngine::WordPending);
    // The longer replacement moved the offsets of the words after it.
    EXPECT_EQ(engine.wordOffset(), 11);
    // "Change All" words come back already decided; the ignored word never again.
    EXPECT_EQ(engine.decide(Decision::IgnoreAll), SpellEngine::ChangePending);
    EXPECT_EQ(engine.wordOffset(), 15);
    EXPECT_EQ(engine.decide(Decision::Change, engine.replacement()), SpellEngine::Done);
    EXPECT_EQ(engine.text(), u"The learn, teh learn again; teh"_s);

    // Ignore All lasts one check only; Cancel ends a check.
    ASSERT_EQ(engine.check(u"teh"_s), SpellEngine::WordPending);
    EXPECT_EQ(engine.decide(Decision::Cancel), SpellEngine::Cancelled);
}

// That an added word is in the list when it is read again is the spell underline integration test's.
TEST_F(EnglishEngine, AddedWordsAreKnownOrReportedAndIgnored) {
    ASSERT_EQ(engine.check(u"Corvalis zorbix"_s), SpellEngine::WordPending);
    EXPECT_EQ(engine.decide(Decision::Add), SpellEngine::WordPending);
    EXPECT_EQ(engine.decide(Decision::Add), SpellEngine::Done);
    EXPECT_TRUE(engine.addError().isEmpty());
    // A custom word in lower case also stands at the start of a sentence.
    EXPECT_EQ(engine.check(u"Corvalis zorbix. Zorbix"_s), SpellEngine::Done);

    // A word that cannot be stored is reported, and ignored for the rest of the check.
    const QString readOnly = dir.filePath(u"locked.dic"_s);
    ASSERT_TRUE(TextFile::writeAtomically(readOnly, "alpha\r\n").ok);
    QFile::setPermissions(readOnly, QFile::ReadOwner);
    for (const QString &path : {readOnly, dir.filePath(u"gone/custom.dic"_s)}) {
        engine.unloadCustomDictionary();
        ASSERT_TRUE(engine.loadCustomDictionary(path).ok);
        ASSERT_EQ(engine.check(u"zorbix and zorbix"_s), SpellEngine::WordPending);
        EXPECT_EQ(engine.decide(Decision::Add), SpellEngine::Done);
        EXPECT_TRUE(engine.addError().contains(path));
    }
}

TEST(SpellEngine, BadDictionaryFilesGiveClearErrors) {
    QTemporaryDir dir;
    const struct {
        const char *name;
        QByteArray bytes; // none: the file is missing
        QString errorPart;
    } cases[] = {{"klingon.vtd", "dictionary=tlh_XX\r\npackage=hunspell-tlh\r\n",
                  u"Install the package hunspell-tlh"_s},
                 {"empty.vtd", "# nothing\r\n", u"does not name a dictionary"_s},
                 {"escape.vtd", "dictionary=../../etc/en_US\r\n", u"does not name a dictionary"_s},
                 {"missing.vtd", {}, u"cannot be read"_s},
                 {"binary.dic", QByteArray("ELF\0\0\x01zz", 8), u"is not a word list"_s}};
    for (const auto &[name, bytes, errorPart] : cases) {
        SpellEngine engine;
        const QString path = dir.filePath(QLatin1String(name));
        ASSERT_TRUE(bytes.isNull() || TextFile::writeAtomically(path, bytes).ok);
        const auto result =
            path.endsWith(u".dic"_s) ? engine.loadCustomDictionary(path) : engine.loadMainDictionary(path);
        EXPECT_TRUE(!result.ok && result.error.contains(errorPart)) << result.error.toStdString();
        EXPECT_EQ(engine.mainDictionaryCount() + engine.customDictionaryCount(), 0);
    }
}

TEST_F(EnglishEngine, LargeAndOddTextsAreCheckedToTheEnd) {
    QString large;
    while (large.size() < 5 * 1024 * 1024)
        large += u"The quick brown fox jumpd over the lazy dog.\r\n"_s;
    // 5 MB of text with one word ignored all, one word of 100 000 letters, control characters.
    for (const QString &text : {large, QString(100000, u'x'), u"\u0001\u0002teh\u0007\u001b"_s}) {
        int questions = 0;
        for (int code = engine.check(text); code < SpellEngine::Done;
             code = engine.decide(Decision::IgnoreAll)) {
            ++questions;
            EXPECT_LE(engine.suggestions().size(), 20);
        }
        EXPECT_EQ(questions, 1);
    }
}

TEST(SpellDialogs, OptionsOkStoresThePathsAndTheNextCheckLoadsThem) {
    QTemporaryDir dir;
    Settings settings(dir.filePath(u"corvalis.ini"_s));
    RecordingMessages messages;
    const auto paths = [&] { return SpellChecker::Paths{dir.path(), dataFile("american.vtd"), {}}; };
    SpellChecker checker(settings, messages, paths, nullptr);
    ASSERT_TRUE(checker.loadDictionaries());
    // With none chosen, a custom word list is laid out in the main directory, so Add works at once.
    const QString firstList = dir.filePath(u"mywords.txt"_s);
    EXPECT_TRUE(QFile::exists(firstList));
    EXPECT_EQ(settings.get(Keys::CustomDictionary) + u'|' + checker.engine().customDictionaryPath(),
              firstList + u'|' + firstList);

    ASSERT_TRUE(QFile::copy(dataFile("german.vtd"), dir.filePath(u"german.vtd"_s)));
    FormSpellOptions options(checker);
    auto *customLabel = options.findChild<QLabel *>(u"CustomLabel"_s);
    EXPECT_EQ(customLabel->buddy(), options.findChild<QLineEdit *>(u"EditCustom"_s));
    options.findChild<QComboBox *>(u"ComboMain"_s)->setCurrentText(u"German"_s);
    const QString custom = dir.filePath(u"mine.dic"_s);
    options.setFileChooser([&] { return custom; });
    options.findChild<QPushButton *>(u"Command1"_s)->click();
    // The underlining follows the language, and the switch turns it off.
    options.findChild<QCheckBox *>(u"CheckUnderline"_s)->setChecked(false);
    options.accept();
    EXPECT_EQ(settings.get(Keys::MainDictionary) + u'|' + settings.get(Keys::CustomDictionary) + u'|' +
                  settings.get(Keys::SpellUnderline),
              dir.filePath(u"german.vtd|"_s) + custom + u"|0"_s);
    EXPECT_FALSE(WebProfile::shared().isSpellCheckEnabled());
    EXPECT_EQ(WebProfile::shared().spellCheckLanguages(), QStringList{u"de_DE"_s});
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

TEST(SpellLanguages, ReadsAndMakesTheStoredPaths) {
    // The later language in the list wins; a folder's name is not the dictionary's.
    QList<int> indexes;
    for (const QString &path :
         {u"/srv/corvalis/FRENCH.VTD"_s, u"/srv/klingon.vtd"_s, u"/srv/dutch-british.vtd"_s,
          u"/home/german/italian.vtd"_s, u"/home/german/american.vtd"_s})
        indexes.append(SpellLanguages::indexForPath(path));
    EXPECT_EQ(indexes, (QList<int>{3, 0, 2, 5, 0}));
    // One separator between folder and file; a network path keeps the doubled one it starts with.
    QStringList paths;
    for (const QString &mainDir :
         {u"/srv/main"_s, u"/srv/main//"_s, u"//server/share/"_s, u"\\\\server\\share\\"_s})
        paths.append(SpellLanguages::mainDictionaryPath(mainDir, 4));
    EXPECT_EQ(paths.join(u'|'), u"/srv/main/german.vtd|/srv/main/german.vtd|//server/share/german.vtd|"
                                u"\\\\server\\share\\german.vtd"_s);
}

// Real text in each language against `hunspell -l` with the same dictionary. Its words take in hyphens,
// periods and slashes ("dpkg-split"), so each word it stops at is checked here on its own: the stops must be
// the ones this check makes in the whole text. Words with no stop here follow one of ruleFor's rules.
TEST(SpellEngine, StopsWhereHunspellDoesSaveByTheListedRules) {
    const struct {
        const char *file, *text, *dictionary;
    } cases[] = {{"american.vtd", "en", "en_US"}, {"british.vtd", "en", "en_GB"},
                 {"dutch.vtd", "nl", "nl"},       {"french.vtd", "fr", "fr"},
                 {"german.vtd", "de", "de_DE"},   {"italian.vtd", "it", "it_IT"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.dictionary);
        const auto bytes = TextFile::readAll(
            QStringLiteral(CORVALIS_SOURCE_DIR "/tests/data/spelling/%1.txt").arg(QLatin1String(c.text)));
        ASSERT_TRUE(bytes);
        const QString text = QString::fromUtf8(*bytes);
        SpellEngine engine;
        ASSERT_TRUE(engine.loadMainDictionary(dataFile(c.file)).ok);
        QStringList ours = stopsIn(engine, text);
        QProcess hunspell;
        hunspell.start(u"hunspell"_s,
                       {u"-l"_s, u"-d"_s, u"/usr/share/hunspell/"_s + QLatin1String(c.dictionary)});
        ASSERT_TRUE(hunspell.waitForStarted()) << "hunspell is needed (scripts/install-deps)";
        hunspell.write(*bytes);
        hunspell.closeWriteChannel();
        ASSERT_TRUE(hunspell.waitForFinished());
        QStringList theirs;
        for (const QString &word :
             QString::fromUtf8(hunspell.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts)) {
            const QStringList stops = stopsIn(engine, word);
            EXPECT_FALSE(stops.isEmpty() && ruleFor(word).isEmpty()) << word.toStdString();
            theirs += stops;
        }
        ours.sort();
        theirs.sort();
        EXPECT_EQ(ours.join(u' ').toStdString(), theirs.join(u' ').toStdString());
    }
}
