// The table commands on the real editing surface (offscreen), read back from the live document.
#include "editor/editor_toolbar.h"
#include "editor/table_dialogs.h"
#include "editor/table_format.h"
#include "support/sim_process.h" // prints QStrings in failures
#include "support/unit_files.h"
#include "unit/editor/surface_fixture.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QFontDialog>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>

using namespace Qt::StringLiterals;
using namespace std::literals;

namespace {

// A 3x3 table as a person writes it.
const QString grid = u"<p>before</p><TABLE BORDER=1><TR><TD id=a1>1</TD><TD id=a2>2</TD><TD id=a3>3</TD></TR>"
                     "<TR><TD id=b1>4</TD><TD id=b2>5</TD><TD id=b3>6</TD></TR>"
                     "<TR><TD id=c1>7</TD><TD id=c2>8</TD><TD id=c3>9</TD></TR></TABLE><p>after</p>"_s;
// The document's rows and cells, as "3x9".
const char *const shape =
    "document.querySelectorAll('tr').length + 'x' + document.querySelectorAll('td').length";

class TableEditingTest : public SurfaceTest {
protected:
    TableEditingTest() {
        dialogs.services().pickColour = [](auto, auto) { return std::optional(QColor(Qt::red)); };
    }
    // The caret after the first character of the element `selector` finds.
    void caretIn(const char *selector) { selectText(QString::fromLatin1(selector), 1, 1); }
    QString text(const QString &script) { return run(script).toString(); }
    QString cellsWith(const QString &attribute) {
        return text(u"[...document.querySelectorAll('td[%1]')].map(c=>c.id).join(' ')"_s.arg(attribute));
    }
    // The table's width, its unit, background, border and alignment as read back from the document.
    QString table() {
        const TableFormat t =
            TableFormatting::readTable(text(u"document.querySelector('table').outerHTML"_s));
        return QStringList{t.width.text, t.width.percent ? u"%"_s : u"px"_s, t.background.text, t.border,
                           t.align}
            .join(u' ');
    }

    // The row and column of the cell with the caret, and the number of rows of its table.
    QString caretCell() {
        return text(
            u"(n => { const c = (n.nodeType === 1 ? n : n.parentElement).closest('td');"
            " return c ? c.parentElement.rowIndex + ',' + c.cellIndex + ' ' + c.closest('table').rows.length"
            " : ''; })(getSelection().anchorNode)"_s);
    }

    TableDialogs dialogs{panel, messages, &frame};
};

} // namespace

// The menu opens where a person asks for it (a right click, or Shift+F10 and the menu key at the
// caret), with the entries and states of that moment; each entry, clicked, does its work: a
// properties dialog changes what its scope reaches, and nothing else (the document keeps its base).
// Whatever changed goes with one Ctrl+Z and comes again with Ctrl+Y.
TEST_F(TableEditingTest, EachContextMenuEntryDoesItsWork) {
    QString dialogShown; // the dialog an entry opened, by its title
    std::function<void(QDialog &)> drive;
    dialogs.setShow([&](QDialog &dialog) {
        dialogShown = dialog.windowTitle();
        if (drive)
            drive(dialog);
    });
    QTimer closer; // the font dialog runs modally: another style twice the size is picked
    closer.callOnTimeout([&] {
        if (auto *fonts = qobject_cast<QFontDialog *>(QApplication::activeModalWidget())) {
            QFont font = fonts->currentFont();
            font.setBold(true);
            font.setPointSizeF(font.pointSizeF() * 2);
            fonts->setCurrentFont(font);
            fonts->accept();
        }
    });
    closer.start(50);
    const auto script = [this](const char *code) {
        return [this, code] { return text(QString::fromLatin1(code)); };
    };
    // The cell dialog offers the sizes its scope has: a row has no width, a column no height.
    const auto cellDialog = [](bool width, bool height) {
        return [=](QDialog &dialog) {
            EXPECT_EQ(field(dialog, "EditWidth")->isEnabled(), width);
            EXPECT_EQ(field(dialog, "EditHeight")->isEnabled(), height);
            field<QAbstractButton>(dialog, "Command2")->click();       // a background colour
            field<QComboBox>(dialog, "ComboVert")->setCurrentIndex(2); // Middle
            field<QCheckBox>(dialog, "CheckNoWrap")->setChecked(true);
            dialog.accept();
        };
    };
    const auto tableDialog = [](QDialog &dialog) {
        field<QLineEdit>(dialog, "EditWidth")->setText(u"80"_s);
        field<QRadioButton>(dialog, "OptionWidthPix")->click();
        field<QAbstractButton>(dialog, "Command2")->click();
        dialog.accept();
    };
    // The dialog shown, then the cells given a background and those kept from wrapping, or the
    // table's width, unit, colour and border.
    const auto cells = [&] {
        return dialogShown + u'|' + cellsWith(u"bgcolor"_s) + u'|' + cellsWith(u"nowrap"_s);
    };
    const auto sized = [&] { return dialogShown + u'|' + table().section(u' ', 0, 3); };
    struct Case {
        const char *entry, *at;
        std::function<QString()> effect;
        QString expected;
        std::function<void(QDialog &)> drive = {}; // what the user does in the dialog the entry opens
    };
    const Case cases[] = {
        {"Insert Row", "#b2", script(shape), u"4x12"_s},
        {"Insert Column", "#b2", script(shape), u"3x12"_s},
        {"Delete Row", "#b2", script(shape), u"2x6"_s},
        {"Delete Column", "#b2", script(shape), u"3x6"_s},
        {"Cell Properties", "#b2", cells, u"Cell Properties|b2|b2"_s, cellDialog(true, true)},
        {"Row Properties", "#b2", cells, u"Row Properties|b1 b2 b3|b1 b2 b3"_s, cellDialog(false, true)},
        {"Column Properties", "#b2", cells, u"Column Properties|a2 b2 c2|a2 b2 c2"_s,
         cellDialog(true, false)},
        {"Table Properties", "#b2", sized, u"Table Properties|80 px #FF0000 1"_s, tableDialog},
        {"Font...", "#w", script("String(!!document.querySelector('#p2 font[size]'))"), u"true"_s},
        {"Select All", "#b2", script("getSelection().toString().includes('box')"), u"true"_s},
        {"Copy", "#w", [] { return QGuiApplication::clipboard()->text(); }, u"word"_s},
        {"Cut", "#w", script("document.body.innerText.includes('word')"), u"false"_s},
        {"Paste", "#w", script("document.getElementById('p2').textContent"), u"clip end"_s},
        {"Make 2D", "#d", script("getComputedStyle(document.getElementById('d')).position"), u"absolute"_s},
        {"Make 1D", "#e", script("getComputedStyle(document.getElementById('e')).position"), u"static"_s},
    };
    for (const auto &[entry, at, effect, expected, driveDialog] : cases) {
        SCOPED_TRACE(entry);
        load(grid + u"<p id=p2><span id=w>word</span> end</p><div id=d>box</div>"_s
                    u"<div id=e style='position:absolute;left:600px;top:9px'>pos</div>"_s);
        const QString loaded = body(), base = surface().baseUrl();
        dialogShown.clear();
        drive = driveDialog;
        QWidget *proxy = input();
        QGuiApplication::clipboard()->setText(u"clip"_s);
        const QString where = QString::fromLatin1(at);
        if (where == u"#w")
            selectText(u"#w"_s);                               // a right click on the selection keeps it
        if (entry == "Insert Column"sv || entry == "Copy"sv) { // at the caret, or the selection
            if (entry == "Insert Column"sv)
                caretIn(at);
            QTest::keyClick(proxy, entry == "Copy"sv ? Qt::Key_Menu : Qt::Key_F10,
                            entry == "Copy"sv ? Qt::NoModifier : Qt::ShiftModifier);
        } else {
            QTest::mouseClick(proxy, Qt::RightButton, {}, middleOf(where));
        }
        QMenu *menu = openMenu();
        ASSERT_TRUE(menu);
        const QString shown = entries(*menu);
        EXPECT_TRUE(shown.startsWith(where == u"#w" ? u"Cut|Copy|Paste||Select All||Font..."_s
                                                    : u"~Cut|~Copy|Paste||Select All||Font..."_s) &&
                    shown.endsWith(u"Column Properties|Table Properties"_s) == (where == u"#b2") &&
                    shown.contains(u"|Make "_s) == (where == u"#d" || where == u"#e"))
            << shown.toStdString();
        pick(*menu, QString::fromLatin1(entry));
        EXPECT_TRUE(QTest::qWaitFor([&] { return effect() == expected; }, 3000)) << effect().toStdString();
        EXPECT_EQ(surface().baseUrl(), base);
        const QString changed = body();
        for (const auto &[key, want] : {std::pair{Qt::Key_Z, loaded}, {Qt::Key_Y, changed}}) {
            QTest::keyClick(proxy, key, Qt::ControlModifier);
            EXPECT_TRUE(QTest::qWaitFor([&] { return body() == want; }, 3000)) << body().toStdString();
        }
    }
}

// The toolbar's table button, clicked with the mouse, inserts a table, or inside one edits it.
TEST_F(TableEditingTest, TableButtonInsertsATableOrEditsTheOneAtTheCaret) {
    load(u"<p id=p>start</p>"_s);
    QAction *button = frame.findChild<EditorToolbar *>()->button(u"table"_s);
    input();
    caretIn("#p");
    EXPECT_EQ(button->toolTip(), u"Insert Table"_s);
    EXPECT_TRUE(drivesDialog(
        dialogs, [&] { clickButton("table"); },
        [this](QDialog &dialog) {
            const auto enter = [&](const QString &rows, const QString &cols) {
                field<QLineEdit>(dialog, "Rows")->setText(rows);
                field<QLineEdit>(dialog, "Cols")->setText(cols);
                dialog.accept();
                return messages.last();
            };
            for (const QString &bad : {u"0"_s, u"-1"_s, u"abc"_s, u""_s, u"-0"_s})
                EXPECT_EQ(enter(bad, u"3"_s),
                          u"Please specify a positive integer for the number of table rows."_s);
            EXPECT_EQ(enter(u"3"_s, u"0"_s),
                      u"Please specify a positive integer for the number of table columns."_s);
            EXPECT_EQ(enter(u"1e9"_s, u"3"_s),
                      u"A table can have at most 500 rows: please specify a smaller number."_s);
            field<QLineEdit>(dialog, "TableCaption")->setText(u"A <caption>"_s);
            messages.clear();
            EXPECT_EQ(enter(u"   3"_s, u"3"_s), u""_s);
        }));
    EXPECT_EQ(text(QString::fromLatin1(shape)), u"3x9"_s);
    EXPECT_EQ(caretCell(), u"0,0 3"_s); // ready for the first cell's text
    // Given no width, as wide as the text column; the caption is text.
    EXPECT_EQ(
        text(u"(t => Math.round(10 * t.offsetWidth / document.body.clientWidth) + t.caption.textContent)"
             "(document.querySelector('table'))"_s),
        u"10A <caption>"_s);
    EXPECT_TRUE(table().endsWith(u" CENTER"_s)) << table().toStdString();

    load(grid);
    caretIn("#b2");
    EXPECT_EQ(button->toolTip(), u"Table Properties"_s);
    QString shown;
    EXPECT_TRUE(drivesDialog(
        dialogs, [&] { clickButton("table"); }, [&](QDialog &dialog) { shown = dialog.windowTitle(); }));
    EXPECT_EQ(shown, u"Table Properties"_s);
}

// On a 100x100 table each operation is made in place: a save would change the file inside the
// table only, and one Ctrl+Z gives back the file's own bytes.
TEST_F(TableEditingTest, EachOperationOnALargeTableIsOneStepInsideTheTable) {
    preserve = true;
    QString table = u"<TABLE BORDER=1>"_s;
    for (int r = 0; r < 100; ++r)
        table += u"<TR>"_s + u"<TD>%1."_s.arg(r).repeated(100) + u"\r\n"_s;
    table += u"</TABLE>"_s;
    const QString before = u"<P ALIGN=center>Before &amp; <!-- kept -->\r\n"_s,
                  after = u"\r\n<p>After <B>bold</b>"_s;
    TestFolder dir;
    const QString path =
        dir.write(u"big.htm"_s,
                  (u"<HTML><Body>\r\n"_s + before + table + after + u"\r\n</Body></HTML>\r\n"_s).toUtf8());
    dialogs.setShow([](QDialog &dialog) {
        field<QAbstractButton>(dialog, "Command2")->click(); // a background colour
        dialog.accept();
    });
    // The menu's entries at the middle cell, Make 2D with the table selected, and Tab in the last cell.
    for (const char *what : {"Insert Row", "Insert Column", "Delete Row", "Delete Column", "Cell Properties",
                             "Row Properties", "Column Properties", "Table Properties", "Make 2D", "Tab"}) {
        SCOPED_TRACE(what);
        panel.openFile(path);
        const QString original = surface().bodySource();
        QWidget *proxy = input();
        if (what == "Make 2D"sv)
            run(u"getSelection().removeAllRanges(); (r => (r.selectNode(document.querySelector('table')),"
                " getSelection().addRange(r)))(document.createRange())"_s);
        else
            caretIn(what == "Tab"sv ? "tr:last-child td:last-child" : "tr:nth-child(50) td:nth-child(50)");
        if (what == "Tab"sv) {
            QTest::keyClick(proxy, Qt::Key_Tab);
        } else {
            QTest::keyClick(proxy, Qt::Key_F10, Qt::ShiftModifier);
            QMenu *menu = openMenu();
            ASSERT_TRUE(menu);
            pick(*menu, QString::fromLatin1(what));
        }
        EXPECT_TRUE(QTest::qWaitFor([&] { return surface().documentChanged(); }, 15000));
        const QString changed = surface().bodySource();
        EXPECT_TRUE(changed != original && changed.startsWith(before) && changed.endsWith(after))
            << changed.left(200).toStdString();
        QTest::keyClick(proxy, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !surface().documentChanged(); }, 15000));
        EXPECT_EQ(surface().bodySource(), original);
    }
}

// Tab and Shift+Tab go from cell to cell, the focus staying in the document; Tab in the last cell adds a row
// (that one Ctrl+Z takes it back is the large table's test).
TEST_F(TableEditingTest, TabMovesBetweenCellsAndAddsARowAtTheEnd) {
    load(grid);
    QWidget *proxy = input();
    caretIn("#c2");
    QWidget *focus = QApplication::focusWidget();
    const std::pair<Qt::Key, QString> steps[] = {
        {Qt::Key_Tab, u"2,2 3"_s}, {Qt::Key_Tab, u"3,0 4"_s}, {Qt::Key_Backtab, u"2,2 4"_s}};
    for (const auto &[key, cell] : steps) {
        SCOPED_TRACE(cell.toStdString());
        QTest::keyClick(proxy, key, key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
        EXPECT_TRUE(QTest::qWaitFor([&] { return caretCell() == cell; }, 3000)) << caretCell().toStdString();
        EXPECT_EQ(QApplication::focusWidget(), focus);
    }
}
