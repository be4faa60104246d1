// The link and image dialogs' rules: fields read from and written to the IMG tag, the map placed
// after the body's opening tag, image maps written and read back, picture paths as SRC values,
// relative paths from the document, and link addresses with their bookmarks.
#include "editor/image_map.h"
#include "editor/image_tag.h"
#include "editor/link_address.h"
#include "editor/make_rel_path.h"

#include "support/sim_process.h" // prints QStrings in failures

#include <gtest/gtest.h>

#include <tuple>

using namespace Qt::StringLiterals;

// A quoted ALT, a percentage over 100 and the default alignment are the link and image dialog test's.
TEST(ImageTag, ReadsAndWritesTheFieldsAndRemovesEmptyOnes) {
    const ImageTag::Fields read =
        ImageTag::read(u"<img src=\"file:///a/my%20pic.gif\" width=50% height=\"30\">"_s);
    EXPECT_TRUE(read.src == u"/a/my pic.gif"_s && read.width.set && read.width.percent &&
                read.width.value == u"50"_s && read.height.set && !read.height.percent);
    EXPECT_EQ(ImageTag::read(QString::fromUtf16(ImageTag::emptyTag)).src, u"http://"_s) << "SRC too short";

    const QString old = u"<img src=old.gif alt=\"x\" align=left width=10 height=10 hspace=3>"_s;
    ImageTag::Fields f;
    f.src = u"new pic.gif"_s;
    f.border = u"1"_s;
    const ImageTag::Built built = ImageTag::write(old, f);
    ASSERT_EQ(built.problem, ImageTag::Problem::None);
    for (const QString &gone : {u"alt"_s, u"hspace"_s, u"align"_s, u"width"_s})
        EXPECT_FALSE(built.tag.contains(gone, Qt::CaseInsensitive)) << built.tag.toStdString();

    f.width = {true, u""_s, false}; // ticked, with no number
    EXPECT_EQ(ImageTag::write(old, f).message, u"You must specify a valid width for the image."_s);
    f.width.set = false;
    f.height = {true, u" "_s, true};
    const ImageTag::Built refused = ImageTag::write(old, f);
    EXPECT_TRUE(refused.problem == ImageTag::Problem::Height && refused.tag == old);
    EXPECT_EQ(refused.message, u"You must specify a valid height for the image."_s);
}

// A plain body and an old map of the same name replaced are the link and image dialog test's.
TEST(ImageTag, PlacesTheMapRightAfterTheBodysOpeningTag) {
    const QString map = u"<MAP NAME=\"m\"></MAP>"_s;
    const std::tuple<QString, std::optional<QString>, QString> cases[] = {
        {u"<title>nobody</title><BODY onload={a>b}>x"_s,
         u"<title>nobody</title><BODY onload={a>b}><MAP NAME=\"m\"></MAP>x"_s,
         u"a \">\" between braces does not end the tag; a word holding body is no tag"_s},
        {u"<p>no body here</p>"_s, std::nullopt, u"no body tag"_s},
    };
    for (const auto &[html, expected, why] : cases)
        EXPECT_EQ(ImageTag::placeMap(html, map, u"m"_s), expected) << why.toStdString();
    EXPECT_EQ(ImageTag::findMap(u"<body><MAP name=a></MAP><map NAME=\"b\"><area></map>x"_s, u"#B"_s),
              u"<map NAME=\"b\"><area></map>"_s);
}

TEST(ImageTag, PicturePathsBecomeSourcesThatBrowsersResolve) {
    const std::tuple<QString, QString, QString> cases[] = {
        // path, document, source
        {u"/home/a/site/my \"best\" #1?.gif"_s, u"/home/a/site/doc.htm"_s,
         u"my%20%22best%22%20%231%3F.gif"_s},
        {u"/home/a/bilder/hund-ä.png"_s, u"/home/a/site/doc.htm"_s, u"../bilder/hund-%C3%A4.png"_s},
        {u"/home/a/x y.gif"_s, u""_s, u"file:///home/a/x%20y.gif"_s},
    };
    // Read back into the dialog, the source shows the path as the document refers to it.
    for (const auto &[path, document, src] : cases)
        EXPECT_EQ(std::pair(ImageTag::sourceFor(path, document), ImageTag::pathFromSource(src)),
                  std::pair(src, document.isEmpty() ? path : MakeRelPathRel(path, document)))
            << path.toStdString();
}

TEST(ImageMap, WritesAreasAndReadsBackThoseItCanDraw) {
    using enum ImageMap::Shape;
    ImageMap map{u"m1"_s, {}};
    map.areas << ImageMap::Area{Rect, {{50, 40}, {10, 20}}, u"a.htm#x"_s, u"Say \"a\" & b"_s, u"_blank"_s}
              << ImageMap::Area{Circle, {{30, 30}, {33, 34}}, u"b.htm"_s, u""_s, u""_s}
              << ImageMap::Area{Poly, {{1, 2}, {5, 2}, {3, 9}}, u"c.htm"_s, u"big"_s, u""_s};
    const QString html = map.html();
    EXPECT_TRUE(html.startsWith(u"<MAP NAME=\"m1\"><AREA SHAPE=rect COORDS=\"10,20,50,40\""_s));

    // Read back, every area writes the same again: shapes, points, links, texts and targets.
    EXPECT_EQ(ImageMap::fromHtml(html).html(), html);

    // Areas it cannot draw are left out.
    const ImageMap read = ImageMap::fromHtml(
        u"<map name=x><area shape=rect coords=\"1,2,3\"><area shape=star coords=\"1,2,3,4\">"
        "<area coords=\"1,2,3,4\" href=ok.htm><area shape=poly coords=\"1,1,2,2\"></map>"_s);
    ASSERT_EQ(read.areas.size(), 1);
    EXPECT_EQ(read.areas[0].href, u"ok.htm"_s) << "a rectangle is the default shape";
}

TEST(MakeRelPathRel, RefersFromTheDocumentsFolder) {
    const std::tuple<QString, QString, QString> cases[] = {
        {u"/site/pages/a.gif"_s, u"/site/pages/doc.htm"_s, u"a.gif"_s},
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
        // Windows paths: another drive, names without case and "/" made "\", a sibling with a prefix's name.
        {u"D:\\a.gif"_s, u"C:\\site\\doc.htm"_s, u"D:\\a.gif"_s},
        {u"c:/SITE/pages/img/a.gif"_s, u"C:\\site\\pages\\doc.htm"_s, u"img\\a.gif"_s},
        {u"C:\\pages2\\a.gif"_s, u"C:\\pages\\doc.htm"_s, u"..\\pages2\\a.gif"_s},
    };
    for (const auto &[target, base, expected] : cases)
        EXPECT_EQ(MakeRelPathRel(target, base), expected) << target.toStdString();
}

TEST(LinkAddress, SplitsAtTheFirstHashAndJoinsBack) {
    const std::tuple<QString, QString, QString, QString> cases[] = {
        {u"page.htm#part"_s, u"page.htm"_s, u"part"_s, u"page.htm#part"_s},
        {u"http://x.org/a"_s, u"http://x.org/a"_s, u""_s, u"http://x.org/a"_s},
        {u"a.htm#b#c"_s, u"a.htm"_s, u"b#c"_s, u"a.htm#b#c"_s},
        // Too short to be an address: the box offers the web prefix.
        {u"x"_s, u"http://"_s, u""_s, u"http://"_s},
        // A bookmark of the same page keeps its bookmark, however short.
        {u"#top"_s, u""_s, u"top"_s, u"#top"_s},
    };
    for (const auto &[href, address, bookmark, rejoined] : cases) {
        const LinkAddress::Parts parts = LinkAddress::split(href);
        EXPECT_EQ(QStringList({parts.address, parts.bookmark, LinkAddress::join(parts)}),
                  QStringList({address, bookmark, rejoined}))
            << href.toStdString();
    }
}
