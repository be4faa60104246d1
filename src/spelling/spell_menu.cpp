#include "spelling/spell_menu.h"

#include "spelling/spell_checker.h"

#include <QApplication>
#include <QChildEvent>
#include <QMenu>
#include <QPointer>
#include <QWebEngineContextMenuRequest>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace {

constexpr int maxSuggestions = 6;

} // namespace

SpellMenu::SpellMenu(SpellChecker &checker, QObject *parent)
    : QObject(parent)
    , m_checker(checker) {
    setObjectName(QStringLiteral("SpellMenu"));
    qApp->installEventFilter(this);
}

bool SpellMenu::eventFilter(QObject *watched, QEvent *event) {
    // A menu a view makes (the engine's own, the editor's) is its child, polished before it shows.
    if (event->type() == QEvent::ChildPolished) {
        auto *view = qobject_cast<QWebEngineView *>(watched);
        auto *menu = qobject_cast<QMenu *>(static_cast<QChildEvent *>(event)->child());
        if (view && menu && !menu->property("corvalisSpelling").toBool()) {
            menu->setProperty("corvalisSpelling", true);
            connect(menu, &QMenu::aboutToShow, this, [this, menu, view = QPointer<QWebEngineView>(view)] {
                if (view)
                    addEntries(*menu, *view);
            });
        }
    }
    return QObject::eventFilter(watched, event);
}

void SpellMenu::addEntries(QMenu &menu, QWebEngineView &view) {
    const QWebEngineContextMenuRequest *request = view.lastContextMenuRequest();
    if (!request || !request->isContentEditable() || !m_checker.underlines())
        return;
    const QString word = request->misspelledWord();
    if (word.isEmpty() || m_checker.menuSkips(word))
        return;
    // The page's own menu may list the web engine's suggestions: ours, ranked as the spelling
    // dialog's, stand in their place.
    const QStringList pageSuggestions = request->spellCheckerSuggestions();
    for (QAction *action : menu.actions()) {
        if (!action->isSeparator() && pageSuggestions.contains(action->text()))
            menu.removeAction(action);
    }
    const QStringList suggestions = m_checker.suggestionsFor(word, pageSuggestions).mid(0, maxSuggestions);
    QPointer<QWebEnginePage> page = view.page();
    QList<QAction *> entries;
    for (const QString &suggestion : suggestions) {
        auto *replace = new QAction(suggestion, &menu);
        QFont bold = replace->font();
        bold.setBold(true);
        replace->setFont(bold);
        connect(replace, &QAction::triggered, this, [page, suggestion] {
            if (page)
                page->replaceMisspelledWord(suggestion);
        });
        entries << replace;
    }
    if (suggestions.isEmpty()) {
        auto *none = new QAction(QStringLiteral("(No suggestions)"), &menu);
        none->setEnabled(false);
        entries << none;
    }
    auto *add = new QAction(QStringLiteral("&Add to Dictionary"), &menu);
    add->setObjectName(QStringLiteral("spellAdd"));
    connect(add, &QAction::triggered, this, [this, word] { m_checker.addWord(word); });
    auto *ignore = new QAction(QStringLiteral("&Ignore"), &menu);
    ignore->setObjectName(QStringLiteral("spellIgnore"));
    connect(ignore, &QAction::triggered, this, [this, word] { m_checker.ignoreWord(word); });
    entries << add << ignore;
    // At the top, one separator between these and the menu's own entries.
    const QList<QAction *> present = menu.actions();
    if (!present.isEmpty() && !present.front()->isSeparator()) {
        auto *separator = new QAction(&menu);
        separator->setSeparator(true);
        entries << separator;
    }
    menu.insertActions(present.value(0), entries);
}
