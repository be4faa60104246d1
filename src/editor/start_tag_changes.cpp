#include "editor/start_tag_changes.h"

namespace StartTagChanges {

namespace {

bool isAsciiLetter(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// Where the start tags of `text` begin.
std::vector<qsizetype> tagStarts(const QString &text) {
    std::vector<qsizetype> starts;
    for (qsizetype at = text.indexOf(u'<'); at >= 0; at = text.indexOf(u'<', at + 1)) {
        if (at + 1 < text.size() && isAsciiLetter(text[at + 1]))
            starts.push_back(at);
    }
    return starts;
}

// The text from the `i`th start tag of `text` to the next one, or to the end.
QStringView segment(const QString &text, const std::vector<qsizetype> &starts, size_t i) {
    const qsizetype end = i + 1 < starts.size() ? starts[i + 1] : text.size();
    return QStringView(text).sliced(starts[i], end - starts[i]);
}

} // namespace

std::optional<std::vector<Change>> between(const QString &before, const QString &after) {
    const std::vector<qsizetype> then = tagStarts(before), now = tagStarts(after);
    if (then.size() != now.size() || (!then.empty() && (then[0] != 0 || now[0] != 0)))
        return std::nullopt;
    std::vector<Change> changes;
    for (size_t i = 0; i < then.size(); ++i) {
        const QStringView part = segment(before, then, i), partNow = segment(after, now, i);
        if (part == partNow)
            continue;
        const qsizetype close = part.indexOf(u'>'), closeNow = partNow.indexOf(u'>');
        if (close < 0 || closeNow < 0 || part.sliced(close) != partNow.sliced(closeNow))
            return std::nullopt;
        changes.push_back({int(i), part.first(close + 1).toString(), partNow.first(closeNow + 1).toString()});
    }
    return changes;
}

} // namespace StartTagChanges
