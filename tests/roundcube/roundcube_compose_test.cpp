// Messages composed through Roundcube's compose page, each started as a user starts it and sent
// with Roundcube's own Send; what was sent is read where it lands, the mailboxes over IMAP.
#include "mailmerge/template_file.h"
#include "shell/address_book_pane.h"
#include "spelling/answer_body_dialog.h"
#include "started_stack.h"
#include "store/message_list_model.h"

#include <QAbstractItemView>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTextDocumentFragment>
#include <QWebEngineContextMenuRequest>

#include <map>

namespace {

using User = RoundcubeStack::User;
RoundcubeStack *started = nullptr;
RoundcubeStack &stack() {
    return startedOnce(started);
}

// Text with every blank and line break taken out: the same text arrives however the sending re-flowed it.
QString letters(QString text) {
    return text.remove(QRegularExpression(u"\\s"_s));
}

const QString clubNight = u"Dear <<Name>>,\r\nbring 2 < 3 chairs & a lamp."_s;

class RoundcubeCompose : public ::testing::Test {
protected:
    void SetUp() override {
        h = roundcubeWindow(stack(), User::Alice);
        // A template the compose frame lists from the start; its text holds what markup would take.
        ASSERT_TRUE(TextFile::writeAtomically(h->mainDir() + u"templates/Club.txt"_s,
                                              TemplateFile::encode({u"Club night"_s, clubNight}))
                        .ok);
        ASSERT_TRUE(roundcubeComposing(*h, stack().url()))
            << compose().locationUrl().toStdString() << (compose().busy() ? " loading " : " ")
            << compose().bodyText().value_or(QString()).left(600).toStdString();
    }

    WebPane &compose() { return h->form().webBrowser(3); }
    QVariant page(const QString &script) { return MainFormHarness::runPageScript(compose(), script); }

    // The recipient widget of Roundcube's field (`to`, `cc`) lists `address`.
    bool shows(const QString &field, const QString &address) {
        return MainFormHarness::waitFor([&] {
            return page(u"[...document.querySelectorAll('#compose_%1 li.recipient')]"
                        u".some(r => r.innerText.includes('%2'))"_s.arg(field, address))
                .toBool();
        });
    }
    void screenshot(const QString &name) {
        QTest::qWait(1000); // the page is drawn anew
        if (qEnvironmentVariableIsSet("CORVALIS_SCREENSHOTS"))
            h->form().grab().save(qEnvironmentVariable("CORVALIS_SCREENSHOTS") + u'/' + name);
    }

    // Clicks Send until Roundcube has taken the press (it drops one while busy, ignores a second while it
    // sends). What it showed meanwhile is kept for a failure's report (its messages fade within seconds).
    bool pressSend() {
        page(
            u"window.shownMessages = []; new MutationObserver(() => {"
            u" const t = document.getElementById('messagestack').innerText.trim();"
            u" if (t && shownMessages[shownMessages.length - 1] !== t) shownMessages.push(t); })"
            u".observe(document.getElementById('messagestack'), {subtree: true, childList: true, characterData: true})"_s);
        const auto taken = [&] {
            return !compose().locationUrl().contains(u"compose"_s) ||
                   page(u"shownMessages.some(t => /sending|sent/i.test(t))"_s).toBool();
        };
        return MainFormHarness::waitFor(
            [&] {
                return MainFormHarness::clickElement(compose(), u"button.send"_s) &&
                       MainFormHarness::waitFor(taken, 5000);
            },
            60000);
    }

    // The word the engine marks misspelt at the body's first word, right-clicked there as the user
    // does; its place is read again before each click, the page may have moved since.
    QString markedFirstWord() {
        const QVariantList at =
            page(u"(() => { const b = document.getElementById('composebody'); b.scrollTop = 0;"
                 u" const r = b.getBoundingClientRect(), s = getComputedStyle(b);"
                 u" return [r.left + parseFloat(s.paddingLeft) + 6,"
                 u" r.top + parseFloat(s.paddingTop) + 6]; })()"_s)
                .toList();
        QTest::mouseClick(
            compose().focusProxy(), Qt::RightButton, {},
            (QPointF(at.value(0).toDouble(), at.value(1).toDouble()) * compose().zoomFactor()).toPoint());
        // The menu comes once the page has said what lies under the pointer, late on a busy machine:
        // one left open would take the next click.
        QWidget *menu = nullptr;
        MainFormHarness::waitFor([&] { return (menu = QApplication::activePopupWidget()); }, 30000);
        if (menu)
            menu->close();
        const QWebEngineContextMenuRequest *request = compose().lastContextMenuRequest();
        return menu && request ? request->misspelledWord() : QString();
    }

    std::unique_ptr<MainFormHarness> h;
};

// The `nth` message of `subject` in the user's INBOX once it has arrived; empty when none does.
QJsonObject arrived(User user, const QString &subject, int nth = 1) {
    QJsonObject found;
    inboxOnce(stack(), user, [&](const QJsonArray &inbox) {
        int seen = 0;
        for (const QJsonValue &m : inbox)
            if (m[u"subject"_s].toString() == subject && ++seen == nth)
                found = m.toObject();
        return !found.isEmpty();
    });
    return found;
}

TEST_F(RoundcubeCompose, EachWayOfStartingAMessageFillsTheComposePageAndWhatIsSentArrives) {
    const QString bob = stack().login(User::Bob), alice = stack().login(User::Alice);
    const SavedMessage saved{u"Bob Brown <"_s + bob + u'>',   {}, u"12/05/2004 10:31"_s, alice, {}, {},
                             u"See you at noon.<br>\r\nBob"_s};
    QString longBody; // 100 lines of 50 characters
    for (int line = 1; line <= 100; ++line)
        longBody += u"Line %1 of a long message, and it arrives whole.\n"_s.arg(line, 3, 10, QChar(u'0'));
    const QString forwarded = letters(u">From: Bob Brown <"_s + bob +
                                      u">>Date: 12/05/2004 10:31>Subject: Dinner>>See you at noon.>Bob"_s);
    const struct {
        const char *start;
        QString subject; // of the saved message or the link's; typed after an address book's insertion
        QString sent;    // the subject that arrives
        QString typedTo; // typed into the To widget after the command
        QString quoted;  // the body arrives with it; without, the body arrives as typed
        QString typed;   // the body the user types (Roundcube asks before it sends no text)
        bool aliceToo;   // Alice gets it as well (Cc, or typed into To)
    } cases[] = {
        // Bob's address from the book, Alice's typed by hand after it; the body's spelling checked.
        {"Toolbar2/setto", u"Picnic"_s, u"Picnic"_s, alice, u"Themessage"_s, u"Teh mesage "_s, true},
        // The user's Roundcube composes HTML: the template's text arrives as shown, never as markup.
        {"Command4", u"Club night"_s, u"Club night"_s, bob, letters(clubNight), {}, false},
        {"CommandReplyText", u"Lunch"_s, u"RE: Lunch"_s, {}, u">>Seeyouatnoon.>Bob"_s, {}, false},
        {"CommandReplyNoText", u"Tea"_s, u"RE: Tea"_s, {}, {}, u"Yes, at four."_s, false},
        {"CommandForward", u"Dinner"_s, u"FWD: Dinner"_s, bob, forwarded, {}, false},
        {"mailto", u"Long letter"_s, u"Long letter"_s, {}, letters(longBody), {}, true},
        {"CommandSendAgain", u"Long letter"_s, u"Long letter"_s, {}, letters(longBody), {}, true},
    };
    std::map<QString, int> sends; // of each subject so far
    const QString book = h->mainDir() + u"addrbooks/roundcube.csv"_s;
    ASSERT_TRUE(
        TextFile::writeAtomically(book, "Email,First,Last,\r\n" + bob.toUtf8() + ",Bob,Brown,\r\n").ok);
    h->messages().setFallbackAnswer(Messages::Answer::Yes);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.start);
        const QString start = QString::fromLatin1(c.start);
        // A template and the book's addresses go into the compose page shown: a fresh one, as the
        // Compose tab shows one when the user comes back to it.
        if ((start == u"Command4"_s || start == u"Toolbar2/setto"_s) &&
            !::RoundcubeCompose::shown(compose())) {
            h->form().tabs().select(TabNavigator::InboxLogin);
            h->form().tabs().select(TabNavigator::Compose);
            ASSERT_TRUE(
                MainFormHarness::waitFor([&] { return ::RoundcubeCompose::shown(compose()); }, 60000));
        }
        if (start == u"mailto"_s) {
            QProcess launcher;
            launcher.start(QStringLiteral(CORVALIS_PATH),
                           {u"--settings"_s, h->iniPath(), u"--mailto"_s,
                            bob + u"?cc="_s + alice + u"&subject="_s +
                                QString::fromLatin1(QUrl::toPercentEncoding(c.subject)) + u"&body="_s +
                                QString::fromLatin1(QUrl::toPercentEncoding(longBody))});
            ASSERT_TRUE(MainFormHarness::waitFor([&] { return launcher.state() == QProcess::NotRunning; }));
        } else if (start == u"Command4"_s) {
            ASSERT_TRUE(MainFormHarness::clickElement(compose(), u"a.mce-i-html"_s));
            ASSERT_TRUE(MainFormHarness::waitFor(
                [&] { return page(u"!!document.querySelector('#composebody_ifr')"_s).toBool(); }, 30000));
            h->child<QComboBox>("ComboTemplate")->setCurrentIndex(0);
            ASSERT_EQ(h->userStep(start), QString());
        } else if (start == u"Toolbar2/setto"_s) {
            h->openBook(book);
            h->form().addressBookPane().showPane();
            h->child<QTableView>("MSFlexGrid1")->selectRow(0);
            ASSERT_EQ(h->userStep(start), QString());
        } else {
            // Send Again takes the copy of a send kept in "sent", the others a message saved before.
            const bool again = start == u"CommandSendAgain"_s;
            SavedMessage message = saved;
            message.subject = c.subject;
            ASSERT_TRUE(again ||
                        writeSavedMessage(h->mainDir(), u"Saved"_s, message, MessageKind::Captured).ok());
            h->browse(again ? u"sent"_s : u"Saved"_s);
            const QAbstractItemModel *list = h->child<QAbstractItemView>("ListMsg")->model();
            const QModelIndexList row = list->match(list->index(0, MessageListModel::SubjectColumn),
                                                    Qt::DisplayRole, c.subject, 1, Qt::MatchExactly);
            ASSERT_EQ(row.size(), 1);
            // Roundcube's page for a compose session it no longer knows (a success) gives way to a fresh one.
            ASSERT_TRUE(start != u"CommandReplyNoText"_s ||
                        h->load(compose(), stack().url() + u"/?_task=mail&_action=compose&_id=expired"_s));
            h->clickMessage(row[0].row());
            WebPane &preview = h->form().webBrowser(2);
            ASSERT_TRUE(MainFormHarness::waitFor(
                [&] { return preview.elementText(u"subject"_s).value_or(QString()).contains(c.subject); }));
            ASSERT_EQ(h->userStep(start), QString());
        }
        ASSERT_TRUE(MainFormHarness::waitFor([&] { return h->form().tabs().selected() == 2; }));
        // A forward has no To until the user types one.
        ASSERT_TRUE(c.typedTo == bob || shows(u"to"_s, bob));
        EXPECT_TRUE(!c.aliceToo || !c.typedTo.isEmpty() || shows(u"cc"_s, alice));
        ASSERT_TRUE(c.typedTo.isEmpty() ||
                    MainFormHarness::typeInto(compose(), u"#compose_to li.input input"_s, c.typedTo));
        ASSERT_TRUE(!start.startsWith(u"Toolbar2"_s) ||
                    MainFormHarness::typeInto(compose(), u"#compose-subject"_s, c.subject));
        ASSERT_TRUE(c.typed.isEmpty() || MainFormHarness::typeInto(compose(), u"#composebody"_s, c.typed));
        if (start.startsWith(u"Toolbar2"_s)) {
            // Underlined as typed; the browser toolbar's spell check takes the body and writes it back.
            EXPECT_TRUE(MainFormHarness::waitFor([&] { return markedFirstWord() == u"Teh"_s; }, 60000));
            QString checked;
            MainFormHarness::modalsDuring([&] { h->toolAction(u"Toolbar1"_s, u"spell"_s)->trigger(); },
                                          [&](QWidget &shown) {
                                              auto *dialog = qobject_cast<AnswerBodyDialog *>(&shown);
                                              ASSERT_TRUE(dialog) << shown.objectName().toStdString();
                                              checked = dialog->text()->toPlainText();
                                              dialog->text()->setPlainText(u"The message"_s);
                                              dialog->DoneButton_Click();
                                          });
            EXPECT_EQ(checked, c.typed);
        }
        if (start == u"CommandReplyText"_s)
            screenshot(u"rc-compose-reply.png"_s);
        if (start == u"mailto"_s) {
            // The body is the transfer's last field.
            EXPECT_TRUE(MainFormHarness::waitFor([&] { return page(u"composebody.value"_s) == longBody; }));
            screenshot(u"rc-compose-mailto.png"_s);
        }
        ASSERT_TRUE(pressSend());
        // Roundcube leaves compose once the send is confirmed (its next page can be slow on a busy machine).
        ASSERT_TRUE(
            MainFormHarness::waitFor([&] { return !compose().locationUrl().contains(u"compose"_s); }, 60000))
            << page(u"window.shownMessages.join('|')"_s).toString().toStdString() << '\n'
            << page(u"[...new FormData(document.forms.form)].join('|')"_s).toString().toStdString();

        const int nth = ++sends[c.sent];
        const QJsonObject toBob = arrived(User::Bob, c.sent, nth);
        ASSERT_FALSE(toBob.isEmpty()) << h->messages().shown().join(u'|').toStdString();
        const QString raw = toBob[u"body"_s].toString(),
                      body = toBob[u"html"_s].toBool() ? QTextDocumentFragment::fromHtml(raw).toPlainText()
                                                       : raw;
        EXPECT_TRUE(letters(body).contains(c.quoted)) << raw.toStdString();
        EXPECT_TRUE(!c.quoted.isEmpty() || letters(body) == letters(c.typed)) << raw.toStdString();
        EXPECT_TRUE(!c.aliceToo || !arrived(User::Alice, c.sent, nth).isEmpty());
    }
}

} // namespace
