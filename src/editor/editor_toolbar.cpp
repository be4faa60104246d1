#include "editor/editor_toolbar.h"

#include "base/themed_icon.h"

#include <QAction>
#include <QIcon>
#include <QKeySequence>

static void initToolbarResources() {
    Q_INIT_RESOURCE(editor);
}

namespace {

// How a button's keys are handled: by the program, or by the document itself (its editing keys).
enum class Keys { Program, Document };

struct Button {
    const char *key;
    const char *toolTip;
    const char *themeIcon;
    const char *keys; // its shortcut, shown in the tool tip; empty for none
    Keys handler;
    bool groupEnd; // a separator follows
};

// clang-format off
constexpr Button buttons[] = {
    {"new", "New Document", "document-new", "Ctrl+N", Keys::Program, false},
    {"open", "Open HTML File ", "document-open", "Ctrl+O", Keys::Program, false},
    {"save", "Save Blog as HTML File", "document-save", "Ctrl+S", Keys::Program, true},
    {"undo", "Undo", "edit-undo", "Ctrl+Z", Keys::Document, false},
    {"redo", "Redo", "edit-redo", "Ctrl+Y", Keys::Program, false},
    {"cut", "Cut", "edit-cut", "Ctrl+X", Keys::Document, false},
    {"copy", "Copy", "edit-copy", "Ctrl+C", Keys::Document, false},
    {"paste", "Paste", "edit-paste", "Ctrl+V", Keys::Document, true},
    {"Bold", "Bold", "format-text-bold", "Ctrl+B", Keys::Document, false},
    {"Italic", "Italic", "format-text-italic", "Ctrl+I", Keys::Document, false},
    {"Underline", "Underline", "format-text-underline", "Ctrl+U", Keys::Document, false},
    {"Color", "Text Color", "format-text-color", "", Keys::Program, true},
    {"LeftJustify", "Justify Left", "format-justify-left", "", Keys::Program, false},
    {"Center", "Center", "format-justify-center", "", Keys::Program, false},
    {"RightJustify", "Justify Right", "format-justify-right", "", Keys::Program, true},
    {"Numbers", "Numbering", "format-list-ordered", "", Keys::Program, false},
    {"Bullets", "Bullet Points", "format-list-unordered", "", Keys::Program, false},
    {"Outdent", "Decrease Indent", "format-indent-less", "", Keys::Program, false},
    {"Indent", "Increase Indent", "format-indent-more", "", Keys::Program, true},
    {"link", "Insert Hyperlink", "insert-link", "Ctrl+K", Keys::Program, false},
    {"image", "Insert Image", "insert-image", "", Keys::Program, false},
    {"table", "Insert Table", "insert-table", "", Keys::Program, true},
    {"spell", "Spell Check", "tools-check-spelling", "F7", Keys::Program, true},
    {"expand", "Expand Editor", "go-down", "", Keys::Program, false},
};
// clang-format on

QString withKeys(const QString &toolTip, const char *keys) {
    if (!*keys)
        return toolTip;
    return toolTip.trimmed() + QStringLiteral(" (") +
           QKeySequence(QString::fromLatin1(keys)).toString(QKeySequence::NativeText) + QLatin1Char(')');
}

} // namespace

EditorToolbar::EditorToolbar(QWidget *parent)
    : QToolBar(parent) {
    initToolbarResources();
    setObjectName(QStringLiteral("Toolbar3"));
    setIconSize(QSize(18, 18));
    setFloatable(false);
    setMovable(false);
    for (const Button &b : buttons) {
        const QString key = QString::fromLatin1(b.key);
        QAction *action = addAction(themedIcon(b.themeIcon), QString::fromLatin1(b.toolTip).trimmed());
        action->setObjectName(key);
        action->setToolTip(withKeys(QString::fromLatin1(b.toolTip), b.keys));
        if (*b.keys && b.handler == Keys::Program) {
            // Live wherever the focus is in the editor panel the buttons are added to.
            action->setShortcut(QKeySequence(QString::fromLatin1(b.keys)));
            action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        }
        connect(action, &QAction::triggered, this, [this, key] { emit buttonClicked(key); });
        if (b.groupEnd)
            addSeparator();
    }
    for (const char *latching :
         {"Bold", "Italic", "Underline", "LeftJustify", "Center", "RightJustify", "Numbers", "Bullets"})
        button(QString::fromLatin1(latching))->setCheckable(true);
}

QAction *EditorToolbar::button(const QString &key) const {
    return findChild<QAction *>(key, Qt::FindDirectChildrenOnly);
}

void EditorToolbar::setExpanded(bool expanded) {
    QAction *expand = button(QStringLiteral("expand"));
    expand->setToolTip(expanded ? QStringLiteral("Contract Editor") : QStringLiteral("Expand Editor"));
    expand->setIcon(themedIcon(expanded ? "go-up" : "go-down"));
}

void EditorToolbar::setInTable(bool inTable) {
    button(QStringLiteral("table"))
        ->setToolTip(inTable ? QStringLiteral("Table Properties") : QStringLiteral("Insert Table"));
}
