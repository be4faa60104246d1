#pragma once

#include <QString>
#include <QStringList>

// The rules of the hyperlink dialog's address: a link's HREF shown as an address and a bookmark,
// and joined back.
namespace LinkAddress {

// Shown in the address box when a link has no address worth showing.
inline constexpr char16_t webPrefix[] = u"http://";

struct Parts {
    QString address;
    QString bookmark;
};

// The HREF split at its first "#". An HREF shorter than 5 characters shows "http://" instead,
// unless it holds a "#": a link to a bookmark of the same page ("#top") keeps its bookmark.
Parts split(const QString &href);
// The address, followed by "#" and the bookmark when there is one.
QString join(const Parts &parts);

// The names of the document's anchors ("<A NAME"), in document order as they stand, duplicates
// included; anchors with an empty name are left out.
QStringList bookmarkNames(const QString &documentHtml);

} // namespace LinkAddress
