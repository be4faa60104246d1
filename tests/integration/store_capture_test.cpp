// Capturing the message shown from webmail-sim's pages, and importing an mbox file.
#include "main_form_harness.h"

#include "store/header_labels.h"
#include "store/message_importer.h"
#include "store/message_store.h"

#include <QJsonDocument>
#include <QMenuBar>

namespace {

class CaptureTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDir(h.mainDir()).mkpath(u"savedmgs/Captures"_s));
        ASSERT_TRUE(h.start());
        folders = h.child<QComboBox>("ComboFolders");
        getBody = h.child<QPushButton>("GetBody");
        folders->setCurrentIndex(folders->findText(u"Captures"_s));
    }

    QString folderPath(const QString &folder = u"Captures"_s) const {
        return h.mainDir() + u"savedmgs/"_s + folder;
    }
    QStringList files(const QString &folder = u"Captures"_s) const {
        return QDir(folderPath(folder)).entryList(QDir::Files);
    }
    void clearFolder() {
        for (const QString &name : files())
            QFile::remove(folderPath() + u'/' + name);
    }

    QMap<QString, QByteArray> contents() const {
        QMap<QString, QByteArray> named;
        for (const QString &name : files())
            named[name] = TextFile::readAll(folderPath() + u'/' + name).value_or("");
        return named;
    }
    bool listed(int rows) {
        const QAbstractItemModel *list = h.child<QTreeView>("ListMsg")->model();
        return MainFormHarness::waitFor([&] { return list->rowCount() == rows; }, 5000);
    }
    // Picks File > Import Messages... with the mouse and the menu's key, choosing `source`.
    QString importFrom(const QString &source) {
        h.form().findChild<MessageImporter *>()->setSourceChooser([source] { return source; });
        QMenuBar *bar = h.form().menuBar();
        QTest::mouseClick(bar, Qt::LeftButton, {},
                          bar->actionGeometry(h.form().fileMenu()->menuAction()).center());
        if (!MainFormHarness::waitFor([] { return QApplication::activePopupWidget() != nullptr; }))
            return u"<no menu>"_s;
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_M);
        return h.messages().last();
    }

    bool capture(const QString &provider, int id, const QString &language) {
        const QString address =
            h.sim().baseUrl() + u"/%1/message?id=%2&lang=%3"_s.arg(provider).arg(id).arg(language);
        if (!h.load(h.form().webBrowser(1), address))
            return false;
        getBody->click();
        return true;
    }

    MainFormHarness h;
    QComboBox *folders = nullptr;
    QPushButton *getBody = nullptr;
};

// The saved file of a message with these values (the file's layout is the writer's own, tested apart).
QByteArray savedFile(const QString &from, const QString &to, const QString &subject, const QString &date,
                     const QString &body) {
    return SavedMessageFile::content({from, subject, date, to, {}, {}, body});
}

const QString annLee = u"Ann Lee <ann.lee@example.com>"_s;
const QString pat = u"pat.doe@example.net"_s;
const QString message1Body = u"Hi Pat,<br>\r\n<br>\r\nAre we still on for lunch on Friday?<br>\r\n<br>\r\n"
                             "The new place on Elm Street opens at noon.<br>\r\n<br>\r\nAnn"_s;

// Each page variant, then message 1 of both providers in every language, the languages in reverse
// so that every capture has to find the page's language anew; each capture of it replaces its file.
TEST_F(CaptureTest, EveryPageVariantAndLanguageGivesTheExactFile) {
    struct Case {
        QString provider;
        int id;
        std::string_view language;
        QByteArray bytes; // how the file is named after its fields is the writer's, tested apart
    };
    std::vector<Case> cases = {
        // No element "message": the page text after the Subject line, the Date line included.
        {u"yahoo"_s, 10, "en",
         savedFile("Gina Park <gina@example.com>", pat, "Old style page", "Wed, 8 Dec 2004 11:11:00",
                   "<p><br>\r\nDate: Wed, 8 Dec 2004 11:11:00<br>\r\nThis page has no message "
                   "element.<br>\r\n<br>\r\n"
                   "Gina")},
        {u"hotmail"_s, 12, "nl",
         savedFile("Hugo Lind <hugo@example.se>", pat, "Empty part first", "Tue, 7 Dec 2004 14:20:00",
                   "<p>The body is the last rmsg element.</p>")},
        {u"hotmail"_s, 13, "fr",
         savedFile("Hugo Lind <hugo@example.se>", pat, "Nested parts", "Tue, 7 Dec 2004 14:25:00",
                   "Plain text inside a nested part.<br>\r\n<br>\r\nHugo")},
        {u"hotmail"_s, 14, "pt",
         savedFile("Hugo Lind <hugo@example.se>", pat, "Advert after the body", "Tue, 7 Dec 2004 14:30:00",
                   "<div>The advert below is not the body.</div>")},
    };
    for (const QString &provider : {u"yahoo"_s, u"hotmail"_s}) {
        for (int language = HeaderLabels::searchedLanguages - 1; language >= 0; --language)
            cases.push_back({provider, 1, HeaderLabels::languageCode(language),
                             savedFile(annLee, pat, "Lunch on Friday", "12/05/2004 10:31", message1Body)});
    }
    for (const Case &c : cases) {
        SCOPED_TRACE(c.provider.toStdString() + " " + std::to_string(c.id) + " " + std::string(c.language));
        ASSERT_TRUE(
            capture(c.provider, c.id, QString::fromLatin1(c.language.data(), qsizetype(c.language.size()))));
        EXPECT_EQ(h.form().pageState().webmail, c.provider);
        EXPECT_EQ(contents().values(), QList<QByteArray>{c.bytes}); // one file
        if (c.id != 1)
            clearFolder();
    }
    EXPECT_TRUE(h.messages().shown().isEmpty()) << h.messages().shown().join(u" | "_s).toStdString();
}

TEST_F(CaptureTest, SaysItSavedAndRefusesWithTheFixedMessages) {
    auto *label = h.child<QLabel>("LabelSaved");
    // A page that shows no message.
    getBody->click();
    EXPECT_EQ(h.messages().last(), u"Unable to read message. Are you sure a message is displayed?"_s);
    EXPECT_FALSE(label->isVisibleTo(&h.form()));

    h.browse(u"Captures"_s);
    ASSERT_TRUE(listed(0));
    ASSERT_TRUE(capture(u"yahoo"_s, 1, u"en"_s));
    // The capture brought the Inbox tab back before it read the page; the folder lists it at once.
    EXPECT_EQ(h.form().tabs().selected(), int(TabNavigator::InboxLogin));
    EXPECT_TRUE(listed(1));
    EXPECT_TRUE(label->isVisibleTo(&h.form()));

    folders->setCurrentIndex(folders->findText(u"sent"_s));
    getBody->click();
    EXPECT_EQ(h.messages().last(), u"You cannot save incoming messages to the Sent Messages Folder."_s);
    EXPECT_TRUE(files(u"sent"_s).filter(u"Lunch"_s).isEmpty());
    folders->setCurrentIndex(-1);
    getBody->click();
    EXPECT_EQ(h.messages().last(), u"You must select a folder to save the message to"_s);
    // The folder went away after the lists were filled.
    folders->setCurrentIndex(folders->findText(u"Captures"_s));
    ASSERT_TRUE(QDir(folderPath()).removeRecursively());
    getBody->click();
    EXPECT_EQ(h.messages().last(), u"Unable to save message. Are you sure a message is displayed?"_s);
    EXPECT_EQ(h.messages().shown().size(), 4);
}

TEST_F(CaptureTest, AnImportedMboxComesInOnceAndNothingIsLostOrDoubled) {
    h.browse(u"Captures"_s);
    QTemporaryDir dir;
    const QString mbox = dir.filePath(u"in.mbox"_s);
    QProcess python;
    python.start(u"python3"_s,
                 {QStringLiteral(CORVALIS_SOURCE_DIR "/tests/integration/make_mbox.py"), mbox, u"200"_s});
    ASSERT_TRUE(python.waitForFinished(60000) && python.exitCode() == 0)
        << python.readAllStandardError().data();
    const QJsonArray expected = QJsonDocument::fromJson(python.readAllStandardOutput()).array();

    const QByteArray whole = TextFile::readAll(mbox).value_or("");
    ASSERT_TRUE(TextFile::writeAtomically(dir.filePath(u"cut.mbox"_s), whole.first(whole.size() - 40)).ok);
    QByteArray binary;
    for (int i = 0; i < 4096; ++i)
        binary += char(i * 7 % 256);
    ASSERT_TRUE(TextFile::writeAtomically(dir.filePath(u"data.bin"_s), binary).ok);
    // Once, then again, cut off inside its last message, and a file that is no mail.
    const struct {
        QString source, says;
    } imports[] = {
        {mbox,
         u"200 messages read from %1, 200 added to Captures.\n50 had attachments, which were not kept."_s},
        {mbox, u"200 messages read from %1, 0 added to Captures.\n200 were in the folder already."_s},
        {dir.filePath(u"cut.mbox"_s),
         u"199 messages read from %1, 0 added to Captures.\n199 were in the folder "
         "already.\n49 had attachments, which were not kept.\n1 skipped: cut off at "
         "the end of the file."_s},
        {dir.filePath(u"data.bin"_s), u"%1 holds no mail messages"_s},
    };
    QMap<QString, QByteArray> first;
    for (const auto &i : imports) {
        SCOPED_TRACE(i.source.toStdString());
        EXPECT_TRUE(importFrom(i.source).contains(i.says.arg(QDir::toNativeSeparators(i.source))))
            << h.messages().last().toStdString();
        EXPECT_TRUE(listed(200));
        if (first.isEmpty())
            first = contents();
        EXPECT_EQ(contents(), first); // nothing added or changed after the first
    }
    QMap<QString, SavedMessage> bySubject;
    for (const QByteArray &bytes : first)
        if (const auto saved = SavedMessageFile::read(bytes))
            bySubject[saved->subject] = *saved;
    for (const QJsonValue &value : expected) { // [address, subject, date, text]
        const QJsonArray e = value.toArray();
        SCOPED_TRACE(e[1].toString().toStdString());
        const SavedMessage saved = bySubject.value(e[1].toString());
        EXPECT_TRUE(saved.from.contains(e[0].toString()) && saved.body.contains(e[3].toString()));
        EXPECT_EQ(std::pair(saved.date, saved.to), std::pair(e[2].toString(), u"pat@example.net"_s));
    }
}

} // namespace
