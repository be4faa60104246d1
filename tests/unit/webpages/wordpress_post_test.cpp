#include "webpages/blog/wordpress_filter.h"
#include "webpages/blog/wordpress_post.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(WordPressPost, OnlyThePostEditScreensTakeTheBody) {
    const struct {
        const char *why;
        const char *address;
        bool editScreen, published;
    } cases[] = {
        {"a new post", "http://h/wp-admin/post-new.php", true, false},
        {"a post being edited", "http://h/blog/wp-admin/post.php?post=7&action=edit", true, false},
        {"published", "http://h/wp-admin/post.php?post=7&action=edit&message=6", true, true},
        {"a published post updated", "http://h/wp-admin/post.php?post=7&action=edit&message=1", true, true},
        {"a draft saved", "http://h/wp-admin/post.php?post=7&action=edit&message=10", true, false},
        // The dashboard's Quick Draft form has the body field's name too.
        {"the dashboard", "http://h/wp-admin/", false, false},
        {"a post being trashed", "http://h/wp-admin/post.php?post=7&action=trash&message=6", false, false},
        {"a reader's page", "http://h/2026/12/07/hello/?message=6", false, false},
    };
    for (const auto &c : cases) {
        const QUrl address(QString::fromLatin1(c.address));
        EXPECT_EQ(std::pair(WordPressPost::isEditScreen(address), WordPressPost::confirmsPublishing(address)),
                  std::pair(c.editScreen, c.published))
            << c.why;
    }
    EXPECT_TRUE(WordPressPost::noticeConfirmsPublishing(u"Post published.View Post"_s));
    EXPECT_FALSE(WordPressPost::noticeConfirmsPublishing(u"Draft saved.View Preview"_s));
}

TEST(WordPressPost, ClassicBodySendsLineBreaksInsideTextAsBlanksBlockBodyIsOneHtmlBlock) {
    // Each body, and what is sent when that differs: a line break in text (inside a paragraph,
    // between inline elements, in a cell) goes as a blank.
    const std::pair<QString, QString> cases[] = {
        {u"<p>one\n  two</p>"_s, u"<p>one two</p>"_s},
        {u"<p><a href=x target=_blank>a</a>\n<img src=i></p>"_s,
         u"<p><a href=x target=_blank>a</a> <img src=i></p>"_s},
        {u"<table>\n<tr>\n<td colspan=2>a\n b</td>\n</tr>\n</table>"_s,
         u"<table>\n<tr>\n<td colspan=2>a b</td>\n</tr>\n</table>"_s},
        {u"<pre>a\n b</pre>\n<p>c\nd</p>"_s, u"<pre>a\n b</pre>\n<p>c d</p>"_s}, // pre keeps its lines
        {u"<p>a<!-- x\n -->\nb</p>"_s, u"<p>a<!-- x\n --> b</p>"_s},             // a comment is no element
        // Layout between blocks stays, and so do blanks without a line break and a tag's own breaks.
        {u"<ul>\n  <li>one\n    <ul>\n      <li>two</li>\n    </ul>\n  </li>\n</ul>"_s, {}},
        {u"<p>a  b</p>"_s, {}},
        {u"<p\nclass=x>a</p>"_s, {}},
    };
    for (const auto &[html, sent] : cases)
        EXPECT_EQ(WordPressPost::classicBody(html).toStdString(),
                  (sent.isNull() ? html : sent).toStdString());
    // The block editor takes the body as one HTML block.
    EXPECT_EQ(WordPressPost::blockBody(u"<p>a</p>\n<p>b</p>"_s),
              u"<!-- wp:html -->\n<p>a</p>\n<p>b</p>\n<!-- /wp:html -->"_s);
    // An empty post stays empty, so WordPress refuses to publish it.
    EXPECT_EQ(WordPressPost::blockBody(u" \n"_s), QString());
}

TEST(WordPressFilter, NamesWhatAnAuthorsPostLoses) {
    const std::pair<QString, QStringList> cases[] = {
        // Tables, fonts and image maps stay; so do words that only look like what goes.
        {u"<table border=1><tr><td bgcolor=red><font color=red>x</font></td></tr></table>"
         "<img src=a usemap=#m><map name=m><area href=b></map>"_s,
         {}},
        {u"<p>onclick= and javascript: are words; <b>center</b></p>"_s, {}},
        {u"<p>x</p><SCRIPT>alert(1)</SCRIPT><iframe src=y></iframe>"_s, {u"scripts"_s, u"frames"_s}},
        {u"<form action=f><input name=q></form>"_s, {u"forms"_s}},
        {u"<a href=\" javascript:go()\" onclick='x()'>go</a>"_s,
         {u"event handlers (onclick …)"_s, u"javascript: links"_s}},
        {u"<style>p{}</style><td background=a.png>"_s,
         {u"styles"_s, u"cell backgrounds and border colours"_s}},
    };
    for (const auto &[html, removed] : cases)
        EXPECT_EQ(WordPressFilter::partsRemoved(html), removed) << html.toStdString();
    EXPECT_TRUE(WordPressFilter::warning({}).isEmpty());
    EXPECT_TRUE(WordPressFilter::warning({u"scripts"_s}).contains(u"\n\nscripts"_s));
}
