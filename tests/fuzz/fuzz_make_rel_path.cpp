// Relative paths over any pair of paths: nothing crashes or hangs, and for plain Linux paths the
// result, followed from the base's folder, leads to the target.
#include "fuzz_checks.h"

#include "editor/make_rel_path.h"

#include <QDir>

// Input: the target, a byte 1, the base.
void checkInput(const QByteArray &bytes) {
    const QStringList parts = QString::fromUtf8(bytes).split(QChar(1));
    const QString &target = parts[0];
    const QString base = parts.value(1);
    const QString result = MakeRelPathRel(target, base);

    // Absolute Linux paths, no network path, no "." names, ":" or "\".
    const auto plain = [](const QString &path) {
        return path.startsWith(u'/') && !path.startsWith(QLatin1String("//")) && !path.contains(u'.') &&
               !path.contains(u':') && !path.contains(u'\\');
    };
    if (plain(target) && plain(base) && !result.startsWith(u'/')) {
        const QString folder = base.left(base.lastIndexOf(u'/'));
        FUZZ_CHECK(QDir::cleanPath(folder + u'/' + result) == QDir::cleanPath(target));
    }
}
