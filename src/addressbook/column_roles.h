#pragma once

#include <QStringList>

class BookTable;

// Which columns of a book hold the first name, the last name and the e-mail address (-1 while
// not known), and the arrangement that puts them first.
struct ColumnRoles {
    int first = -1;
    int last = -1;
    int email = -1;

    // From the column titles, lower-cased: the first title containing "email" or "e-mail",
    // the first containing "first", the first containing "last".
    static ColumnRoles recognise(const QStringList &titles);
    // The same, except that when several titles mention e-mail the first of them whose column
    // holds an address (a cell with "@" and ".") is the e-mail column; the first stays when none does.
    static ColumnRoles recognise(const BookTable &table);

    // The column of the first cell, row by row from the left, that holds both "@" and ".";
    // the titles are scanned when the table has no rows. -1 when there is none.
    static int scanForEmail(const BookTable &table);

    // Moves the first-name column to 0, the last-name column to 1 and the e-mail column to 2,
    // each only when it lies right of that place, in that order. Every move updates all three
    // indices, so they name the same columns afterwards.
    void arrange(BookTable &table);
};
