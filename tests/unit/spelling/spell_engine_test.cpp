#include "spelling/spell_engine.h"
#include "spelling/word_splitter.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using Decision = SpellEngine::Decision;

namespace {

QString dataFile(const char *name) {
    return QStringLiteral(CORVALIS_SOURCE_DIR "/data/") + QLatin1String(name);
}

QStringList wordsOf(const QString &text) {
    QStringList words;
    WordSplitter splitter(text);
    while (const auto span = splitter.next())
        words.append(text.sliced(span->offset, span->length));
    return words;
}

void writeFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// An engine with U.S. English and a custom list in a fresh folder.
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
        const char *why;
        QString text;
        QStringList words;
    } cases[] = {
        {"apostrophes inside words",
         u"don't l'homme l\u2019homme"_s,
         {u"don't"_s, u"l'homme"_s, u"l\u2019homme"_s}},
        {"quotes around words are not part of them",
         u"'tis the students' 'word'"_s,
         {u"tis"_s, u"the"_s, u"students"_s, u"word"_s}},
        {"hyphenated words by parts",
         u"well-known up-to-date"_s,
         {u"well"_s, u"known"_s, u"up"_s, u"to"_s, u"date"_s}},
        {"diacritics, composed and decomposed",
         u"café cafe\u0301 Straße"_s,
         {u"café"_s, u"cafe\u0301"_s, u"Straße"_s}},
        {"numbers and words with digits",
         u"call 555-1234 at 3rd or B2B now"_s,
         {u"call"_s, u"at"_s, u"or"_s, u"now"_s}},
        {"addresses",
         u"mail ann@example.com, see https://x.org/a-b and www.lern.com ok"_s,
         {u"mail"_s, u"see"_s, u"and"_s, u"ok"_s}},
        {"acronyms, but a single capital is a word", u"NASA and I"_s, {u"and"_s, u"I"_s}},
        {"control characters separate", u"teh\u0001lern\u0000day"_s, {u"teh"_s, u"lern"_s, u"day"_s}},
        {"a letter beyond the basic plane", u"a\U0001D49Cb c"_s, {u"a\U0001D49Cb"_s, u"c"_s}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(wordsOf(c.text), c.words);
    }
}

TEST(WordSplitter, StartsInsideAnAddressAfterIt) {
    // A check resumes after a replacement, possibly in the middle of a chunk.
    const QString text = u"see www.lern.com teh"_s;
    WordSplitter splitter(text, 8);
    EXPECT_EQ(splitter.next(), (WordSpan{17, 3}));
}

TEST(WordSplitter, RangePositionCountsCrLfAsOne) {
    const QString text = u"a\r\n\r\nb\nc\r\nd"_s;
    EXPECT_EQ(rangePosition(text, text.indexOf(u'b')), 3);
    EXPECT_EQ(rangePosition(text, text.indexOf(u'c')), 5); // a lone LF is one character anyway
    EXPECT_EQ(rangePosition(text, text.indexOf(u'd')), 7);
}

TEST(SpellEngine, KnowsWordsAndSuggestsInEachLanguage) {
    const struct {
        const char *file;
        QStringList known;
        QString misspelt, suggestion;
    } cases[] = {
        {"american.vtd", {u"color"_s, u"don't"_s, u"don\u2019t"_s}, u"recieve"_s, u"receive"_s},
        {"british.vtd", {u"colour"_s, u"café"_s}, u"recieve"_s, u"receive"_s},
        {"dutch.vtd", {u"gemakkelijk"_s, u"ideeën"_s}, u"fietz"_s, u"fiets"_s},
        {"french.vtd", {u"l'homme"_s, u"aujourd\u2019hui"_s, u"où"_s}, u"maisson"_s, u"maison"_s},
        {"german.vtd", {u"Straße"_s, u"Mädchen"_s}, u"Hauss"_s, u"Haus"_s},
        {"italian.vtd", {u"città"_s, u"perché"_s}, u"gattoo"_s, u"gatto"_s},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file);
        SpellEngine engine;
        ASSERT_TRUE(engine.loadMainDictionary(dataFile(c.file)).ok);
        for (const QString &word : c.known)
            EXPECT_TRUE(engine.isKnown(word)) << word.toStdString();
        ASSERT_EQ(engine.check(u"  "_s + c.misspelt + u"."_s), SpellEngine::WordPending);
        EXPECT_EQ(engine.wordOffset(), 2);
        EXPECT_EQ(engine.suggestions().value(0), c.suggestion);
    }
}

TEST_F(EnglishEngine, StepsThroughMisspellingsAndTakesInReplacements) {
    ASSERT_EQ(engine.check(u"Teh lern, teh lern again; teh"_s), SpellEngine::WordPending);
    EXPECT_EQ(engine.misspelledWord(), u"Teh"_s);
    EXPECT_EQ(engine.decide(Decision::Change, u"The"_s), SpellEngine::WordPending);
    EXPECT_TRUE(engine.replaced());
    EXPECT_EQ(engine.replacement(), u"The"_s);
    // A longer replacement moves the offsets of the words after it.
    EXPECT_EQ(engine.misspelledWord(), u"lern"_s);
    EXPECT_EQ(engine.decide(Decision::ChangeAll, u"learn"_s), SpellEngine::WordPending);
    EXPECT_EQ(engine.misspelledWord(), u"teh"_s);
    EXPECT_EQ(engine.wordOffset(), 11);
    EXPECT_EQ(engine.decide(Decision::IgnoreAll), SpellEngine::ChangePending);
    EXPECT_FALSE(engine.replaced());
    // "Change All" words come back already decided; the ignored word never again.
    EXPECT_EQ(engine.wordOffset(), 15);
    EXPECT_EQ(engine.decide(Decision::Change, engine.replacement()), SpellEngine::Done);
    EXPECT_EQ(engine.text(), u"The learn, teh learn again; teh"_s);
    EXPECT_EQ(engine.decide(Decision::Ignore), SpellEngine::Done);

    // Ignore All lasts one check only; Cancel ends a check.
    ASSERT_EQ(engine.check(u"teh"_s), SpellEngine::WordPending);
    EXPECT_EQ(engine.decide(Decision::Cancel), SpellEngine::Cancelled);
    EXPECT_EQ(engine.decide(Decision::Ignore), SpellEngine::Cancelled);
    EXPECT_EQ(engine.check(u"Fine words only."_s), SpellEngine::Done);
}

TEST_F(EnglishEngine, AddedWordsSurviveARestart) {
    ASSERT_EQ(engine.check(u"Corvalis zorbix"_s), SpellEngine::WordPending);
    EXPECT_EQ(engine.decide(Decision::Add), SpellEngine::WordPending);
    EXPECT_EQ(engine.decide(Decision::Add), SpellEngine::Done);
    EXPECT_TRUE(engine.addError().isEmpty());

    SpellEngine restarted;
    ASSERT_TRUE(restarted.loadMainDictionary(dataFile("american.vtd")).ok);
    ASSERT_TRUE(restarted.loadCustomDictionary(customPath).ok);
    // A custom word in lower case also stands at the start of a sentence.
    EXPECT_EQ(restarted.check(u"Corvalis zorbix. Zorbix"_s), SpellEngine::Done);

    restarted.unloadCustomDictionary();
    EXPECT_EQ(restarted.customDictionaryCount(), 0);
    EXPECT_EQ(restarted.check(u"Corvalis"_s), SpellEngine::WordPending);
}

TEST_F(EnglishEngine, AWordThatCannotBeAddedIsReportedAndIgnored) {
    const struct {
        const char *why;
        QString path;
        bool readOnly;
    } cases[] = {
        {"read-only file", dir.filePath(u"locked.dic"_s), true},
        {"missing folder", dir.filePath(u"gone/custom.dic"_s), false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.why);
        if (c.readOnly) {
            writeFile(c.path, "alpha\r\n");
            QFile::setPermissions(c.path, QFile::ReadOwner);
        }
        engine.unloadCustomDictionary();
        ASSERT_TRUE(engine.loadCustomDictionary(c.path).ok);
        ASSERT_EQ(engine.check(u"zorbix and zorbix"_s), SpellEngine::WordPending);
        EXPECT_EQ(engine.decide(Decision::Add), SpellEngine::Done);
        EXPECT_TRUE(engine.addError().contains(c.path));
    }
}

TEST_F(EnglishEngine, UnloadsAndLoadsAnotherLanguage) {
    engine.unloadMainDictionary();
    EXPECT_EQ(engine.mainDictionaryCount(), 0);
    ASSERT_TRUE(engine.loadMainDictionary(dataFile("german.vtd")).ok);
    EXPECT_EQ(engine.check(u"Das Mädchen"_s), SpellEngine::Done);
    EXPECT_EQ(engine.check(u"The girl"_s), SpellEngine::WordPending);
}

TEST(SpellEngine, BadDictionaryFilesGiveClearErrors) {
    QTemporaryDir dir;
    writeFile(dir.filePath(u"klingon.vtd"_s), "dictionary=tlh_XX\r\npackage=hunspell-tlh\r\n");
    writeFile(dir.filePath(u"empty.vtd"_s), "# nothing\r\n");
    writeFile(dir.filePath(u"escape.vtd"_s), "dictionary=../../etc/en_US\r\n");
    writeFile(dir.filePath(u"binary.dic"_s), QByteArray("\x7f"
                                                        "ELF\0\0\x01zz",
                                                        9));
    const struct {
        QString path;
        bool custom;
        QString errorPart;
    } cases[] = {
        {dir.filePath(u"klingon.vtd"_s), false, u"Install the package hunspell-tlh"_s},
        {dir.filePath(u"empty.vtd"_s), false, u"does not name a dictionary"_s},
        {dir.filePath(u"escape.vtd"_s), false, u"does not name a dictionary"_s},
        {dir.filePath(u"missing.vtd"_s), false, u"cannot be read"_s},
        {dir.filePath(u"binary.dic"_s), true, u"is not a word list"_s},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        SpellEngine engine;
        const auto result =
            c.custom ? engine.loadCustomDictionary(c.path) : engine.loadMainDictionary(c.path);
        EXPECT_FALSE(result.ok);
        EXPECT_TRUE(result.error.contains(c.errorPart)) << result.error.toStdString();
        EXPECT_EQ(engine.mainDictionaryCount() + engine.customDictionaryCount(), 0);
    }
}

TEST_F(EnglishEngine, LargeAndOddTextsAreCheckedToTheEnd) {
    QString large;
    while (large.size() < 5 * 1024 * 1024)
        large += u"The quick brown fox jumpd over the lazy dog.\r\n"_s;
    const struct {
        const char *why;
        QString text;
        int questions;
    } cases[] = {
        {"5 MB of text, one word ignored all", large, 1},
        {"one word of 100 000 letters", QString(100000, u'x'), 1},
        {"control characters", u"\u0001\u0002teh\u0007\u001b"_s, 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.why);
        int questions = 0;
        for (int code = engine.check(c.text); code < SpellEngine::Done;
             code = engine.decide(Decision::IgnoreAll)) {
            ++questions;
            EXPECT_LE(engine.suggestions().size(), 20);
        }
        EXPECT_EQ(questions, c.questions);
    }
}
