// Email templates in the main window: listed from the folder at start-up, captured from the
// compose page, saved, and put back with "Use Template"; and the merge opened from the compose
// frame on a sorted address book.
#include "addressbook/address_book_controller.h"
#include "mailmerge/dialog_merge.h"
#include "mailmerge/dialog_template.h"
#include "main_form_harness.h"
#include "shell/settings_panel.h"
#include "shell/tab_navigator.h"
#include "webpages/page_model.h"
#include "webpages/web_pane.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QJsonObject>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class TemplateWindowTest : public ::testing::TestWithParam<QString> {
protected:
    void SetUp() override {
        ASSERT_EQ(TemplateFile::write(h.mainDir() + u"templates/Yesterday.txt"_s, {u"Old"_s, u"Old"_s}),
                  QString());
        ASSERT_TRUE(h.start());
        ASSERT_TRUE(h.load(h.form().webBrowser(1), h.sim().baseUrl() + u"/"_s + GetParam() + u"/inbox"_s));
        h.form().tabs().select(TabNavigator::Compose);
        ASSERT_TRUE(MainFormHarness::waitForPage(compose(), u"compose"_s));
    }
    WebPane &compose() { return h.form().webBrowser(3); }
    QString field(const QString &name) { return compose().formFieldValue(form.form, name).value_or(u"-"_s); }
    void write(const QString &subject, const QString &body) {
        ASSERT_TRUE(compose().setFormFieldValue(form.form, form.subject, subject));
        ASSERT_TRUE(compose().setFormFieldValue(form.form, form.body, body));
    }
    QPushButton *button(const QString &name) { return h.form().findChild<QPushButton *>(name); }

    MainFormHarness h;
    PageModel::ComposeForm form = PageModel::composeForm(GetParam());
};

} // namespace

TEST_P(TemplateWindowTest, CaptureSaveAndUseTemplate) {
    auto *combo = h.form().findChild<QComboBox *>(u"ComboTemplate"_s);
    QComboBox *defaultCombo = h.form().settingsPanel()->comboTemplate2();
    EXPECT_EQ(combo->findText(u"Yesterday.txt"_s) + defaultCombo->findText(u"Yesterday.txt"_s), 0);
    emit defaultCombo->activated(0); // chosen as the default
    EXPECT_EQ(combo->currentText(), u"Yesterday.txt"_s);
    write(u"Spring offer"_s, u"Dear <<First>>,\nR&D <ünï>"_s);
    // The compose frame's button opens the dialog modally; the work is done inside it.
    QTimer::singleShot(0, &h.form(), [&] {
        auto *dialog = qobject_cast<DialogTemplate *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->findChild<QPushButton *>(u"Command3"_s)->click();
        auto *subject = dialog->findChild<QLineEdit *>(u"Text1"_s);
        auto *body = dialog->findChild<QPlainTextEdit *>(u"Text2"_s);
        EXPECT_EQ(subject->text() + u'|' + body->toPlainText(), u"Spring offer|Dear <<First>>,\nR&D <ünï>"_s);
        const auto refused = [&](const QString &name, const QString &subjectText, const QString &message) {
            dialog->findChild<QComboBox *>(u"Combo1"_s)->setEditText(name);
            subject->setText(subjectText);
            EXPECT_FALSE(dialog->OKButton_Click());
            EXPECT_EQ(h.messages().last(), message);
        };
        refused(u"../Offer"_s, u"Spring offer"_s,
                TemplateFile::nameErrorMessage(TemplateFile::NameError::Unsafe));
        refused(u"Offer"_s, u"  "_s, DialogTemplate::noSubjectMessage());
        subject->setText(u"Spring offer"_s);
        EXPECT_TRUE(dialog->OKButton_Click());
        EXPECT_TRUE(dialog->OKButton_Click()); // saved twice, listed once
        // Closing with unsaved changes and choosing Cancel keeps the dialog and its text.
        body->appendPlainText(u"PS"_s);
        h.messages().queueAnswer(Messages::Answer::Cancel);
        dialog->reject();
        EXPECT_EQ(h.messages().last(), DialogTemplate::saveQuestion());
        EXPECT_TRUE(dialog->isVisible());
        dialog->reject(); // No: closes unsaved
    });
    button(u"CommandTemplate"_s)->click();
    EXPECT_TRUE(QFile::exists(h.mainDir() + u"templates/Offer.txt"_s));
    EXPECT_EQ(combo->count() + defaultCombo->count(), 4);

    // "Use Template" without a choice, then with one.
    write(QString(), QString());
    combo->setCurrentIndex(-1);
    button(u"Command4"_s)->click();
    EXPECT_EQ(h.messages().last(), u"You must select a template."_s);
    combo->setCurrentIndex(combo->findText(u"Offer.txt"_s));
    button(u"Command4"_s)->click();
    EXPECT_EQ(field(form.subject) + u'|' + field(form.body), u"Spring offer|Dear <<First>>,\nR&D <ünï>\n"_s);
}

TEST_P(TemplateWindowTest, MergeFromTheComposeFrameUsesPlainTitlesOfASortedBook) {
    QFile book(h.mainDir() + u"addrbooks/club.csv"_s);
    ASSERT_TRUE(book.open(QIODevice::WriteOnly) &&
                book.write("First,Last,Email,\r\nBea,B,bea@x.org,\r\nAl,A,al@x.org,\r\n"));
    book.close();
    auto *addresses = h.form().findChild<AddressBookController *>(u"AddressBookController"_s);
    addresses->book().setPendingPath(book.fileName());
    addresses->book().Open_CSV();
    addresses->book().model().sortPress(0); // the title now shows "^ First"
    write(u"Hi <<First>>"_s, u"Body"_s);
    button(u"Command5"_s)->click();
    auto *merge = h.form().findChild<DialogMerge *>(u"DialogMerge"_s);
    ASSERT_TRUE(merge && merge->isVisible());
    h.messages().setFallbackAnswer(Messages::Answer::Yes);
    merge->findChild<QPushButton *>(u"CommandStart"_s)->click();
    QStringList sent;
    for (const QJsonValue &message : h.sim().sent())
        sent << message[u"fields"_s][form.to].toString() + u'|' +
                    message[u"fields"_s][form.subject].toString();
    EXPECT_EQ(sent, (QStringList{u"al@x.org|Hi Al"_s, u"bea@x.org|Hi Bea"_s}));
    merge->close();
}

INSTANTIATE_TEST_SUITE_P(Providers, TemplateWindowTest, ::testing::Values(u"hotmail"_s, u"yahoo"_s));
