#include "store/dialog_new_folder.h"
#include "store/folder_list_box.h"
#include "store/message_list_model.h"
#include "store/saved_folders.h"

#include "base/messages.h"

#include <QDir>
#include <QDragMoveEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct MainDir {
    QTemporaryDir dir;
    explicit MainDir(const QStringList &folders = {}) {
        for (const QString &folder : folders)
            QDir(dir.path()).mkpath(QStringLiteral("savedmgs/") + folder);
        QDir(dir.path()).mkpath(QStringLiteral("savedmgs"));
    }
    QString path() const { return dir.path() + u'/'; }
    bool has(const QString &relative) const { return QFileInfo::exists(dir.filePath(relative)); }
};

TEST(SavedFolders, ListsSubfoldersAlphabeticallyWhateverTheMainDirLooksLike) {
    MainDir main({"Saved", "sent", "archive", "Zeta", ".trash"});
    QFile(main.dir.filePath(QStringLiteral("savedmgs/loose.htm"))).open(QIODevice::WriteOnly);
    const QStringList expected{"archive", "Saved", "sent", "Zeta"};
    EXPECT_EQ(SavedFolders::list(main.path()), expected);
    EXPECT_EQ(SavedFolders::list(main.dir.path()), expected); // no trailing separator
    EXPECT_EQ(SavedFolders::folderPath(main.path(), QStringLiteral("Saved")),
              main.dir.path() + QStringLiteral("/savedmgs/Saved"));
    EXPECT_TRUE(SavedFolders::list(main.dir.filePath(QStringLiteral("missing"))).isEmpty());
}

TEST(SavedFolders, CreateRefusesNamesThatLeaveTheStore) {
    MainDir main({"Saved"});
    struct Case {
        QString name;
        SavedFolders::CreateError error;
    } cases[] = {
        {"Work", SavedFolders::CreateError::None},
        {"Work", SavedFolders::CreateError::Failed}, // exists now
        {"", SavedFolders::CreateError::InvalidName},
        {".", SavedFolders::CreateError::InvalidName},
        {"../escape", SavedFolders::CreateError::InvalidName},
        {"a/b", SavedFolders::CreateError::InvalidName},
        {"...", SavedFolders::CreateError::None}, // an odd but harmless name
        {"back\\slash", SavedFolders::CreateError::None},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        EXPECT_EQ(SavedFolders::create(main.path(), c.name), c.error);
    }
    EXPECT_FALSE(main.has(QStringLiteral("escape")));
    EXPECT_FALSE(main.has(QStringLiteral("savedmgs/a")));
}

TEST(DialogNewFolder, OkNeedsTextAndFailuresKeepTheDialogOpen) {
    MainDir main({"Saved"});
    RecordingMessages messages;
    DialogNewFolder dialog(main.path(), messages);
    auto *text = dialog.findChild<QLineEdit *>(QStringLiteral("Text1"));
    auto *ok = dialog.findChild<QPushButton *>(QStringLiteral("OKButton"));
    ASSERT_TRUE(text && ok);
    QSignalSpy created(&dialog, &DialogNewFolder::folderCreated);

    EXPECT_FALSE(ok->isEnabled());
    for (const char *bad : {"Saved", "x/y"}) {
        SCOPED_TRACE(bad);
        text->setText(QString::fromLatin1(bad));
        EXPECT_TRUE(ok->isEnabled());
        ok->click();
        EXPECT_EQ(messages.last(), DialogNewFolder::failureMessage());
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
    EXPECT_EQ(messages.last(),
              QStringLiteral("Unable to create directory. Please check to make sure you have entered "
                             "a valid directory name."));
    EXPECT_EQ(created.count(), 0);

    text->setText(QStringLiteral("Work"));
    ok->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    ASSERT_EQ(created.count(), 1);
    EXPECT_EQ(created.first().first().toString(), QStringLiteral("Work"));
    EXPECT_TRUE(main.has(QStringLiteral("savedmgs/Work")));
    text->clear();
    EXPECT_FALSE(ok->isEnabled());
}

TEST(FolderListBox, ADraggedMessageHighlightsTheFolderUnderThePointer) {
    FolderListBox box;
    box.addItems({"archive", "Saved", "sent"});
    box.resize(200, 300);
    box.show();
    QMimeData message;
    message.setData(MessageListModel::mimeType(), "/x/Saved/a&&b&&c&&d.htm");
    QMimeData other;
    other.setText(QStringLiteral("text"));

    // As in a real drag, the pointer enters before it moves.
    const auto drag = [&box](const QPoint &at, QMimeData &data) {
        QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(box.viewport(), &enter);
        QDragMoveEvent move(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(box.viewport(), &move);
        return std::pair{move.isAccepted(), move.dropAction()};
    };
    EXPECT_EQ(drag(box.visualItemRect(box.item(1)).center(), message), std::pair(true, Qt::CopyAction));
    EXPECT_EQ(box.currentRow(), 1);
    // Below the last folder nothing changes; other data is not taken.
    EXPECT_TRUE(drag(QPoint(5, 290), message).first);
    EXPECT_EQ(box.currentRow(), 1);
    EXPECT_FALSE(drag(box.visualItemRect(box.item(2)).center(), other).first);
    EXPECT_EQ(box.currentRow(), 1);

    QDropEvent drop(QPointF(box.visualItemRect(box.item(0)).center()), Qt::CopyAction | Qt::MoveAction,
                    &message, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(box.viewport(), &drop);
    EXPECT_EQ(drop.dropAction(), Qt::CopyAction);
    EXPECT_EQ(box.count(), 3); // a drop adds or moves nothing
}

} // namespace
