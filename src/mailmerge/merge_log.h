#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

// The record of one merge (one message on one address book), which is also what a later run
// resumes from. Each send adds a line before the form is submitted and another once the service
// has answered:
//
//   sending<TAB>row<TAB>address
//   sent<TAB>row<TAB>address
//
// Lines end with CR LF. A line cut short by a crash, or any line not of these forms, is ignored.
namespace MergeLog {

struct Entry {
    int row = 0; // the book's contact row, counted from 0
    QString address;
    friend bool operator==(const Entry &, const Entry &) = default;
};

struct State {
    std::vector<Entry> confirmed; // the service answered: sent
    std::vector<Entry> inFlight;  // submitted (or about to be) when the run ended, never confirmed
    bool isConfirmed(const QString &address) const;
};

QByteArray sendingLine(const Entry &entry);
QByteArray sentLine(const Entry &entry);
State parse(const QByteArray &bytes);

// The log's file name, the same for the same book and message: a hash of the book's path and
// the message's subject and body.
QString fileName(const QString &bookPath, const QString &subject, const QString &body);

} // namespace MergeLog
