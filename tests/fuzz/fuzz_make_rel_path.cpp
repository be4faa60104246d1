// Relative paths over any pair of paths: an empty target gives "", a web address comes back as it
// was, and for plain Linux paths the result, followed from the base's folder, leads to the target.
#include "fuzz_checks.h"

#include "editor/make_rel_path.h"

#include <QDir>

#include <cstdint>

// Input: the target up to the first byte 1, then the base.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QString input = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype split = input.indexOf(QChar(1));
    const QString target = split < 0 ? input : input.left(split);
    const QString base = split < 0 ? QString() : input.mid(split + 1);
    const QString result = MakeRelPathRel(target, base);

    if (target.isEmpty())
        FUZZ_CHECK(result.isEmpty());
    if (target.startsWith(QLatin1String("http://")))
        FUZZ_CHECK(result == target);
    // Absolute Linux paths, no network path, no "." names, ":" or "\".
    const auto plain = [](const QString &path) {
        return path.startsWith(u'/') && !path.startsWith(QLatin1String("//")) && !path.contains(u'.') &&
               !path.contains(u':') && !path.contains(u'\\');
    };
    if (plain(target) && plain(base) && !result.startsWith(u'/')) {
        const QString folder = base.left(base.lastIndexOf(u'/'));
        FUZZ_CHECK(QDir::cleanPath(folder + u'/' + result) == QDir::cleanPath(target));
    }
    return 0;
}
