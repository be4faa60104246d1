#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

// The record of one merge (one message on one address book), which is also what a later run
// resumes from. Each send adds a line before the form is submitted and another once the run knows
// how the service took it:
//
//   sending<TAB>row<TAB>address
//   sent<TAB>row<TAB>address       the service answered with a successful page
//   unknown<TAB>row<TAB>address    the answer failed or never came: the email may or may not
//                                  have arrived
//   refused<TAB>row<TAB>address<TAB>then<TAB>words
//                                  the service answered that it did not send it (a recipient
//                                  it refused), in its own words; then: "went on" with the next
//                                  address, or "stopped" the run
//
// Lines end with CR LF. A line cut short by a crash, or any line not of these forms, is ignored.
// A refused address counts as not sent: a later run sends to it again.
namespace MergeLog {

struct Entry {
    int row = 0; // the book's contact row, counted from 0
    QString address;
    friend bool operator==(const Entry &, const Entry &) = default;
};

struct State {
    std::vector<Entry> confirmed; // the service answered: sent
    // Submitted (or about to be) and never confirmed: the answer failed or never came, or the run
    // was killed on its way. Once an email is confirmed it is never unknown again.
    std::vector<Entry> unknown;
    bool isConfirmed(const QString &address) const;
    bool isUnknown(const QString &address) const;
};

QByteArray sendingLine(const Entry &entry);
QByteArray sentLine(const Entry &entry);
QByteArray unknownLine(const Entry &entry);
enum class AfterRefusal { GoOn, Stop };
QByteArray refusedLine(const Entry &entry, AfterRefusal then, const QString &words);
State parse(const QByteArray &bytes);

// What the user chose for a run of a merge that an earlier run left in the log.
struct Resume {
    bool skipSent = true;          // the addresses the service confirmed are left out
    bool sendUnknownAgain = false; // the addresses whose email is unknown are sent again
};

// Whether a run leaves `address` out. An address that has no email yet is always sent; a
// confirmed one only when the user chose to send everything again; an unknown one only when the
// user chose so, since it may have arrived.
bool skips(const State &state, const QString &address, const Resume &resume);

// The log's file name, the same for the same book and message: a hash of the book's path and
// the message's subject and body.
QString fileName(const QString &bookPath, const QString &subject, const QString &body);

} // namespace MergeLog
