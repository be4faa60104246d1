// The relative path from a document to the files it refers to.
#include "editor/make_rel_path.h"

#include "support/sim_process.h" // prints QStrings in failures

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(MakeRelPathRel, RefersFromTheDocumentsFolder) {
    const struct {
        QString target, base, expected, why;
    } cases[] = {
        {u"/site/pages/a.gif"_s, u"/site/pages/doc.htm"_s, u"a.gif"_s, u"same folder"_s},
        {u"/site/pages/img/a.gif"_s, u"/site/pages/doc.htm"_s, u"img/a.gif"_s, u"sub-folder"_s},
        {u"/site/images/a.gif"_s, u"/site/pages/doc.htm"_s, u"../images/a.gif"_s, u"sibling"_s},
        {u"/other/x/a.gif"_s, u"/site/pages/deep/doc.htm"_s, u"../../../other/x/a.gif"_s,
         u"up to the root"_s},
        {u"/site/pages2/a.gif"_s, u"/site/pages/doc.htm"_s, u"../pages2/a.gif"_s,
         u"a folder whose name begins another's is no match"_s},
        {u"/b/site/k"_s, u"/site/doc.htm"_s, u"../b/site/k"_s,
         u"the folder matches only where the target begins"_s},
        {u"/Site/Pages/a.gif"_s, u"/site/pages/doc.htm"_s, u"../../Site/Pages/a.gif"_s,
         u"Linux names differ in case"_s},
        {u"http://example.com/site/pages/a.gif"_s, u"/site/pages/doc.htm"_s,
         u"http://example.com/site/pages/a.gif"_s, u"a web address stays"_s},
        {u""_s, u"/site/pages/doc.htm"_s, u""_s, u"empty target"_s},
        {u"a.gif"_s, u"doc.htm"_s, u"a.gif"_s, u"no separator anywhere"_s},
        {u"D:\\a.gif"_s, u"C:\\site\\doc.htm"_s, u"D:\\a.gif"_s, u"another drive"_s},
        {u"C:\\site\\images\\a.gif"_s, u"C:\\site\\pages\\doc.htm"_s, u"..\\images\\a.gif"_s,
         u"Windows sibling"_s},
        {u"c:/SITE/pages/img/a.gif"_s, u"C:\\site\\pages\\doc.htm"_s, u"img\\a.gif"_s,
         u"Windows names compare without case, / becomes \\"_s},
        {u"C:\\pages2\\a.gif"_s, u"C:\\pages\\doc.htm"_s, u"..\\pages2\\a.gif"_s, u"Windows prefix folder"_s},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.why.toStdString());
        EXPECT_EQ(MakeRelPathRel(c.target, c.base), c.expected);
    }
}
