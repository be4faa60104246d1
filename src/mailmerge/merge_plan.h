#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <utility>
#include <vector>

// What a merge run is about to do: which rows of the book it sends to, and what the user should
// know before it starts. Rows are the book's contacts counted from 0 (the grid's row 1).
namespace MergePlan {

enum class Range { Selected, All };

struct Rows {
    int first = 0;
    int last = -1; // first > last: no rows
};

// "Only the selected addresses": the selection's first and last row, in ascending order
// (`selection` as the grid reports it, {-1, -1} when nothing is selected); "All addresses":
// every row.
Rows rowsFor(Range range, std::pair<int, int> selection, int rowCount);

// The open book as the merge reads it.
struct Book {
    QStringList titles; // plain titles, without the sort mark
    int emailColumn = -1;
    int rowCount = 0;
    std::function<QStringList(int row)> cells;
};

struct EmptyField {
    int row;
    QString field;
};

struct Check {
    std::vector<int> rowsToSend;         // rows with an address, not already sent
    std::vector<int> rowsWithoutAddress; // skipped: their e-mail cell is empty
    std::vector<int> rowsAlreadySent;    // skipped: a resumed run sent to them before
    QStringList unknownFields;           // fields no column title matches, each once
    std::vector<EmptyField> emptyFields; // used fields without a fallback that are empty in a row
};

// `alreadySent` tells whether a row was confirmed sent by an earlier run of the same merge.
Check check(const Book &book, Rows rows, const QString &subject, const QString &body,
            const std::function<bool(int row, const QString &address)> &alreadySent = {});

// The question Start asks before a run: the number of emails and what may be wrong. At most
// `listed` rows of each kind are named.
QString summary(const Check &check, int listed = 5);

} // namespace MergePlan
