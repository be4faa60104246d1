// Messages arriving in the folder the saved-folders tab shows: brought in through File > Import
// Messages..., or captured from the main pane, they are listed at once.
#include "main_form_harness.h"

#include "base/text_file.h"
#include "shell/tab_navigator.h"
#include "store/message_importer.h"
#include "store/saved_message_file.h"
#include "webpages/web_pane.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class ImportTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(h.sim().started());
        ASSERT_TRUE(QDir(h.mainDir()).mkpath(u"savedmgs/Archive"_s));
        ASSERT_TRUE(h.start());
        list = h.form().findChild<QTreeView *>(u"ListMsg"_s);
        auto *folders = h.form().findChild<QListWidget *>(u"ComboFolders2"_s);
        auto *target = h.form().findChild<QComboBox *>(u"ComboFolders"_s);
        ASSERT_TRUE(list && folders && target);
        h.form().tabs().select(TabNavigator::SavedFolders);
        folders->setCurrentItem(folders->findItems(u"Archive"_s, Qt::MatchExactly).value(0));
        target->setCurrentIndex(target->findText(u"Archive"_s));
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
    QDir folder() const { return QDir(h.mainDir() + u"savedmgs/Archive"_s); }
    QMap<QString, QByteArray> files() const {
        QMap<QString, QByteArray> named;
        for (const QString &name : folder().entryList(QDir::Files))
            named[name] = TextFile::readAll(folder().filePath(name)).value_or("");
        return named;
    }
    bool listed(int rows) const {
        return MainFormHarness::waitFor([&] { return list->model()->rowCount() == rows; }, 5000);
    }

    MainFormHarness h;
    QTreeView *list = nullptr;
};

TEST_F(ImportTest, AnMboxComesInOnceAndNothingIsLostOrDoubled) {
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
         u"200 messages read from %1, 200 added to Archive.\n50 had attachments, which were not kept."_s},
        {mbox, u"200 messages read from %1, 0 added to Archive.\n200 were in the folder already."_s},
        {dir.filePath(u"cut.mbox"_s),
         u"199 messages read from %1, 0 added to Archive.\n199 were in the folder "
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
            first = files();
        EXPECT_EQ(files(), first); // nothing added or changed after the first
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
TEST_F(ImportTest, ACapturedMessageIsListedAtOnce) {
    ASSERT_TRUE(listed(0));
    ASSERT_TRUE(h.load(h.form().webBrowser(1), h.sim().baseUrl() + u"/yahoo/message?id=1&lang=en"_s));
    h.form().findChild<QPushButton *>(u"GetBody"_s)->click();
    ASSERT_EQ(folder().entryList(QDir::Files).size(), 1);
    EXPECT_TRUE(listed(1));
}

} // namespace
