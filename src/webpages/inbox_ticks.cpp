#include "webpages/inbox_ticks.h"

namespace {

// So many foreign letters are needed before a message counts as written in another script; a
// name like "Zoë Łukasz" stays Latin, and one stray symbol is not enough.
constexpr int nonLatinThreshold = 3;

} // namespace

std::vector<bool> InboxTicks::tickRange(std::vector<bool> ticked) {
    // `filled` is never reset: only the first run can pass over a ticked box without closing.
    bool open = false;
    bool filled = false;
    for (size_t i = 0; i < ticked.size(); ++i) {
        if (ticked[i]) {
            if (!open)
                open = true;
            else if (filled)
                open = false;
        } else if (open) {
            ticked[i] = true;
            filled = true;
        }
    }
    return ticked;
}

std::vector<bool> InboxTicks::ticksOf(const std::vector<MessageRow> &rows) {
    std::vector<bool> ticked;
    ticked.reserve(rows.size());
    for (const MessageRow &row : rows)
        ticked.push_back(row.ticked);
    return ticked;
}

std::vector<bool> InboxTicks::tickUnread(const std::vector<MessageRow> &rows, int limit) {
    std::vector<bool> ticked = ticksOf(rows);
    int found = 0;
    for (size_t i = 0; i < rows.size() && (limit <= 0 || found < limit); ++i) {
        if (rows[i].unread) {
            ticked[i] = true;
            ++found;
        }
    }
    return ticked;
}

int InboxTicks::nonLatinLetters(const QString &text) {
    int count = 0;
    for (const char32_t c : text.toUcs4()) {
        if (QChar::isLetter(c) && QChar::script(c) != QChar::Script_Latin)
            ++count;
    }
    return count;
}

bool InboxTicks::isSpam(const MessageRow &row, const SpamRules &rules) {
    if (rules.onlyUnread && !row.unread)
        return false;
    for (const QString &keyword : rules.keywords) {
        if (!keyword.isEmpty() && (row.sender.contains(keyword, Qt::CaseInsensitive) ||
                                   row.subject.contains(keyword, Qt::CaseInsensitive)))
            return true;
    }
    return rules.nonEnglish &&
           nonLatinLetters(row.sender + QLatin1Char(' ') + row.subject) >= nonLatinThreshold;
}

std::vector<bool> InboxTicks::tickSpam(const std::vector<MessageRow> &rows, const SpamRules &rules) {
    std::vector<bool> ticked = ticksOf(rows);
    for (size_t i = 0; i < rows.size(); ++i) {
        if (isSpam(rows[i], rules))
            ticked[i] = true;
    }
    return ticked;
}
