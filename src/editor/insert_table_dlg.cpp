#include "editor/insert_table_dlg.h"

#include "base/messages.h"
#include "editor/colour_choice.h"
#include "editor/dialog_parts.h"
#include "editor/size_choice.h"
#include "editor/table_format.h"
#include "editor/table_layout_group.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

InsertTableDlg::InsertTableDlg(TableEditing &editing, const TableDialogServices &services, QWidget *parent)
    : QDialog(parent)
    , m_editing(editing)
    , m_services(services)
    , m_rows(new QLineEdit(QStringLiteral("2"), this))
    , m_cols(new QLineEdit(QStringLiteral("2"), this))
    , m_caption(new QLineEdit(this))
    , m_width(new SizeChoice(QStringLiteral("Set Width"),
                             {"CheckSetWidth", "EditWidth", "OptionWidthPct", "OptionWidthPix"}, this))
    , m_layout(new TableLayoutGroup(this))
    , m_background(new ColourChoice(QStringLiteral("Set Background Color:"),
                                    {"CheckSetBkColor", "ShapeBkColor", "Command2"}, services, this))
    , m_borderColour(new ColourChoice(QStringLiteral("Set Border Color:"),
                                      {"CheckSetBorderColor", "ShapeBorderColor", "Command3"}, services,
                                      this)) {
    setObjectName(QStringLiteral("InsertTableDlg"));
    setWindowTitle(QStringLiteral("Insert Table"));
    m_rows->setObjectName(QStringLiteral("Rows"));
    m_cols->setObjectName(QStringLiteral("Cols"));
    m_caption->setObjectName(QStringLiteral("TableCaption"));

    auto *table = new QGroupBox(QStringLiteral("Table"), this);
    auto *form = new QFormLayout(table);
    form->addRow(QStringLiteral("Rows:"), m_rows);
    form->addRow(QStringLiteral("Columns:"), m_cols);
    form->addRow(QStringLiteral("Caption:"), m_caption);
    form->addRow(m_width);
    m_width->setSize({false, QStringLiteral("100"), true});

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(table);
    layout->addWidget(m_layout);
    layout->addWidget(DialogParts::group(QStringLiteral("Colors"), {m_background, m_borderColour}, this));
    layout->addWidget(DialogParts::okCancelButtons(this));

    TableFormat opening;
    opening.align = QStringLiteral("CENTER");
    m_layout->showFormat(opening);
    m_layout->showBorder()->setChecked(m_editing.showBorders());
    m_rows->selectAll();
}

bool InsertTableDlg::readCount(QLineEdit *edit, const QString &what, int maximum, int *count) {
    switch (TableFormatting::checkCount(edit->text(), maximum, count)) {
    case TableFormatting::CountCheck::Valid:
        return true;
    case TableFormatting::CountCheck::NotPositive:
        m_services.messages.inform(
            QStringLiteral("Please specify a positive integer for the number of table %1.").arg(what));
        break;
    case TableFormatting::CountCheck::TooMany:
        m_services.messages.inform(
            QStringLiteral("A table can have at most %1 %2: please specify a smaller number.")
                .arg(maximum)
                .arg(what));
        break;
    }
    edit->setFocus();
    edit->selectAll();
    return false;
}

void InsertTableDlg::accept() {
    TableEditing::NewTable table;
    if (!readCount(m_rows, QStringLiteral("rows"), TableFormatting::maxRows, &table.rows) ||
        !readCount(m_cols, QStringLiteral("columns"), TableFormatting::maxColumns, &table.columns))
        return;
    TableFormat format;
    format.width = m_width->size();
    m_layout->takeFormat(format);
    format.background = m_background->colour();
    format.borderColour = m_borderColour->colour();
    const std::optional<QString> attributes = TableFormatting::insertAttributes(format);
    if (!attributes) {
        m_services.messages.inform(QStringLiteral("You must specify a valid width for the table."));
        m_width->edit()->setFocus();
        return;
    }
    table.attributes = *attributes;
    table.caption = m_caption->text();
    m_editing.setShowBorders(m_layout->showBorder()->isChecked());
    m_editing.insertTable(table);
    QDialog::accept();
    m_editing.dialogClosed(true);
}
