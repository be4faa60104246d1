#pragma once

#include <string>
#include <string_view>

// The pages around the mail services: sign-in answer, blog post pages, calendars, index.
namespace SitePages {

// Answer of /cgi-bin/signin.cgi: form "qaform" with the answer field "eda" and links to both
// inboxes, the Yahoo one first when `email` mentions yahoo.
std::string signInPage(std::string_view email);

// /blog/post holds frame "inside" (/blog/inside), which holds frame "blog_form" (/blog/form),
// whose form "stuffform" has the field "txaBody". /blog/plain has form "stuffform" with
// "postBody" at the top level. Both forms post to /blog/publish?blogID=N.
std::string blogPostPage();
std::string blogInsidePage();
std::string blogFormPage();
std::string blogPlainPage();
std::string blogPublishedPage(int number);

// `service` is "yahoo" or "msn".
std::string calendarPage(std::string_view service);

std::string indexPage();

} // namespace SitePages
