#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// Which message check boxes of the web-mail message list end up ticked. Every rule takes the
// boxes in page order and gives their new states; a box a rule does not choose keeps its state.
namespace InboxTicks {

// Ticks every box between two ticked ones, so ticking the first and the last message of a run
// ticks the run. A box directly after the opening one does not close a run that has filled
// nothing yet, and an opening box without a closing one ticks to the end of the list.
std::vector<bool> tickRange(std::vector<bool> ticked);

struct MessageRow {
    QString sender;
    QString subject;
    bool unread = false;
    bool ticked = false;
};

// The tick states of the rows, in order.
std::vector<bool> ticksOf(const std::vector<MessageRow> &rows);

// Ticks the unread messages: all of them, or the first `limit` when `limit` is above 0.
std::vector<bool> tickUnread(const std::vector<MessageRow> &rows, int limit);

struct SpamRules {
    QStringList keywords;    // matched anywhere in the sender or the subject, in any case
    bool nonEnglish = false; // three or more letters outside the Latin script make spam
    bool onlyUnread = false; // read messages are never spam
};
bool isSpam(const MessageRow &row, const SpamRules &rules);
std::vector<bool> tickSpam(const std::vector<MessageRow> &rows, const SpamRules &rules);

// Letters of `text` that belong to a script other than Latin (Cyrillic, Greek, Han, ...).
int nonLatinLetters(const QString &text);

} // namespace InboxTicks
