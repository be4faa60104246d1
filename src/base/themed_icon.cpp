#include "base/themed_icon.h"

// The carried pictures live in this library's resources, which the linker keeps only when
// something names them.
static void registerCarriedIcons() {
    Q_INIT_RESOURCE(base);
}

QIcon themedIcon(const char *name) {
    static const bool registered = (registerCarriedIcons(), true);
    Q_UNUSED(registered);
    const QString themeName = QString::fromLatin1(name);
    return QIcon::fromTheme(themeName, QIcon(QStringLiteral(":/corvalis/icons/%1.svg").arg(themeName)));
}
