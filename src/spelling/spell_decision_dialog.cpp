#include "spelling/spell_decision_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {
// Room between the word and the dialog's edge.
constexpr int gap = 12;
} // namespace

QPoint dialogPositionAwayFrom(const QSize &size, const QRect &word, const QRect &screen) {
    int y = word.center().y() < screen.center().y() ? word.bottom() + gap : word.top() - gap - size.height();
    int x = word.center().x() - size.width() / 2;
    x = std::clamp(x, screen.left(), std::max(screen.left(), screen.right() - size.width()));
    y = std::clamp(y, screen.top(), std::max(screen.top(), screen.bottom() - size.height()));
    return {x, y};
}

SpellDecisionDialog::SpellDecisionDialog(QWidget *parent)
    : QDialog(parent)
    , m_misspell(new QLineEdit(this))
    , m_replaceWith(new QLineEdit(this))
    , m_suggestList(new QListWidget(this))
    , m_customs(new QComboBox(this))
    , m_addTo(new QPushButton(QStringLiteral("&Add"), this))
    , m_change(new QPushButton(QStringLiteral("&Change"), this))
    , m_ignore(new QPushButton(QStringLiteral("&Ignore"), this)) {
    setObjectName(QStringLiteral("SpellDecisionDialog"));
    setWindowTitle(QStringLiteral("Spelling"));
    m_misspell->setObjectName(QStringLiteral("Misspell"));
    m_misspell->setReadOnly(true);
    m_replaceWith->setObjectName(QStringLiteral("ReplaceWith"));
    m_suggestList->setObjectName(QStringLiteral("SuggestList"));
    m_customs->setObjectName(QStringLiteral("Customs"));
    m_addTo->setObjectName(QStringLiteral("AddTo"));
    m_change->setObjectName(QStringLiteral("Change"));
    m_ignore->setObjectName(QStringLiteral("Ignore"));

    auto *grid = new QGridLayout;
    auto label = [this](const char *text, QWidget *buddy) {
        auto *l = new QLabel(QString::fromLatin1(text), this);
        l->setBuddy(buddy);
        return l;
    };
    grid->addWidget(label("Not in dictionary:", m_misspell), 0, 0);
    grid->addWidget(m_misspell, 0, 1);
    grid->addWidget(label("C&hange to:", m_replaceWith), 1, 0);
    grid->addWidget(m_replaceWith, 1, 1);
    grid->addWidget(label("&Suggestions:", m_suggestList), 2, 0, Qt::AlignTop);
    grid->addWidget(m_suggestList, 2, 1);
    grid->addWidget(label("Custom &dictionary:", m_customs), 3, 0);
    grid->addWidget(m_customs, 3, 1);

    auto *buttons = new QVBoxLayout;
    auto add = [this, buttons](QPushButton *button, SpellEngine::Decision decision) {
        buttons->addWidget(button);
        connect(button, &QPushButton::clicked, this, [this, decision] { decide(decision); });
    };
    auto make = [this](const char *text, const char *name) {
        auto *button = new QPushButton(QString::fromLatin1(text), this);
        button->setObjectName(QString::fromLatin1(name));
        return button;
    };
    add(m_ignore, SpellEngine::Decision::Ignore);
    add(make("I&gnore All", "IgnoreAll"), SpellEngine::Decision::IgnoreAll);
    add(m_change, SpellEngine::Decision::Change);
    add(make("Change A&ll", "ChangeAll"), SpellEngine::Decision::ChangeAll);
    add(m_addTo, SpellEngine::Decision::Add);
    buttons->addStretch(1);
    add(make("Cancel", "Cancel"), SpellEngine::Decision::Cancel);

    auto *layout = new QHBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addLayout(buttons);

    connect(m_suggestList, &QListWidget::currentTextChanged, this, [this](const QString &text) {
        if (m_suggestList->isEnabled())
            m_replaceWith->setText(text);
    });
    connect(m_suggestList, &QListWidget::itemDoubleClicked, this,
            [this] { decide(SpellEngine::Decision::Change); });
    // Closing the window is a cancel.
    connect(this, &QDialog::rejected, this, [this] { m_answer = {SpellEngine::Decision::Cancel, {}}; });
    resize(480, 260);
}

void SpellDecisionDialog::fill(SpellEngine &engine) {
    const QString word = engine.misspelledWord();
    const QStringList suggestions = engine.suggestions();
    m_misspell->setText(word);
    m_suggestList->clear();
    m_suggestList->setEnabled(!suggestions.isEmpty());
    if (suggestions.isEmpty()) {
        m_suggestList->addItem(QStringLiteral("[No suggestions]"));
        m_replaceWith->setText(word);
    } else {
        m_suggestList->addItems(suggestions);
        m_suggestList->setCurrentRow(0);
    }
    m_customs->clear();
    const QString custom = engine.customDictionaryPath();
    m_customs->addItem(custom.isEmpty() ? QStringLiteral("(none)") : custom);
    m_addTo->setEnabled(engine.customDictionaryCount() > 0);
    (suggestions.isEmpty() ? m_ignore : m_change)->setDefault(true);
    m_replaceWith->setFocus();
    m_replaceWith->selectAll();
    m_answer = {};
}

void SpellDecisionDialog::placeAwayFrom(const QRect &word) {
    const QScreen *screen = QGuiApplication::screenAt(word.center());
    if (!screen)
        screen = this->screen();
    move(dialogPositionAwayFrom(frameGeometry().size(), word, screen->availableGeometry()));
}

void SpellDecisionDialog::decide(SpellEngine::Decision decision) {
    m_answer = {decision, m_replaceWith->text()};
    if (decision == SpellEngine::Decision::Cancel)
        reject();
    else
        accept();
}

SpellCheckRun::Ask SpellDecisionDialog::modalAsk(QWidget *parent) {
    return [parent](SpellEngine &engine, const QRect &wordPlace) {
        SpellDecisionDialog dialog(parent);
        dialog.fill(engine);
        dialog.placeAwayFrom(wordPlace);
        dialog.exec();
        return dialog.answer();
    };
}
