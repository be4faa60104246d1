// The table commands on the real editing surface (offscreen), read back from the live document.
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

// A 3x3 table as a person writes it.
const QString grid = u"<p>before</p><TABLE BORDER=1><TR><TD id=a1>1</TD><TD id=a2>2</TD><TD id=a3>3</TD></TR>"
                     "<TR><TD id=b1>4</TD><TD id=b2>5</TD><TD id=b3>6</TD></TR>"
                     "<TR><TD id=c1>7</TD><TD id=c2>8</TD><TD id=c3>9</TD></TR></TABLE><p>after</p>"_s;

template<typename T = QWidget> T *field(QDialog &dialog, const char *name) {
    T *found = dialog.findChild<T *>(QString::fromLatin1(name));
    EXPECT_TRUE(found) << name;
    return found;
}

class TableEditingTest : public SurfaceTest {
protected:
    TableEditingTest() {
        dialogs.services().pickColour = [](auto, auto) { return std::optional(QColor(Qt::red)); };
    }
    // Picks the context menu's `entry` and drives the dialog that the Timer1 tick then shows.
    void fromMenu(const QString &entry, const std::function<void(QDialog &)> &drive) {
        bool shown = false;
        dialogs.setShow([&](QDialog &dialog) {
            shown = true;
            drive(dialog);
        });
        const qsizetype index = panel.buildContextMenu().items.indexOf(entry);
        ASSERT_GE(index, 0) << entry.toStdString();
        panel.contextMenuAction(int(index));
        for (int i = 0; i < 50 && !shown; ++i)
            QTest::qWait(20);
        EXPECT_TRUE(shown);
    }
    // The caret after the first character of the element `selector` finds.
    void caretIn(const char *selector) { selectText(QString::fromLatin1(selector), 1, 1); }
    QString cellsWith(const QString &attribute) {
        return run(u"[...document.querySelectorAll('td[%1]')].map(c=>c.id).join(' ')"_s.arg(attribute))
            .toString();
    }
    TableFormat table() {
        return TableFormatting::readTable(run(u"document.querySelector('table').outerHTML"_s).toString());
    }

    TableDialogs dialogs{panel, messages, &frame};
};

} // namespace

TEST_F(TableEditingTest, InsertsATableFromTheToolbar) {
    load(u"<p id=p>start</p>"_s);
    caretIn("#p");
    QAction *button = frame.findChild<EditorToolbar *>()->button(u"table"_s);
    ASSERT_TRUE(button->isEnabled());
    dialogs.setShow([this](QDialog &dialog) {
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
        field<QLineEdit>(dialog, "EditWidth")->setText(u"50"_s);
        messages.clear();
        EXPECT_EQ(enter(u"   3"_s, u"3"_s), u""_s);
    });
    button->trigger();
    EXPECT_EQ(run(u"document.querySelectorAll('table tr').length"_s).toInt(), 3);
    EXPECT_EQ(run(u"document.querySelectorAll('table td').length"_s).toInt(), 9);
    EXPECT_EQ(table().width.text, u"50"_s);
    EXPECT_EQ(table().align, u"CENTER"_s);
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
    EXPECT_EQ(table().width.text, u"80"_s);
    EXPECT_FALSE(table().width.percent);
    EXPECT_EQ(table().background.text, u"#FF0000"_s);
    EXPECT_EQ(table().border, u"1"_s);
    surface().execCommand(EditingSurface::Undo, EditingSurface::DefaultOption);
    EXPECT_EQ(run(u"document.querySelector('table').outerHTML"_s).toString(), before);
}

TEST_F(TableEditingTest, CellDialogAppliesEachScopeAndCancelsWithoutTrace) {
    const struct {
        const char *entry;
        QString changed;
        bool width, height; // offered
    } cases[] = {{"Cell Properties", u"b2"_s, true, true},
                 {"Row Properties", u"b1 b2 b3"_s, false, true},
                 {"Column Properties", u"a2 b2 c2"_s, true, false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.entry);
        load(grid);
        const QString base = surface().baseUrl();
        caretIn("#b2");
        fromMenu(QString::fromLatin1(c.entry), [&](QDialog &dialog) {
            EXPECT_EQ(dialog.windowTitle(), QString::fromLatin1(c.entry));
            EXPECT_EQ(field(dialog, "EditWidth")->isEnabled(), c.width);
            EXPECT_EQ(field(dialog, "EditHeight")->isEnabled(), c.height);
            field<QAbstractButton>(dialog, "Command2")->click();
            field<QComboBox>(dialog, "ComboVert")->setCurrentIndex(2); // Middle
            field<QCheckBox>(dialog, "CheckNoWrap")->setChecked(true);
            dialog.accept();
        });
        EXPECT_EQ(cellsWith(u"bgcolor"_s), c.changed);
        EXPECT_EQ(cellsWith(u"nowrap"_s), c.changed);
        EXPECT_EQ(surface().baseUrl(), base);
    }
    // The browser's markup of what was written reads back the same; Cancel leaves the whole
    // document as it was, without the marker.
    const QString before = surface().documentHtml();
    caretIn("#b2");
    fromMenu(u"Cell Properties"_s, [](QDialog &dialog) {
        EXPECT_EQ(field<QComboBox>(dialog, "ComboVert")->currentText(), u"Middle"_s);
        EXPECT_TRUE(field<QCheckBox>(dialog, "CheckNoWrap")->isChecked());
        EXPECT_TRUE(field<QCheckBox>(dialog, "CheckSetBkColor")->isChecked());
        field<QAbstractButton>(dialog, "Command3")->click();
        dialog.reject();
    });
    EXPECT_EQ(surface().documentHtml(), before);
}

TEST_F(TableEditingTest, CellDialogInATenThousandCellTable) {
    load(u"<table>"_s + (u"<tr>"_s + u"<td>xy</td>"_s.repeated(100) + u"</tr>"_s).repeated(100) +
         u"</table>"_s);
    caretIn("tr:nth-child(50) td:nth-child(8)");
    fromMenu(u"Column Properties"_s, [](QDialog &dialog) {
        field<QAbstractButton>(dialog, "Command2")->click();
        dialog.accept();
    });
    EXPECT_EQ(run(u"document.querySelectorAll('td[bgcolor]').length"_s).toInt(), 100);
    EXPECT_EQ(run(u"document.querySelectorAll('td:nth-child(8)[bgcolor]').length"_s).toInt(), 100);
}
