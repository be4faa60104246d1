// The relative path from a document to the files it refers to.
#include "editor/make_rel_path.h"

#include "support/sim_process.h" // prints QStrings in failures

#include <gtest/gtest.h>

#include <tuple>

using namespace Qt::StringLiterals;

TEST(MakeRelPathRel, RefersFromTheDocumentsFolder) {
    const std::tuple<QString, QString, QString> cases[] = {
        {u"/site/pages/a.gif"_s, u"/site/pages/doc.htm"_s, u"a.gif"_s},
        {u"/site/pages/img/a.gif"_s, u"/site/pages/doc.htm"_s, u"img/a.gif"_s},
        {u"/site/images/a.gif"_s, u"/site/pages/doc.htm"_s, u"../images/a.gif"_s},
        {u"/other/x/a.gif"_s, u"/site/pages/deep/doc.htm"_s, u"../../../other/x/a.gif"_s},
        // A folder whose name begins another's is no match, nor one inside the target's path.
        {u"/site/pages2/a.gif"_s, u"/site/pages/doc.htm"_s, u"../pages2/a.gif"_s},
        {u"/b/site/k"_s, u"/site/doc.htm"_s, u"../b/site/k"_s},
        // Linux names differ in case.
        {u"/Site/Pages/a.gif"_s, u"/site/pages/doc.htm"_s, u"../../Site/Pages/a.gif"_s},
        {u"http://example.com/a.gif"_s, u"/site/pages/doc.htm"_s, u"http://example.com/a.gif"_s},
        {u""_s, u"/site/pages/doc.htm"_s, u""_s},
        {u"a.gif"_s, u"doc.htm"_s, u"a.gif"_s},
        // Windows paths: another drive, a sibling, names without case and "/" made "\", a prefix folder.
        {u"D:\\a.gif"_s, u"C:\\site\\doc.htm"_s, u"D:\\a.gif"_s},
        {u"C:\\site\\images\\a.gif"_s, u"C:\\site\\pages\\doc.htm"_s, u"..\\images\\a.gif"_s},
        {u"c:/SITE/pages/img/a.gif"_s, u"C:\\site\\pages\\doc.htm"_s, u"img\\a.gif"_s},
        {u"C:\\pages2\\a.gif"_s, u"C:\\pages\\doc.htm"_s, u"..\\pages2\\a.gif"_s},
    };
    for (const auto &[target, base, expected] : cases) {
        SCOPED_TRACE(target.toStdString());
        EXPECT_EQ(MakeRelPathRel(target, base), expected);
    }
}
