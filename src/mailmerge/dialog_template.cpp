#include "mailmerge/dialog_template.h"

#include "base/messages.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPushButton *namedButton(const char *name, const QString &caption, QWidget *parent) {
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

// Courier New where it is installed, else the system's fixed-width font: the ruler must line up.
QFont fixedFont() {
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    if (!QFontInfo(font).fixedPitch())
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    return font;
}

// Removing leading blanks leaves nothing.
bool isBlank(const QString &text) {
    return text.trimmed().isEmpty();
}

} // namespace

DialogTemplate::DialogTemplate(Parts parts, QWidget *parent)
    : QDialog(parent)
    , m_parts(std::move(parts))
    , m_name(new QComboBox(this))
    , m_subject(new QLineEdit(this))
    , m_body(new QPlainTextEdit(this)) {
    setObjectName(QStringLiteral("DialogTemplate"));
    setWindowTitle(QStringLiteral("Email Template"));
    m_name->setObjectName(QStringLiteral("Combo1"));
    m_name->setEditable(true);
    m_name->setInsertPolicy(QComboBox::NoInsert);
    m_subject->setObjectName(QStringLiteral("Text1"));
    m_body->setObjectName(QStringLiteral("Text2"));
    m_body->setLineWrapMode(QPlainTextEdit::NoWrap);
    const QFont fixed = fixedFont();
    m_subject->setFont(fixed);
    m_body->setFont(fixed);

    // The ruler over the body keeps lines within 66 columns.
    auto *rulerTens =
        new QLabel(QStringLiteral("0         1         2         3         4         5         6 "), this);
    rulerTens->setObjectName(QStringLiteral("LabelRuler1"));
    auto *rulerUnits = new QLabel(
        QStringLiteral("012345678901234567890123456789012345678901234567890123456789012345"), this);
    rulerUnits->setObjectName(QStringLiteral("LabelRuler2"));
    for (QLabel *ruler : {rulerTens, rulerUnits}) {
        ruler->setFont(fixed);
        ruler->setContentsMargins(m_body->frameWidth() + int(m_body->document()->documentMargin()), 0, 0, 0);
    }
    const int columns72 = QFontMetrics(fixed).horizontalAdvance(QString(72, u'0'));
    m_body->setMinimumSize(columns72 + 2 * m_body->frameWidth() + 24, 260);

    auto *save = namedButton("OKButton", QStringLiteral("&Save"), this);
    auto *close = namedButton("CancelButton", QStringLiteral("&Close"), this);
    auto *newTemplate = namedButton("Command1", QStringLiteral("&New Template"), this);
    auto *capture = namedButton("Command3", QStringLiteral("Capture from Form <<  "), this);
    auto *insert = namedButton("Command4", QStringLiteral("Insert to Form >> "), this);
    auto *help = namedButton("Command2", QStringLiteral("&Help"), this);
    save->setDefault(false);
    save->setAutoDefault(false);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Template &name:"), m_name);
    form->addRow(QStringLiteral("S&ubject:"), m_subject);
    auto *body = new QVBoxLayout;
    body->setSpacing(0);
    body->addWidget(rulerTens);
    body->addWidget(rulerUnits);
    body->addWidget(m_body, 1);
    auto *transfer = new QHBoxLayout;
    transfer->addWidget(capture);
    transfer->addWidget(insert);
    transfer->addStretch(1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(newTemplate);
    buttons->addWidget(help);
    buttons->addStretch(1);
    buttons->addWidget(save);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(transfer);
    auto *bodyLabel = new QLabel(QStringLiteral("&Body:"), this);
    bodyLabel->setBuddy(m_body);
    layout->addWidget(bodyLabel);
    layout->addLayout(body, 1);
    layout->addLayout(buttons);

    connect(m_subject, &QLineEdit::textEdited, this, [this] { m_changed = true; });
    connect(m_body, &QPlainTextEdit::textChanged, this, [this] { m_changed = true; });
    connect(save, &QPushButton::clicked, this, &DialogTemplate::OKButton_Click);
    connect(close, &QPushButton::clicked, this, &DialogTemplate::reject);
    connect(newTemplate, &QPushButton::clicked, this, &DialogTemplate::Command1_Click);
    connect(capture, &QPushButton::clicked, this, &DialogTemplate::Command3_Click);
    connect(insert, &QPushButton::clicked, this, &DialogTemplate::Command4_Click);
    connect(help, &QPushButton::clicked, this, [this] { m_parts.showHelp(); });

    for (const QString &name : std::as_const(m_parts.names)) {
        if (!name.isEmpty())
            m_name->addItem(name);
    }
    m_name->setCurrentIndex(-1);
    if (m_parts.selected >= 0 && m_parts.selected < m_name->count()) {
        m_name->setCurrentIndex(m_parts.selected);
        loadTemplate(m_name->currentText());
    }
    // Choosing another entry loads it, once unsaved changes have been dealt with.
    connect(m_name, &QComboBox::activated, this, [this](int index) {
        const QString chosen = m_name->itemText(index);
        if (offerToSave())
            loadTemplate(chosen);
    });
}

QString DialogTemplate::saveQuestion() {
    return QStringLiteral("Do you want to save your changes to this email template?");
}

QString DialogTemplate::noSubjectMessage() {
    return QStringLiteral("You must specify a subject.");
}

QString DialogTemplate::noBodyMessage() {
    return QStringLiteral("You must enter some body text.");
}

TemplateFile::Template DialogTemplate::fields() const {
    return {m_subject->text(), m_body->toPlainText()};
}

void DialogTemplate::setFields(const TemplateFile::Template &value) {
    m_subject->setText(value.subject);
    m_body->setPlainText(QString(value.body).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    m_changed = false;
}

bool DialogTemplate::loadTemplate(const QString &fileName) {
    const TemplateFile::ReadResult read = TemplateFile::read(QDir(m_parts.folder).filePath(fileName));
    if (!read.value) {
        m_parts.messages.inform(TemplateFile::readErrorMessage(read.error, fileName));
        return false;
    }
    m_name->setEditText(fileName);
    setFields(*read.value);
    return true;
}

bool DialogTemplate::OKButton_Click() {
    const QString name = m_name->currentText();
    const TemplateFile::NameError nameError = TemplateFile::checkName(name);
    if (nameError != TemplateFile::NameError::None) {
        m_parts.messages.inform(TemplateFile::nameErrorMessage(nameError));
        m_name->setFocus();
        return false;
    }
    if (isBlank(m_subject->text())) {
        m_parts.messages.inform(noSubjectMessage());
        m_subject->setFocus();
        return false;
    }
    if (isBlank(m_body->toPlainText())) {
        m_parts.messages.inform(noBodyMessage());
        m_body->setFocus();
        return false;
    }
    const QString fileName = TemplateFile::fileName(name);
    const QString error = TemplateFile::write(QDir(m_parts.folder).filePath(fileName), fields());
    if (!error.isEmpty()) {
        m_parts.messages.inform(
            QStringLiteral("The email template could not be saved (%1). Your text is still in the window.")
                .arg(error));
        return false;
    }
    if (m_name->findText(fileName, Qt::MatchFixedString | Qt::MatchCaseSensitive) < 0) {
        m_name->addItem(fileName);
        m_parts.templateSaved(fileName);
    }
    m_name->setEditText(fileName);
    m_changed = false;
    return true;
}

bool DialogTemplate::offerToSave() {
    if (!m_changed)
        return true;
    switch (m_parts.messages.ask(saveQuestion(), Messages::Buttons::YesNoCancel, Messages::Answer::Yes)) {
    case Messages::Answer::Yes:
        return OKButton_Click();
    case Messages::Answer::No:
        m_changed = false;
        return true;
    default:
        return false;
    }
}

void DialogTemplate::Command1_Click() {
    if (!offerToSave())
        return;
    m_name->setCurrentIndex(-1);
    m_name->setEditText(QString());
    setFields({});
    m_name->setFocus();
}

void DialogTemplate::Command3_Click() {
    if (const std::optional<TemplateFile::Template> captured = m_parts.captureFromForm()) {
        m_subject->setText(captured->subject);
        m_body->setPlainText(captured->body);
        m_changed = true;
    }
}

void DialogTemplate::Command4_Click() {
    TemplateFile::Template value = fields();
    value.body.replace(u'\n', QStringLiteral("\r\n"));
    m_parts.insertToForm(value);
    if (offerToSave())
        close();
}

void DialogTemplate::reject() {
    if (m_closing || offerToSave()) {
        m_closing = true;
        QDialog::reject();
    }
}

void DialogTemplate::closeEvent(QCloseEvent *event) {
    if (!m_closing && !offerToSave()) {
        event->ignore();
        return;
    }
    m_closing = true;
    QDialog::closeEvent(event);
}
