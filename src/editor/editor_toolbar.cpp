#include "editor/editor_toolbar.h"

#include <QAction>
#include <QFont>
#include <QIcon>
#include <QPainter>
#include <QPixmap>

namespace {

struct Button {
    const char *key;
    const char *toolTip;
    const char *themeIcon;
    const char *glyph; // drawn when the theme has no icon
    bool groupEnd;     // a separator follows
};

// clang-format off
constexpr Button buttons[] = {
    {"open", "Open HTML File ", "document-open", "Op", false},
    {"save", "Save Blog as HTML File", "document-save", "Sv", true},
    {"cut", "Cut", "edit-cut", "Ct", false},
    {"copy", "Copy", "edit-copy", "Cp", false},
    {"paste", "Paste", "edit-paste", "Ps", true},
    {"Bold", "Bold", "format-text-bold", "B", false},
    {"Italic", "Italic", "format-text-italic", "I", false},
    {"Underline", "Underline", "format-text-underline", "U", false},
    {"Color", "Text Color", "format-text-color", "A", true},
    {"LeftJustify", "Justify Left", "format-justify-left", "\u2590L", false},
    {"Center", "Center", "format-justify-center", "\u2261", false},
    {"RightJustify", "Justify Right", "format-justify-right", "R\u258C", true},
    {"Numbers", "Numbering", "format-list-ordered", "1.", false},
    {"Bullets", "Bullet Points", "format-list-unordered", "\u2022", false},
    {"Outdent", "Decrease Indent", "format-indent-less", "\u21E4", false},
    {"Indent", "Increase Indent", "format-indent-more", "\u21E5", true},
    {"link", "Insert Hyperlink", "insert-link", "Ln", false},
    {"image", "Insert Image", "insert-image", "Im", false},
    {"table", "Insert Table", "insert-table", "Tb", true},
    {"spell", "Spell Check", "tools-check-spelling", "Sp", true},
    {"expand", "Expand Editor", "go-down", "\u21F3", false},
};
// clang-format on

QIcon glyphIcon(const QString &glyph, const QString &key) {
    QPixmap pixmap(22, 22);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    QFont font = painter.font();
    font.setPixelSize(glyph.size() > 1 ? 10 : 15);
    font.setBold(key == QLatin1String("Bold"));
    font.setItalic(key == QLatin1String("Italic"));
    font.setUnderline(key == QLatin1String("Underline"));
    painter.setFont(font);
    painter.setPen(key == QLatin1String("Color") ? QColor(Qt::red) : QColor(Qt::black));
    painter.drawText(pixmap.rect(), Qt::AlignCenter, glyph);
    return QIcon(pixmap);
}

} // namespace

EditorToolbar::EditorToolbar(QWidget *parent)
    : QToolBar(parent) {
    setObjectName(QStringLiteral("Toolbar3"));
    setIconSize(QSize(18, 18));
    setFloatable(false);
    setMovable(false);
    for (const Button &b : buttons) {
        const QString key = QString::fromLatin1(b.key);
        const QIcon themed = QIcon::fromTheme(QString::fromLatin1(b.themeIcon));
        QAction *action = addAction(themed.isNull() ? glyphIcon(QString::fromUtf8(b.glyph), key) : themed,
                                    QString::fromLatin1(b.toolTip).trimmed());
        action->setObjectName(key);
        action->setToolTip(QString::fromLatin1(b.toolTip));
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
    const QIcon themed = QIcon::fromTheme(expanded ? QStringLiteral("go-up") : QStringLiteral("go-down"));
    if (!themed.isNull())
        expand->setIcon(themed);
}
