// The table commands on the real editing surface (offscreen): inserting a table, its properties
// dialog, and the cell dialog opened from the context menu, each read back from the live document.
#include "editor/cell_format.h"
#include "editor/editor_toolbar.h"
#include "editor/table_dialogs.h"
#include "editor/table_format.h"
#include "support/sim_process.h" // prints QStrings in failures
#include "unit/editor/surface_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// A 3x3 table as a person writes it; the caret goes into b2.
const QString grid =
    u"<p id=before>before</p><TABLE BORDER=1><TR><TD id=a1>1</TD><TD id=a2>2</TD><TD id=a3>3</TD></TR>"
    "<TR><TD id=b1>4</TD><TD id=b2>5</TD><TD id=b3>6</TD></TR>"
    "<TR><TD id=c1>7</TD><TD id=c2>8</TD><TD id=c3>9</TD></TR></TABLE><p>after</p>"_s;

class TableEditingTest : public SurfaceTest {
protected:
    TableEditingTest()
        : dialogs(panel, messages, &frame) {
        dialogs.services().pickColour = [](QWidget *, const QColor &) {
            return std::optional(QColor(255, 0, 0));
        };
    }

    // Opens the context menu's `entry` with the caret where it is, and drives the dialog that
    // the Timer1 tick shows.
    void fromMenu(const QString &entry, const std::function<void(QDialog &)> &drive) {
        bool shown = false;
        dialogs.setShow([&](QDialog &dialog) {
            shown = true;
            drive(dialog);
        });
        const ContextMenu::Layout &menu = panel.buildContextMenu();
        const qsizetype index = menu.items.indexOf(entry);
        ASSERT_GE(index, 0) << entry.toStdString() << " not in " << menu.items.join(u',').toStdString();
        EXPECT_EQ(menu.states[index], 0);
        panel.contextMenuAction(int(index));
        for (int i = 0; i < 50 && !shown; ++i)
            QTest::qWait(20);
        EXPECT_TRUE(shown);
    }
    // The ids of the cells whose tag has `attribute`, in document order.
    QString cellsWith(const QString &attribute) {
        return run(u"[...document.querySelectorAll('td[%1]')].map(c => c.id).join(' ')"_s.arg(attribute))
            .toString();
    }
    QString tableHtml() { return run(u"document.querySelector('table').outerHTML"_s).toString(); }
    // The caret inside the text of the element `selector` finds, after its first character.
    void caretIn(const char *selector) {
        QSignalSpy changed(&surface(), &EditingSurface::displayChanged);
        run(uR"({ const r = document.createRange();
                  r.setStart(document.querySelector('%1').firstChild, 1);
                  const s = getSelection(); s.removeAllRanges(); s.addRange(r); })"_s.arg(
            QString::fromLatin1(selector)));
        EXPECT_TRUE(changed.wait(3000));
    }

    TableDialogs dialogs;
};

template<typename T> T *field(QDialog &dialog, const char *name) {
    T *found = dialog.findChild<T *>(QString::fromLatin1(name));
    EXPECT_TRUE(found) << name;
    return found;
}

} // namespace

TEST_F(TableEditingTest, InsertsATableFromTheToolbar) {
    load(u"<p id=p>start</p>"_s);
    caretIn("#p");
    auto *toolbar = frame.findChild<EditorToolbar *>();
    ASSERT_TRUE(toolbar);
    ASSERT_TRUE(toolbar->button(u"table"_s)->isEnabled());
    dialogs.setShow([](QDialog &dialog) {
        field<QLineEdit>(dialog, "Rows")->setText(u"3"_s);
        field<QLineEdit>(dialog, "Cols")->setText(u"3"_s);
        field<QLineEdit>(dialog, "EditWidth")->setText(u"50"_s);
        field<QLineEdit>(dialog, "TableCaption")->setText(u"Prices"_s);
        dialog.accept();
    });
    toolbar->button(u"table"_s)->trigger();
    EXPECT_EQ(run(u"document.querySelectorAll('table tr').length"_s).toInt(), 3);
    EXPECT_EQ(run(u"document.querySelectorAll('table td').length"_s).toInt(), 9);
    EXPECT_EQ(run(u"document.querySelector('table caption').textContent"_s).toString(), u"Prices"_s);
    const TableFormat format = TableFormatting::readTable(tableHtml());
    EXPECT_EQ(format.width.text, u"50"_s);
    EXPECT_TRUE(format.width.percent);
    EXPECT_EQ(format.align, u"CENTER"_s);
    EXPECT_EQ(format.padding, u"3"_s);
}

TEST_F(TableEditingTest, TablePropertiesChangeTheTableAndUndoBringsItBack) {
    load(grid);
    const QString before = tableHtml();
    caretIn("#b2");
    fromMenu(u"Table Properties"_s, [](QDialog &dialog) {
        EXPECT_EQ(field<QLineEdit>(dialog, "EditWidth")->text(), u""_s);
        field<QLineEdit>(dialog, "EditWidth")->setText(u"80"_s);
        field<QRadioButton>(dialog, "OptionWidthPix")->click();
        field<QAbstractButton>(dialog, "Command2")->click();
        field<QAbstractButton>(dialog, "Command3")->click();
        dialog.accept();
    });
    TableFormat format = TableFormatting::readTable(tableHtml());
    EXPECT_EQ(format.width.text, u"80"_s);
    EXPECT_FALSE(format.width.percent);
    EXPECT_EQ(format.background.text, u"#FF0000"_s);
    EXPECT_EQ(format.borderColour.text, u"#FF0000"_s);
    EXPECT_EQ(format.border, u"1"_s);

    // What the dialog wrote, the browser's way of writing it reads back the same.
    caretIn("#b2");
    fromMenu(u"Table Properties"_s, [](QDialog &dialog) {
        EXPECT_EQ(field<QLineEdit>(dialog, "EditWidth")->text(), u"80"_s);
        EXPECT_TRUE(field<QRadioButton>(dialog, "OptionWidthPix")->isChecked());
        EXPECT_TRUE(field<QCheckBox>(dialog, "CheckSetBorderColor")->isChecked());
        dialog.reject();
    });
    surface().execCommand(EditingSurface::Undo, EditingSurface::DefaultOption);
    EXPECT_EQ(tableHtml(), before);
}

TEST_F(TableEditingTest, CellDialogAppliesEachScopeFromTheMiddleCell) {
    const struct {
        const char *entry;
        QString coloured;
    } cases[] = {
        {"Cell Properties", u"b2"_s},
        {"Row Properties", u"b1 b2 b3"_s},
        {"Column Properties", u"a2 b2 c2"_s},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.entry);
        load(grid);
        const QString base = surface().baseUrl();
        caretIn("#b2");
        fromMenu(QString::fromLatin1(c.entry), [&](QDialog &dialog) {
            EXPECT_EQ(dialog.windowTitle(), QString::fromLatin1(c.entry));
            field<QAbstractButton>(dialog, "Command2")->click();
            field<QComboBox>(dialog, "ComboVert")->setCurrentIndex(2); // Middle
            field<QCheckBox>(dialog, "CheckNoWrap")->setChecked(true);
            dialog.accept();
        });
        EXPECT_EQ(cellsWith(u"bgcolor"_s), c.coloured);
        EXPECT_EQ(cellsWith(u"nowrap"_s), c.coloured);
        EXPECT_EQ(surface().baseUrl(), base);
        EXPECT_FALSE(surface().documentHtml().contains(u"GWZSEL28"_s));
    }
    // Read back from the browser's markup, the cell shows what was written.
    caretIn("#b2");
    fromMenu(u"Cell Properties"_s, [](QDialog &dialog) {
        EXPECT_EQ(field<QComboBox>(dialog, "ComboVert")->currentText(), u"Middle"_s);
        EXPECT_TRUE(field<QCheckBox>(dialog, "CheckNoWrap")->isChecked());
        EXPECT_TRUE(field<QCheckBox>(dialog, "CheckSetBkColor")->isChecked());
        dialog.reject();
    });
}

TEST_F(TableEditingTest, CancelLeavesTheDocumentAsItWas) {
    load(grid);
    caretIn("#b2");
    const QString before = surface().documentHtml();
    fromMenu(u"Row Properties"_s, [](QDialog &dialog) {
        field<QAbstractButton>(dialog, "Command2")->click();
        dialog.reject();
    });
    EXPECT_EQ(surface().documentHtml(), before);
    EXPECT_FALSE(before.contains(u"GWZSEL28"_s));
}

TEST_F(TableEditingTest, CellDialogInATenThousandCellTable) {
    QString rows;
    for (int r = 0; r < 100; ++r) {
        rows += u"<tr>"_s;
        for (int c = 0; c < 100; ++c)
            rows += u"<td id=c%1_%2>xy</td>"_s.arg(r).arg(c);
        rows += u"</tr>"_s;
    }
    load(u"<table>"_s + rows + u"</table>"_s);
    caretIn("#c50_7");
    fromMenu(u"Column Properties"_s, [](QDialog &dialog) {
        field<QAbstractButton>(dialog, "Command2")->click();
        dialog.accept();
    });
    EXPECT_EQ(run(u"document.querySelectorAll('td[bgcolor]').length"_s).toInt(), 100);
    EXPECT_EQ(run(u"document.querySelectorAll('td[id$=\"_7\"][bgcolor]').length"_s).toInt(), 100);
}
