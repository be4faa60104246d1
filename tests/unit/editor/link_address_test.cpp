// The hyperlink dialog's address rules and the document's bookmark list.
#include "editor/link_address.h"

#include "support/sim_process.h" // prints QStrings in failures

#include <gtest/gtest.h>

#include <tuple>

using namespace Qt::StringLiterals;

TEST(LinkAddress, SplitsAtTheFirstHashAndJoinsBack) {
    const std::tuple<QString, QString, QString, QString> cases[] = {
        {u"page.htm#part"_s, u"page.htm"_s, u"part"_s, u"page.htm#part"_s},
        {u"http://x.org/a"_s, u"http://x.org/a"_s, u""_s, u"http://x.org/a"_s},
        {u"a.htm#b#c"_s, u"a.htm"_s, u"b#c"_s, u"a.htm#b#c"_s},
        // Too short to be an address: the box offers the web prefix.
        {u"x"_s, u"http://"_s, u""_s, u"http://"_s},
        {u""_s, u"http://"_s, u""_s, u"http://"_s},
        // A bookmark of the same page keeps its bookmark, however short.
        {u"#top"_s, u""_s, u"top"_s, u"#top"_s},
    };
    for (const auto &[href, address, bookmark, rejoined] : cases) {
        SCOPED_TRACE(href.toStdString());
        const LinkAddress::Parts parts = LinkAddress::split(href);
        EXPECT_EQ(QStringList({parts.address, parts.bookmark, LinkAddress::join(parts)}),
                  QStringList({address, bookmark, rejoined}));
    }
}

TEST(LinkAddress, ListsTheNamedAnchorsInOrder) {
    const QString html = u"<p><a name=\"one\">1</a><A NAME=\"\">2</A><a href=x>no</a><A NAME=Three>3</A>"
                         "<a name=one>again</a><a id=i name=late>not first</a></p>"_s;
    EXPECT_EQ(LinkAddress::bookmarkNames(html), (QStringList{u"one"_s, u"Three"_s, u"one"_s}));
}
