#include "spelling/answer_body_dialog.h"

#include "base/messages.h"
#include "spelling/spell_checker.h"
#include "webpages/page_model.h"
#include "webpages/services/web_service.h"
#include "webpages/web_pane.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QVBoxLayout>

AnswerBodyDialog::Field AnswerBodyDialog::answerField(WebPane &page) {
    return {[&page] { return page.formFieldValue(PageModel::answerForm, PageModel::answerField); },
            [&page](const QString &text) {
                return page.setFormFieldValue(PageModel::answerForm, PageModel::answerField, text);
            }};
}

AnswerBodyDialog::Field AnswerBodyDialog::composeBody(WebPane &pane, const WebService &service) {
    return {[&pane, &service] { return service.composeValue(pane, WebService::ComposeField::Body); },
            [&pane, &service](const QString &text) {
                return service.setComposeValue(pane, WebService::ComposeField::Body, text);
            }};
}

AnswerBodyDialog::AnswerBodyDialog(SpellChecker &checker, Field field, const QString &text, QWidget *parent)
    : QDialog(parent)
    , m_checker(checker)
    , m_field(std::move(field))
    , m_text1(new QPlainTextEdit(this)) {
    setObjectName(QStringLiteral("vtshilit"));
    setWindowTitle(QStringLiteral("Spell Check Answer Body"));
    m_text1->setObjectName(QStringLiteral("Text1"));
    m_text1->setPlainText(text);
    auto button = [this](const char *caption, const char *name) {
        auto *b = new QPushButton(QString::fromLatin1(caption), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        return b;
    };
    QPushButton *check = button("S&pell Check", "CheckButton");
    QPushButton *done = button("&Save", "DoneButton");
    QPushButton *cancel = button("&Cancel", "Command1");
    connect(check, &QPushButton::clicked, this, &AnswerBodyDialog::CheckButton_Click);
    connect(done, &QPushButton::clicked, this, &AnswerBodyDialog::DoneButton_Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(check);
    buttons->addStretch(1);
    buttons->addWidget(done);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_text1, 1);
    layout->addLayout(buttons);
    resize(520, 300);
}

void AnswerBodyDialog::open(SpellChecker &checker, const std::vector<Field> &fields, QWidget *parent) {
    for (const Field &field : fields) {
        if (const std::optional<QString> text = field.read()) {
            AnswerBodyDialog dialog(checker, field, *text, parent);
            dialog.exec();
            return;
        }
    }
    checker.messages().inform(
        QStringLiteral("This page has no answer to spell check (field \"eda\" of form \"qaform\")."));
}

void AnswerBodyDialog::CheckButton_Click() {
    if (!m_checker.loadDictionaries())
        return;
    // The text box counts a line break as one character, as the checked text does.
    const auto stretch = [this](qsizetype offset, qsizetype length) {
        QTextCursor cursor = m_text1->textCursor();
        cursor.setPosition(int(offset));
        cursor.setPosition(int(offset + length), QTextCursor::KeepAnchor);
        return cursor;
    };
    const SpellCheckRun::Target target{
        [this, stretch](qsizetype offset, qsizetype length) {
            m_text1->setTextCursor(stretch(offset, length));
            const QRect rect = m_text1->cursorRect();
            return QRect(m_text1->viewport()->mapToGlobal(rect.topLeft()), rect.size());
        },
        [stretch](qsizetype offset, qsizetype length, const QString &replacement) {
            stretch(offset, length).insertText(replacement);
            return true;
        }};
    const auto outcome = m_checker.check(m_text1->toPlainText(), target, this);
    m_checker.messages().inform(outcome == SpellCheckRun::Outcome::Completed
                                    ? QStringLiteral("Spellcheck complete!")
                                    : QStringLiteral("Spell Check Canceled"));
}

void AnswerBodyDialog::DoneButton_Click() {
    if (!m_field.write(m_text1->toPlainText())) {
        m_checker.messages().inform(
            QStringLiteral("The answer cannot be written back: the page has changed."));
        return;
    }
    accept();
}
