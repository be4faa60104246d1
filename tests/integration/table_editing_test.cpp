// The table commands on the real editing surface (offscreen), read back from the live document.
#include "base/text_file.h"
#include "editor/editor_toolbar.h"
#include "editor/table_dialogs.h"
#include "editor/table_format.h"
#include "support/sim_process.h" // prints QStrings in failures
#include "unit/editor/surface_fixture.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QFontDialog>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

using namespace Qt::StringLiterals;
using namespace std::literals;

namespace {

// A 3x3 table as a person writes it.
const QString grid = u"<p>before</p><TABLE BORDER=1><TR><TD id=a1>1</TD><TD id=a2>2</TD><TD id=a3>3</TD></TR>"
                     "<TR><TD id=b1>4</TD><TD id=b2>5</TD><TD id=b3>6</TD></TR>"
                     "<TR><TD id=c1>7</TD><TD id=c2>8</TD><TD id=c3>9</TD></TR></TABLE><p>after</p>"_s;

class TableEditingTest : public SurfaceTest {
protected:
    TableEditingTest() {
        dialogs.services().pickColour = [](auto, auto) { return std::optional(QColor(Qt::red)); };
    }
    // Picks the context menu's `entry` and drives the dialog that the Timer1 tick then shows.
    void fromMenu(const QString &entry, const std::function<void(QDialog &)> &drive) {
        const qsizetype index = panel.buildContextMenu().items.indexOf(entry);
        ASSERT_GE(index, 0) << entry.toStdString();
        EXPECT_TRUE(drivesDialog(
            dialogs, [&] { panel.contextMenuAction(int(index)); }, drive));
    }
    // The caret after the first character of the element `selector` finds.
    void caretIn(const char *selector) { selectText(QString::fromLatin1(selector), 1, 1); }
    QString cellsWith(const QString &attribute) {
        return run(u"[...document.querySelectorAll('td[%1]')].map(c=>c.id).join(' ')"_s.arg(attribute))
            .toString();
    }
    // The table's width, its unit, background, border and alignment as read back from the document.
    QString table() {
        const TableFormat t =
            TableFormatting::readTable(run(u"document.querySelector('table').outerHTML"_s).toString());
        return QStringList{t.width.text, t.width.percent ? u"%"_s : u"px"_s, t.background.text, t.border,
                           t.align}
            .join(u' ');
    }

    // The row and column of the cell with the caret, and the number of rows of its table.
    QString caretCell() {
        return run(u"(n => { const c = (n.nodeType === 1 ? n : n.parentElement).closest('td');"
                   " return c ? c.parentElement.rowIndex + ',' + c.cellIndex + ' ' + "
                   "c.closest('table').rows.length"
                   " : ''; })(getSelection().anchorNode)"_s)
            .toString();
    }

    TableDialogs dialogs{panel, messages, &frame};
};

} // namespace

// The menu opens where a person asks for it (a right click, or Shift+F10 and the menu key at the
// caret), with the entries and states of that moment; each entry, clicked, does its work.
TEST_F(TableEditingTest, EachContextMenuEntryDoesItsWork) {
    QString dialogShown; // the dialog an entry opened, by its title
    dialogs.setShow([&](QDialog &dialog) { dialogShown = dialog.windowTitle(); });
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
    const auto script = [this](const char *text) {
        return [this, text] { return run(QString::fromLatin1(text)).toString(); };
    };
    const auto dialog = [&] {
        [[maybe_unused]] const bool seen = QTest::qWaitFor([&] { return !dialogShown.isEmpty(); }, 2000);
        return std::exchange(dialogShown, QString());
    };
    const char *size =
        "document.querySelectorAll('tr').length + 'x' + document.querySelectorAll('td').length";
    const std::tuple<const char *, const char *, std::function<QString()>, QString> cases[] = {
        {"Insert Row", "#b2", script(size), u"4x12"_s},
        {"Insert Column", "#b2", script(size), u"3x12"_s},
        {"Delete Row", "#b2", script(size), u"2x6"_s},
        {"Delete Column", "#b2", script(size), u"3x6"_s},
        {"Cell Properties", "#b2", dialog, u"Cell Properties"_s},
        {"Row Properties", "#b2", dialog, u"Row Properties"_s},
        {"Column Properties", "#b2", dialog, u"Column Properties"_s},
        {"Table Properties", "#b2", dialog, u"Table Properties"_s},
        {"Font...", "#w", script("String(!!document.querySelector('#p2 font[size]'))"), u"true"_s},
        {"Select All", "#b2", script("getSelection().toString().includes('box')"), u"true"_s},
        {"Copy", "#w", [] { return QGuiApplication::clipboard()->text(); }, u"word"_s},
        {"Cut", "#w", script("document.body.innerText.includes('word')"), u"false"_s},
        {"Paste", "#w", script("document.getElementById('p2').textContent"), u"clip end"_s},
        {"Make 2D", "#d", script("getComputedStyle(document.getElementById('d')).position"), u"absolute"_s},
        {"Make 1D", "#e", script("getComputedStyle(document.getElementById('e')).position"), u"static"_s},
    };
    for (const auto &[entry, at, effect, expected] : cases) {
        SCOPED_TRACE(entry);
        load(grid + u"<p id=p2><span id=w>word</span> end</p><div id=d>box</div>"_s
                    u"<div id=e style='position:absolute;left:600px;top:9px'>pos</div>"_s);
        const QString loaded = body();
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
        // Whatever changed goes with one Ctrl+Z and comes again with Ctrl+Y.
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
    EXPECT_EQ(
        run(u"document.querySelectorAll('table tr').length + 'x' + document.querySelectorAll('td').length"_s)
            .toString(),
        u"3x9"_s);
    EXPECT_EQ(caretCell(), u"0,0 3"_s); // ready for the first cell's text
    // Given no width, as wide as the text column; the caption is text.
    EXPECT_EQ(run(u"(t => Math.round(10 * t.offsetWidth / document.body.clientWidth) + t.caption.textContent)"
                  "(document.querySelector('table'))"_s)
                  .toString(),
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

TEST_F(TableEditingTest, TablePropertiesChangeTheTableAndUndoBringsItBack) {
    load(grid);
    const QString before = run(u"document.querySelector('table').outerHTML"_s).toString();
    caretIn("#b2");
    fromMenu(u"Table Properties"_s, [](QDialog &dialog) {
        field<QLineEdit>(dialog, "EditWidth")->setText(u"80"_s);
        field<QRadioButton>(dialog, "OptionWidthPix")->click();
        field<QAbstractButton>(dialog, "Command2")->click();
        dialog.accept();
    });
    EXPECT_TRUE(table().startsWith(u"80 px #FF0000 1 "_s)) << table().toStdString();
    surface().execCommand(EditingSurface::Undo, EditingSurface::DefaultOption);
    EXPECT_EQ(run(u"document.querySelector('table').outerHTML"_s).toString(), before);
}

TEST_F(TableEditingTest, CellDialogAppliesEachScopeAndCancelsWithoutTrace) {
    const std::tuple<const char *, QString, bool, bool> cases[] = {
        {"Cell Properties", u"b2"_s, true, true},
        {"Row Properties", u"b1 b2 b3"_s, false, true},
        {"Column Properties", u"a2 b2 c2"_s, true, false}};
    for (const auto &[entry, changed, width, height] : cases) {
        SCOPED_TRACE(entry);
        load(grid);
        const QString base = surface().baseUrl();
        caretIn("#b2");
        fromMenu(QString::fromLatin1(entry), [&](QDialog &dialog) {
            EXPECT_EQ(dialog.windowTitle(), QString::fromLatin1(entry));
            EXPECT_EQ(field(dialog, "EditWidth")->isEnabled(), width);
            EXPECT_EQ(field(dialog, "EditHeight")->isEnabled(), height);
            field<QAbstractButton>(dialog, "Command2")->click();
            field<QComboBox>(dialog, "ComboVert")->setCurrentIndex(2); // Middle
            field<QCheckBox>(dialog, "CheckNoWrap")->setChecked(true);
            dialog.accept();
        });
        EXPECT_EQ(cellsWith(u"bgcolor"_s) + u'|' + cellsWith(u"nowrap"_s), changed + u'|' + changed);
        EXPECT_EQ(surface().baseUrl(), base);
        // Ctrl+Z takes the change back in one step, Ctrl+Y brings it again.
        for (const auto &[key, cells] : {std::pair{Qt::Key_Z, u""_s}, {Qt::Key_Y, changed}}) {
            QTest::keyClick(input(), key, Qt::ControlModifier);
            EXPECT_TRUE(QTest::qWaitFor([&] { return cellsWith(u"bgcolor"_s) == cells; }, 3000));
        }
    }
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
    QTemporaryDir dir;
    const QString path = dir.filePath(u"big.htm"_s);
    ASSERT_TRUE(
        TextFile::writeAtomically(
            path, (u"<HTML><Body>\r\n"_s + before + table + after + u"\r\n</Body></HTML>\r\n"_s).toUtf8())
            .ok);
    dialogs.setShow([](QDialog &dialog) {
        field<QAbstractButton>(dialog, "Command2")->click(); // a background colour
        dialog.accept();
    });
    const char *middle = "tr:nth-child(50) td:nth-child(50)";
    const std::pair<const char *, const char *> cases[] = {
        {"Insert Row", middle},        {"Insert Column", middle},
        {"Delete Row", middle},        {"Delete Column", middle},
        {"Cell Properties", middle},   {"Row Properties", middle},
        {"Column Properties", middle}, {"Table Properties", middle},
        {"Make 2D", "table"},          {"Tab", "tr:last-child td:last-child"}};
    for (const auto &[what, at] : cases) {
        SCOPED_TRACE(what);
        panel.openFile(path);
        const QString original = surface().bodySource();
        QWidget *proxy = input();
        if (what == "Make 2D"sv)
            run(u"getSelection().removeAllRanges(); (r => (r.selectNode(document.querySelector('table')),"
                " getSelection().addRange(r)))(document.createRange())"_s);
        else
            caretIn(at);
        if (what == "Tab"sv) {
            QTest::keyClick(proxy, Qt::Key_Tab);
        } else {
            QTest::keyClick(proxy, Qt::Key_F10, Qt::ShiftModifier);
            QMenu *menu = openMenu();
            ASSERT_TRUE(menu);
            pick(*menu, QString::fromLatin1(what));
        }
        EXPECT_TRUE(QTest::qWaitFor([&] { return surface().documentChanged(); }, 3000));
        const QString changed = surface().bodySource();
        EXPECT_TRUE(changed != original && changed.startsWith(before) && changed.endsWith(after))
            << changed.left(200).toStdString();
        QTest::keyClick(proxy, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !surface().documentChanged(); }, 3000));
        EXPECT_EQ(surface().bodySource(), original);
    }
}

// Tab and Shift+Tab go from cell to cell, the focus staying in the document; Tab in the last cell
// adds a row, which Ctrl+Z takes back.
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
    QTest::keyClick(proxy, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return run(u"document.querySelectorAll('tr').length"_s).toInt() == 3; }));
}
