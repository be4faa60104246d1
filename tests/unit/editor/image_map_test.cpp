// Image maps written as <MAP> HTML and read back.
#include "editor/image_map.h"

#include "support/sim_process.h" // prints QStrings in failures

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(ImageMap, WritesAreasAndReadsThemBack) {
    ImageMap map{u"m1"_s, {}};
    map.areas << ImageMap::Area{ImageMap::Shape::Rect,
                                {{50, 40}, {10, 20}},
                                u"a.htm#x"_s,
                                u"Say \"a\" & b"_s,
                                u"_blank"_s}
              << ImageMap::Area{ImageMap::Shape::Circle, {{30, 30}, {33, 34}}, u"b.htm"_s, u""_s, u""_s};
    const ImageMap::Area poly{ImageMap::Shape::Poly, {{1, 2}, {5, 2}, {3, 9}}, u"c.htm"_s, u"big"_s, u""_s};
    map.areas << poly;

    const QString html = map.html();
    EXPECT_TRUE(html.startsWith(u"<MAP NAME=\"m1\"><AREA SHAPE=rect COORDS=\"10,20,50,40\""_s));
    EXPECT_TRUE(html.contains(u"COORDS=\"30,30,5\""_s)) << "circle: centre and radius";

    const ImageMap back = ImageMap::fromHtml(html);
    EXPECT_EQ(back.name, u"m1"_s);
    ASSERT_EQ(back.areas.size(), 3);
    EXPECT_EQ(back.areas[0].points, (QList<QPoint>{{10, 20}, {50, 40}}));
    EXPECT_EQ(back.areas[0].alt, map.areas[0].alt);
    EXPECT_EQ(back.areas[0].href, u"a.htm#x"_s);
    EXPECT_EQ(back.areas[0].target, u"_blank"_s);
    EXPECT_EQ(back.areas[1].shape, ImageMap::Shape::Circle);
    EXPECT_EQ(back.areas[1].points, (QList<QPoint>{{30, 30}, {35, 30}}));
    EXPECT_EQ(back.areas[2].points, poly.points);
}

TEST(ImageMap, LeavesOutAreasItCannotDraw) {
    const ImageMap map = ImageMap::fromHtml(
        u"<map name=x><area shape=rect coords=\"1,2,3\"><area shape=star coords=\"1,2,3,4\">"
        "<area coords=\"1,2,3,4\" href=ok.htm><AREA SHAPE=POLY COORDS=\"1,1,2,2\"><area shape=default></map>"_s);
    ASSERT_EQ(map.areas.size(), 1);
    EXPECT_EQ(map.areas[0].href, u"ok.htm"_s) << "a rectangle is the default shape";
}
