#include "editor/form_table_prop.h"

#include "editor/colour_choice.h"
#include "editor/image_choice.h"
#include "editor/size_choice.h"
#include "editor/table_format.h"
#include "editor/table_layout_group.h"
#include "shell/messages.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

FormTableProp::FormTableProp(TableEditing &editing, const TableDialogServices &services, QWidget *parent)
    : QDialog(parent)
    , m_editing(editing)
    , m_services(services)
    , m_layout(new TableLayoutGroup(this))
    , m_width(new SizeChoice(QStringLiteral("Set Width"),
                             {"CheckSetWidth", "EditWidth", "OptionWidthPct", "OptionWidthPix"}, this))
    , m_height(new SizeChoice(QStringLiteral("Set Height"),
                              {"CheckSetHeight", "EditHeight", "OptionHeightPct", "OptionHeightPix"}, this))
    , m_background(new ColourChoice(QStringLiteral("Set Background Color:"),
                                    {"CheckSetBkColor", "ShapeBkColor", "Command2"}, services, this))
    , m_borderColour(new ColourChoice(QStringLiteral("Set Border Color:"),
                                      {"CheckSetBorderColor", "ShapeBorderColor", "Command3"}, services,
                                      this))
    , m_image(new ImageChoice(services, this)) {
    setObjectName(QStringLiteral("FormTableProp"));
    setWindowTitle(QStringLiteral("Table Properties"));

    auto *size = new QGroupBox(QStringLiteral("Size"), this);
    auto *sizeLayout = new QVBoxLayout(size);
    sizeLayout->addWidget(m_width);
    sizeLayout->addWidget(m_height);
    for (SizeChoice *choice : {m_width, m_height}) {
        connect(choice->percent(), &QRadioButton::clicked, this,
                [choice] { choice->edit()->setText(QStringLiteral("100")); });
    }
    auto *colours = new QGroupBox(QStringLiteral("Colors and Background"), this);
    auto *colourLayout = new QVBoxLayout(colours);
    colourLayout->addWidget(m_background);
    colourLayout->addWidget(m_borderColour);
    colourLayout->addWidget(m_image);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OkCmd"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("CancelCmd"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_layout);
    layout->addWidget(size);
    layout->addWidget(colours);
    layout->addWidget(buttons);

    m_editing.saveSelection();
    m_tableWork = m_editing.tableAtCaret();
    const TableFormat format = TableFormatting::readTable(m_tableWork);
    m_layout->showFormat(format);
    m_width->setSize(format.width);
    m_height->setSize(format.height);
    m_background->setColour(format.background);
    m_borderColour->setColour(format.borderColour);
    m_image->setImage(format.image);
    m_layout->showBorder()->setChecked(m_editing.showBorders());
}

void FormTableProp::accept() {
    bool changed = false;
    if (!m_tableWork.isEmpty()) {
        TableFormat format;
        m_layout->takeFormat(format);
        format.width = m_width->size();
        format.height = m_height->size();
        format.background = m_background->colour();
        format.borderColour = m_borderColour->colour();
        format.image = m_image->image(m_editing.baseUrl());
        TagFormat::SizeError error;
        const QString table = TableFormatting::rewriteTable(m_tableWork, format, &error);
        if (error != TagFormat::SizeError::None) {
            const bool width = error == TagFormat::SizeError::Width;
            m_services.messages.inform(QStringLiteral("You must specify a valid %1 for the table.")
                                           .arg(width ? QStringLiteral("width") : QStringLiteral("height")));
            (width ? m_width : m_height)->edit()->setFocus();
            return;
        }
        m_editing.replaceTableAtCaret(table);
        m_editing.setShowBorders(m_layout->showBorder()->isChecked());
        changed = true;
    }
    QDialog::accept();
    m_editing.dialogClosed(changed);
}

void FormTableProp::reject() {
    QDialog::reject();
    m_editing.dialogClosed(false);
}
