#include "site_pages.h"

#include "web_text.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <chrono>

using WebText::escapeHtml;
using WebText::htmlPage;

namespace SitePages {
namespace {

constexpr std::string_view style =
    "body{font-family:sans-serif;font-size:13px}"
    "table.month td{border:1px solid #aaa;width:6em;height:4em;vertical-align:top}";

// The answer the spell check reads; a few words are misspelt on purpose.
constexpr std::string_view answerText = "Teh best way to lern a new languge is to speak it every day.";

bool mentionsYahoo(std::string_view email) {
    std::string lower(email);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    return lower.find("yahoo") != std::string::npos;
}

std::string stuffForm(std::string_view blogId, std::string_view field) {
    return "<form name=\"stuffform\" method=\"post\" action=\"/blog/publish?blogID=" + std::string(blogId) +
           "\">\r\n<p>Title <input type=\"text\" name=\"title\" size=\"50\"></p>\r\n<textarea name=\"" +
           std::string(field) +
           "\" rows=\"12\" cols=\"72\"></textarea>\r\n<p><input type=\"submit\" name=\"publish\" "
           "value=\"Publish Post\"></p>\r\n</form>";
}

} // namespace

std::string signInPage(std::string_view email) {
    const std::string yahoo = "<li><a href=\"/yahoo/inbox\">Yahoo! Mail inbox</a></li>\r\n";
    const std::string hotmail = "<li><a href=\"/hotmail/inbox\">MSN Hotmail inbox</a></li>\r\n";
    const bool yahooFirst = mentionsYahoo(email);
    std::string html = "<h1>Welcome</h1>\r\n";
    if (!email.empty())
        html += "<p>Signed in as <b>" + escapeHtml(email) + "</b>.</p>\r\n";
    html += "<ul>\r\n" + (yahooFirst ? yahoo + hotmail : hotmail + yahoo) + "</ul>\r\n";
    html +=
        "<form name=\"qaform\">\r\n<p>Question of the day: what is the best way to learn a language?</p>\r\n"
        "<textarea name=\"eda\" id=\"eda\" rows=\"6\" cols=\"60\">" +
        escapeHtml(answerText) + "</textarea>\r\n</form>";
    return htmlPage("Sign-in", html, style);
}

std::string blogPostPage() {
    return htmlPage("Blogger: Create post",
                    "<h1>Create post</h1>\r\n<iframe name=\"inside\" src=\"/blog/inside\" width=\"760\" "
                    "height=\"420\"></iframe>",
                    style);
}

std::string blogInsidePage() {
    return htmlPage("Post editor",
                    "<iframe name=\"blog_form\" src=\"/blog/form\" width=\"720\" height=\"360\"></iframe>",
                    style);
}

std::string blogFormPage() {
    return htmlPage("Post form", stuffForm("1", "txaBody"), style);
}

std::string blogPlainPage() {
    return htmlPage("Blogger: Create post (plain)", "<h1>Create post</h1>\r\n" + stuffForm("2", "postBody"),
                    style);
}

std::string blogPublishedPage(int number) {
    return htmlPage("Post published",
                    "<h1>Post published</h1>\r\n<p>Your post (number " + std::to_string(number) +
                        ") is on the blog.</p>\r\n<p><a href=\"/blog/post\">Write another</a></p>",
                    style);
}

std::string calendarPage(std::string_view service) {
    using namespace std::chrono;
    struct Event {
        unsigned day;
        std::string_view text;
    };
    static constexpr std::array<Event, 4> events = {
        {{3, "Team dinner"}, {10, "Dentist 9:00"}, {17, "Lunch with Ann"}, {24, "Holiday"}}};
    const sys_days first = sys_days(2004y / December / 1);
    const unsigned lead = weekday(first).c_encoding(); // the month starts on a Wednesday
    std::string html =
        "<h1>December 2004</h1>\r\n<table class=\"month\">\r\n<tr><th>Sun</th><th>Mon</th><th>Tue</th>"
        "<th>Wed</th><th>Thu</th><th>Fri</th><th>Sat</th></tr>\r\n<tr>";
    for (unsigned cell = 0; cell < lead + 31; ++cell) {
        if (cell > 0 && cell % 7 == 0)
            html += "</tr>\r\n<tr>";
        if (cell < lead) {
            html += "<td></td>";
            continue;
        }
        const unsigned day = cell - lead + 1;
        html += "<td>" + std::to_string(day);
        for (const Event &event : events) {
            if (event.day == day)
                html += "<br><i>" + std::string(event.text) + "</i>";
        }
        html += "</td>";
    }
    html += "</tr>\r\n</table>";
    return htmlPage(service == "yahoo" ? "Yahoo! Calendar" : "MSN Calendar", html, style);
}

std::string indexPage() {
    static constexpr std::array<std::string_view, 16> links = {
        "/cgi-bin/signin.cgi",
        "/hotmail/inbox",
        "/hotmail/inbox?count=200",
        "/hotmail/message?id=1",
        "/hotmail/compose",
        "/yahoo/inbox",
        "/yahoo/inbox?lang=de",
        "/yahoo/message?id=1",
        "/yahoo/compose",
        "/blog/post",
        "/blog/plain",
        "/calendar/yahoo",
        "/calendar/msn",
        "/_sim/sent",
        "/_sim/signins",
    };
    std::string html = "<h1>webmail-sim</h1>\r\n<ul>\r\n";
    for (std::string_view link : links)
        html += "<li><a href=\"" + escapeHtml(link) + "\">" + escapeHtml(link) + "</a></li>\r\n";
    return htmlPage("webmail-sim", html + "</ul>", style);
}

} // namespace SitePages
