// The saved-folders tab on real panes.
#include "main_form_harness.h"

#include "store/message_list_model.h"

#include <QHeaderView>

namespace {

QStringList cells(const QAbstractItemModel *model, int column = 0) {
    QStringList texts;
    for (int row = 0; row < model->rowCount(); ++row)
        texts.append(model->index(row, column).data().toString());
    return texts;
}

// Saves a message into `folder` of the window's main directory, as a capture does.
void save(const MainFormHarness &h, const QString &folder, const QString &from, const QString &subject,
          const QString &date = {}, const QString &body = {}) {
    const SavedMessage message{from, subject, date, u"pat@x"_s, {}, {}, body};
    ASSERT_TRUE(writeSavedMessage(h.mainDir(), folder, message, MessageKind::Captured).ok());
}

const char *const messageButtons[] = {"CommandReplyText", "CommandReplyNoText", "CommandForward",
                                      "CommandSendAgain", "CommandDelete",      "CommandMove"};

class FoldersTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const QString &folder : {u"Work"_s, u"Archive"_s})
            ASSERT_TRUE(QDir(h.mainDir()).mkpath(u"savedmgs/"_s + folder));
        // Three messages in "Work": names in alphabetical order Ann, Bob, Cid; dates Cid < Ann < Bob.
        save(h, u"Work"_s, u"Ann"_s, u"First"_s, u"12/05/2004 10:31"_s, u"one"_s);
        save(h, u"Work"_s, u"Bob"_s, u"Re: Second"_s, u"Sun, 12 Dec 2004 10:31:00"_s, u"a <b>FI</b>RST"_s);
        save(h, u"Work"_s, u"Cid"_s, u"Third"_s, u"3/5/1977 08:00"_s, u"three"_s);
        QFile(h.mainDir() + u"savedmgs/Work/readme.txt"_s).open(QIODevice::WriteOnly);
        ASSERT_TRUE(h.start());
        form = &h.form();
        list = h.child<QTreeView>("ListMsg");
        folders = h.child<QListWidget>("ComboFolders2");
        moveTarget = h.child<QComboBox>("ComboFolders4");
        form->tabs().select(TabNavigator::SavedFolders);
        // That deleting asks first, and No (the default) keeps the message, is the workflow test's.
        h.messages().setFallbackAnswer(Messages::Answer::Yes);
    }

    QPushButton *button(const char *name) const { return h.child<QPushButton>(name); }
    void moveTo(const QString &folder) { // none: no target chosen
        moveTarget->setCurrentIndex(moveTarget->findText(folder));
        button("CommandMove")->click();
    }
    std::vector<bool> enabled() const {
        std::vector<bool> states;
        for (const char *name : messageButtons)
            states.push_back(button(name)->isEnabled());
        return states;
    }
    QStringList column(int column) const { return cells(list->model(), column); }
    void clickHeader(int column) {
        QHeaderView *header = list->header();
        const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                        header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    }
    WebPane &preview() const { return form->webBrowser(2); }
    bool previewShows(const QString &part) const { return MainFormHarness::waitForPage(preview(), part); }

    MainFormHarness h;
    MainForm *form = nullptr;
    QTreeView *list = nullptr;
    QListWidget *folders = nullptr;
    QComboBox *moveTarget = nullptr;
};

TEST_F(FoldersTest, ListsPreviewsAndSortsAFolderAndOffersWhatFitsItsMessages) {
    // Capture target, default folder and the folders browsed list every folder; a move, all but "sent".
    for (const QAbstractItemModel *model : {h.child<QComboBox>("ComboFolders")->model(),
                                            h.child<QComboBox>("ComboFolders3")->model(), folders->model()})
        EXPECT_EQ(cells(model), (QStringList{u"Archive"_s, u"Saved"_s, u"sent"_s, u"Work"_s}));
    EXPECT_EQ(cells(moveTarget->model()), (QStringList{u"Archive"_s, u"Saved"_s, u"Work"_s}));
    EXPECT_EQ(QApplication::focusWidget(), list); // showing the tab focused the list

    h.browse(u"Work"_s);
    EXPECT_EQ(column(MessageListModel::SubjectColumn),
              (QStringList{u"First"_s, u"Re:  Second"_s, u"Third"_s}));
    EXPECT_TRUE(previewShows(u"blankmsg.htm"_s));
    EXPECT_TRUE(button("CommandReplyText")->isVisibleTo(form));
    EXPECT_FALSE(button("CommandSendAgain")->isVisibleTo(form));
    EXPECT_EQ(enabled(), std::vector<bool>(6, false));

    h.clickMessage(1);
    ASSERT_TRUE(previewShows(u"Bob"_s));
    // The page address changes before its document does.
    EXPECT_TRUE(MainFormHarness::waitFor(
        [&] { return preview().elementText(u"subject"_s) == u"Subject:\u00A0Re: Second"_s; }));
    EXPECT_EQ(enabled(), std::vector<bool>(6, true));

    // A click on the date title sorts by day count, 1977 first (the order rules are the model's).
    clickHeader(MessageListModel::DateColumn);
    EXPECT_EQ(column(MessageListModel::FromColumn), (QStringList{u"Cid"_s, u"Ann"_s, u"Bob"_s}));
    EXPECT_EQ(list->selectionModel()->selectedRows().first().row(), 2); // the message shown stays selected

    // The sent folder offers only what fits a sent copy (Send Again: compose transfer test; Move: search's).
    h.browse(u"sent"_s);
    for (const char *hidden : {"CommandReplyText", "CommandReplyNoText", "CommandForward"})
        EXPECT_FALSE(button(hidden)->isVisibleTo(form)) << hidden;
}

TEST_F(FoldersTest, MovesToAnotherFolderOnlyAndDeletesUpToTheLastRow) {
    h.browse(u"Work"_s);
    h.clickMessage(0);
    ASSERT_TRUE(previewShows(u"Ann"_s));
    moveTo({});
    EXPECT_EQ(h.messages().last(), u"You must select the folder you want to move the file to."_s);
    // The folder browsed: nothing happens, nothing is shown.
    h.messages().clear();
    moveTo(u"Work"_s);
    EXPECT_EQ(list->model()->rowCount(), 3);

    moveTo(u"Archive"_s);
    EXPECT_TRUE(h.messages().shown().isEmpty());
    EXPECT_EQ(QDir(h.mainDir() + u"savedmgs/Archive"_s).entryList(QDir::Files).size(), 1);
    EXPECT_EQ(column(MessageListModel::FromColumn), (QStringList{u"Bob"_s, u"Cid"_s}));
    // The row that took the moved one's place is shown.
    EXPECT_EQ(list->selectionModel()->selectedRows().first().row(), 0);
    EXPECT_TRUE(previewShows(u"Bob"_s));
    // A message of the same name in the target is not replaced.
    save(h, u"Archive"_s, u"Bob"_s, u"Re: Second"_s, u"Sun, 12 Dec 2004 10:31:00"_s, u"2"_s);
    button("CommandMove")->click();
    EXPECT_EQ(h.messages().last(), u"There was an error in attempting to move this file."_s);
    EXPECT_EQ(list->model()->rowCount(), 2);

    h.clickMessage(1);
    ASSERT_TRUE(previewShows(u"Cid"_s));
    button("CommandDelete")->click();
    // The last row went: the new last row is shown.
    EXPECT_EQ(column(MessageListModel::FromColumn), (QStringList{u"Bob"_s}));
    EXPECT_EQ(list->selectionModel()->selectedRows().first().row(), 0);
    EXPECT_TRUE(previewShows(u"Bob"_s));
    button("CommandDelete")->click();
    EXPECT_EQ(list->model()->rowCount(), 0);
    EXPECT_EQ(enabled(), std::vector<bool>(6, false));
    // The other file of the folder stays.
    EXPECT_EQ(QDir(h.mainDir() + u"savedmgs/Work"_s).entryList(QDir::Files), QStringList{u"readme.txt"_s});
}

TEST_F(FoldersTest, FindsInOneFolderOrAllThenActsOnAResult) {
    save(h, u"Archive"_s, u"Dee"_s, u"first aid"_s, u"12/05/2004"_s, u"x"_s);
    ASSERT_TRUE(
        writeSavedMessage(h.mainDir(), {},
                          {SavedMessageFile::sentFrom, u"First?"_s, u"12/05/2004"_s, u"pat@x"_s, {}, {}, {}},
                          MessageKind::Sent)
            .ok());
    h.browse(u"Work"_s);
    auto *field = h.child<QLineEdit>("TextSearch");
    auto *status = h.child<QLabel>("LabelSearchStatus");
    const auto rows = [this] { // "folder:from", the folder shown for results only
        QStringList cells = column(MessageListModel::FolderColumn);
        const QStringList from = column(MessageListModel::FromColumn);
        for (int row = 0; row < cells.size(); ++row)
            cells[row] += u':' + from[row];
        cells.sort();
        return cells;
    };
    const auto search = [&](const QString &term) {
        field->setText(term);
        EXPECT_TRUE(MainFormHarness::waitFor([&] { return status->text().contains(u"found"_s); }));
        return rows();
    };
    const auto select = [&](const QString &from) {
        h.clickMessage(int(column(MessageListModel::FromColumn).indexOf(from)));
        ASSERT_TRUE(previewShows(from == u"pat@x"_s ? u"sent"_s : from));
    };
    // The subject, then the text too, whose markup is left out; then every folder.
    EXPECT_EQ(search(u"first"_s), QStringList{u"Work:Ann"_s});
    h.child<QCheckBox>("CheckSearchText")->setChecked(true);
    EXPECT_EQ(search(u"first"_s), (QStringList{u"Work:Ann"_s, u"Work:Bob"_s}));
    h.child<QComboBox>("ComboSearchScope")->setCurrentIndex(1);
    EXPECT_EQ(search(u"first"_s),
              (QStringList{u"Archive:Dee"_s, u"Work:Ann"_s, u"Work:Bob"_s, u"sent:pat@x"_s}));

    // A sent copy found offers what the sent folder offers; a moved or deleted result leaves the list.
    select(u"pat@x"_s);
    EXPECT_FALSE(button("CommandReplyText")->isVisibleTo(form) || button("CommandMove")->isEnabled());
    select(u"Dee"_s);
    EXPECT_TRUE(button("CommandReplyText")->isVisibleTo(form) && button("CommandReplyText")->isEnabled());
    moveTo(u"Work"_s);
    select(u"Ann"_s);
    button("CommandDelete")->click();
    EXPECT_EQ(rows(), (QStringList{u"Work:Bob"_s, u"sent:pat@x"_s}));
    field->clear(); // back to the folder browsed
    EXPECT_EQ(rows(), (QStringList{u":Bob"_s, u":Cid"_s, u":Dee"_s}));
}

// Each showing of the tab loads a fresh compose page, which the clearing that follows it cannot
// be told from; right after a reply or forward filled the page, it stays as it is, once.
TEST_F(FoldersTest, ShowingComposeRightAfterAReplyKeepsThePage) {
    const PageModel::ComposeForm &f = PageModel::composeForm(PageModel::hotmail);
    WebPane &compose = form->webBrowser(3);
    ASSERT_TRUE(h.openCompose(PageModel::hotmail));
    ASSERT_TRUE(compose.setFormFieldValue(f.form, f.to, u"kept"_s));
    form->pageState().did_insert = true;
    QSignalSpy reloaded(&compose, &WebPane::loadStarted);
    form->tabs().select(TabNavigator::Compose);
    EXPECT_FALSE(form->pageState().did_insert);
    EXPECT_FALSE(reloaded.wait(2000)); // a page asked for starts loading well within this
    EXPECT_EQ(compose.formFieldValue(f.form, f.to), u"kept"_s);
}

} // namespace

// The list follows messages saved behind it: ones saved before the tab first shows are listed when
// it shows (a folder is listed only then), and ones saved while it shows appear without a click.
TEST(FoldersWatchTest, TheListedFolderFollowsMessagesSavedBehindIt) {
    MainFormHarness h;
    ASSERT_TRUE(h.start());
    const QString folder = h.child<QListWidget>("ComboFolders2")->currentItem()->text();
    const QAbstractItemModel *list = h.child<QTreeView>("ListMsg")->model();
    const auto listed = [&](const QString &subject) {
        return MainFormHarness::waitFor(
            [&] { return cells(list, MessageListModel::SubjectColumn).contains(subject); }, 5000);
    };
    save(h, folder, u"Ann"_s, u"Unseen"_s);
    h.form().tabs().select(TabNavigator::SavedFolders);
    EXPECT_TRUE(listed(u"Unseen"_s));
    save(h, folder, u"Ann"_s, u"Seen"_s);
    EXPECT_TRUE(listed(u"Seen"_s));
}
