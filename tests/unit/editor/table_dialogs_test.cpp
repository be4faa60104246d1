// The insert-table, table and cell dialogs over a recording editor, driven without exec().
#include "editor/form_cell_prop.h"
#include "editor/form_table_prop.h"
#include "editor/insert_table_dlg.h"
#include "shell/messages.h"

#include "support/sim_process.h" // prints QStrings in failures

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class RecordingEditing : public TableEditing {
public:
    bool borders = true;
    QString table;                    // the table at the caret
    Capture capture;                  // what a capture gives
    std::optional<NewTable> inserted; // what was inserted
    std::optional<QString> newTable;  // what replaced the table
    std::optional<QString> newDocument;
    std::optional<QString> discarded;
    std::optional<bool> closedChanged;

    bool showBorders() override { return borders; }
    void setShowBorders(bool on) override { borders = on; }
    void insertTable(const NewTable &t) override { inserted = t; }
    void saveSelection() override {}
    QString tableAtCaret() override { return table; }
    void replaceTableAtCaret(const QString &html) override { newTable = html; }
    Capture captureSelection() override { return capture; }
    void replaceDocument(const QString &html) override { newDocument = html; }
    void discardCapture(const QString &captured) override { discarded = captured; }
    QString baseUrl() override { return u"file:///home/a/post.htm"_s; }
    void dialogClosed(bool changed) override { closedChanged = changed; }
};

struct Fixture {
    RecordingMessages messages;
    RecordingEditing editing;
    TableDialogServices services{messages,
                                 [](QWidget *, const QColor &) { return std::optional(QColor(255, 0, 0)); },
                                 [](QWidget *) { return u"/home/a/pics/b.gif"_s; }};
};

template<typename T> T *child(QWidget &dialog, const char *name) {
    T *found = dialog.findChild<T *>(QString::fromLatin1(name));
    EXPECT_TRUE(found) << name;
    return found;
}

void click(QWidget &dialog, const char *name) {
    child<QAbstractButton>(dialog, name)->click();
}

} // namespace

TEST(InsertTableDlg, OpensWithTheDefaultsAndChecksRowsAndColumns) {
    Fixture f;
    InsertTableDlg dialog(f.editing, f.services);
    EXPECT_EQ(dialog.windowTitle(), u"Insert Table"_s);
    EXPECT_EQ(child<QComboBox>(dialog, "ComboHoriz")->currentText(), u"Center"_s);
    EXPECT_EQ(child<QSpinBox>(dialog, "EditPadding")->text(), u"3"_s);
    EXPECT_TRUE(child<QCheckBox>(dialog, "CheckShowBorder")->isChecked());
    EXPECT_TRUE(child<QRadioButton>(dialog, "OptionWidthPct")->isChecked());
    EXPECT_FALSE(child<QCheckBox>(dialog, "CheckSetWidth")->isChecked());

    const struct {
        QString rows, cols, message;
    } refused[] = {
        {u"0"_s, u"2"_s, u"Please specify a positive integer for the number of table rows."_s},
        {u"-1"_s, u"2"_s, u"Please specify a positive integer for the number of table rows."_s},
        {u"abc"_s, u"2"_s, u"Please specify a positive integer for the number of table rows."_s},
        {u""_s, u"2"_s, u"Please specify a positive integer for the number of table rows."_s},
        {u"2"_s, u"0"_s, u"Please specify a positive integer for the number of table columns."_s},
        {u"2000"_s, u"2"_s, u"A table can have at most 500 rows: please specify a smaller number."_s},
        {u"2"_s, u"1e9"_s, u"A table can have at most 100 columns: please specify a smaller number."_s},
    };
    for (const auto &c : refused) {
        SCOPED_TRACE(c.rows.toStdString() + " x " + c.cols.toStdString());
        child<QLineEdit>(dialog, "Rows")->setText(c.rows);
        child<QLineEdit>(dialog, "Cols")->setText(c.cols);
        click(dialog, "OkCmd");
        EXPECT_EQ(f.messages.last(), c.message);
        EXPECT_FALSE(f.editing.inserted);
        EXPECT_EQ(dialog.result(), 0);
    }

    child<QLineEdit>(dialog, "Rows")->setText(u"   3"_s);
    child<QLineEdit>(dialog, "Cols")->setText(u"4"_s);
    child<QLineEdit>(dialog, "TableCaption")->setText(u"Prices"_s);
    child<QLineEdit>(dialog, "EditWidth")->setText(u"50"_s); // ticks "Set Width"
    child<QComboBox>(dialog, "ComboHoriz")->setCurrentIndex(1);
    click(dialog, "Command2"); // the chooser answers red
    child<QCheckBox>(dialog, "CheckShowBorder")->setChecked(false);
    click(dialog, "OkCmd");
    ASSERT_TRUE(f.editing.inserted);
    EXPECT_EQ(f.editing.inserted->rows, 3);
    EXPECT_EQ(f.editing.inserted->columns, 4);
    EXPECT_EQ(f.editing.inserted->caption, u"Prices"_s);
    EXPECT_EQ(f.editing.inserted->attributes,
              u" WIDTH=50% ALIGN=LEFT BORDER=0 CELLPADDING=3 CELLSPACING=0 BGCOLOR=#FF0000"_s);
    EXPECT_FALSE(f.editing.borders);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(FormTableProp, ShowsTheTableAndRewritesItsTag) {
    Fixture f;
    f.editing.table =
        u"<table width=\"80%\" align=\"middle\" bgcolor=\"#00ff00\" border=\"1\"><tr><td>x</td></tr></table>"_s;
    {
        FormTableProp dialog(f.editing, f.services);
        EXPECT_EQ(child<QComboBox>(dialog, "ComboHoriz")->currentText(), u"Center"_s);
        EXPECT_EQ(child<QLineEdit>(dialog, "EditWidth")->text(), u"80"_s);
        EXPECT_TRUE(child<QRadioButton>(dialog, "OptionWidthPct")->isChecked());
        EXPECT_TRUE(child<QCheckBox>(dialog, "CheckSetBkColor")->isChecked());
        EXPECT_EQ(child<QSpinBox>(dialog, "EditPadding")->text(), u""_s);
        child<QCheckBox>(dialog, "CheckSetBkColor")->setChecked(false);
        click(dialog, "OkCmd");
        EXPECT_EQ(f.editing.newTable,
                  u"<table width=80% align=CENTER  border=1><tr><td>x</td></tr></table>"_s);
        EXPECT_EQ(f.editing.closedChanged, true);
    }
    FormTableProp dialog(f.editing, f.services);
    child<QLineEdit>(dialog, "EditHeight")->setText(u"tall"_s);
    click(dialog, "OkCmd");
    EXPECT_EQ(f.messages.last(), u"You must specify a valid height for the table."_s);
    EXPECT_EQ(dialog.result(), 0);
    click(dialog, "OptionHeightPct"); // sets 100
    click(dialog, "Command1");        // the image chooser
    click(dialog, "OkCmd");
    EXPECT_TRUE(f.editing.newTable->startsWith(u"<table width=80% align=CENTER bgcolor=#00ff00 border=1 "
                                               "HEIGHT=100% BACKGROUND=pics/b.gif>"_s))
        << f.editing.newTable->toStdString();
}

TEST(FormCellProp, ScopesCaptionsAndTheDocument) {
    Fixture f;
    const QString document =
        u"<table><tr><td valign=center nowrap>a</td><td width=\"30\">b</td></tr></table>"_s;
    f.editing.capture = {document, int(document.indexOf(u"a</td>"_s)) + 2};
    const struct {
        CellScope scope;
        QString caption;
        bool widthOffered, heightOffered, rowSpanOffered, colSpanOffered;
        QString expected;
    } cases[] = {
        {CellScope::Cell, u"Cell Properties"_s, true, true, true, true,
         u"<table><tr><td valign=MIDDLE nowrap BGCOLOR=#FF0000>a</td><td width=\"30\">b</td></tr></table>"_s},
        {CellScope::Row, u"Row Properties"_s, false, true, false, true,
         u"<table><tr><td valign=MIDDLE nowrap BGCOLOR=#FF0000>a</td><td width=\"30\" BGCOLOR=#FF0000 "
         "VALIGN=MIDDLE NOWRAP>b</td></tr></table>"_s},
        {CellScope::Column, u"Column Properties"_s, true, false, true, false,
         u"<table><tr><td valign=MIDDLE nowrap BGCOLOR=#FF0000>a</td><td width=\"30\">b</td></tr></table>"_s},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.caption.toStdString());
        f.editing.newDocument.reset();
        FormCellProp dialog(c.scope, f.editing, f.services);
        EXPECT_EQ(dialog.windowTitle(), c.caption);
        EXPECT_EQ(child<QComboBox>(dialog, "ComboVert")->currentText(), u"Middle"_s);
        EXPECT_TRUE(child<QCheckBox>(dialog, "CheckNoWrap")->isChecked());
        EXPECT_EQ(child<QWidget>(dialog, "EditWidth")->isEnabled(), c.widthOffered);
        EXPECT_EQ(child<QWidget>(dialog, "EditHeight")->isEnabled(), c.heightOffered);
        EXPECT_EQ(child<QWidget>(dialog, "EditRowSpan")->isEnabled(), c.rowSpanOffered);
        EXPECT_EQ(child<QWidget>(dialog, "EditColSpan")->isEnabled(), c.colSpanOffered);
        click(dialog, "Command2");
        click(dialog, "OkCmd");
        EXPECT_EQ(f.editing.newDocument, c.expected);
    }

    FormCellProp dialog(CellScope::Cell, f.editing, f.services);
    f.editing.newDocument.reset();
    child<QLineEdit>(dialog, "EditWidth")->setText(u"-3"_s);
    click(dialog, "OkCmd");
    EXPECT_EQ(f.messages.last(), u"You must specify a valid width for the table cell."_s);
    click(dialog, "CancelCmd");
    EXPECT_FALSE(f.editing.newDocument);
    EXPECT_EQ(f.editing.discarded, document);
    EXPECT_EQ(f.editing.closedChanged, false);

    f.editing.capture = {u"<p>no table</p>"_s, 3};
    FormCellProp outside(CellScope::Row, f.editing, f.services);
    click(outside, "OkCmd");
    EXPECT_FALSE(f.editing.newDocument);
    EXPECT_EQ(outside.result(), QDialog::Accepted);
}
