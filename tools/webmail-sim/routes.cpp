// Addresses served (all pages text/html; charset=utf-8, /_sim/* JSON):
//   GET  /                                index of everything below
//   GET  /cgi-bin/signin.cgi              sign-in answer page (form "qaform", field "eda")
//   POST /cgi-bin/signin.cgi              the same page; records email and password
//   GET  /{hotmail,yahoo}/inbox           message list; ?count=N (default 30), ?lang=xx, ?ad=ADDRESS
//                                         an advert frame from ADDRESS (hostile_pages.h)
//   GET  /{hotmail,yahoo}/message         message page; ?id=N, ?lang=xx (en de fr es it nl pt sv)
//   GET  /{hotmail,yahoo}/compose         compose page; ?rich=1 the rich-text page without the plain
//                                         form; ?send_delay_ms=N puts delay_ms=N into the send's action
//   POST /{hotmail,yahoo}/send            records the form, 303 to /{hotmail,yahoo}/sent?n=K
//   GET  /{hotmail,yahoo}/sent            "Message sent" page
//   GET  /blog/post, /blog/inside, /blog/form, /blog/plain   blog post pages (frames, plain)
//   POST /blog/publish                    records the form as provider "blog", 303 to /blog/published?n=K
//   GET  /blog/published
//   GET  /calendar/yahoo, /calendar/msn
//   GET  /_sim/sent, /_sim/signins        what was recorded, in order
//   GET  /_sim/message?id=N               one message: from, to, via, cc, subject, date, unread,
//                                         bodyKind ("plain"/"html"), body, yahooMessageElement,
//                                         rmsgLayout ("single", "emptyBefore", "nested", "nonExactAfter")
//   GET or POST /_sim/reset               forgets everything recorded
//   GET  /_sim/fail?sends=N&how=H[&after=K]  the next N sends (posts to a send or publish address)
//                                         fail as H: 500 (any status 400-599), drop or hang, once
//                                         K more have gone through; sends=0 disarms
// Any request may carry ?delay_ms=N (at most 10000): the answer then comes that much later, for
// tests of waiting for a slow page or a slow send. Any request takes the failure switches
// ?status=N, ?drop=1 and ?hang=1 (failures.h).
#include "routes.h"

#include "compose_pages.h"
#include "failures.h"
#include "hostile_pages.h"
#include "mail_pages.h"
#include "mailbox.h"
#include "sent_store.h"
#include "site_pages.h"
#include "store/header_labels.h"
#include "web_text.h"

#include <httplib.h>

#include <algorithm>
#include <charconv>
#include <thread>

using MailPages::Provider;
using WebText::jsonString;

namespace Routes {
namespace {

constexpr int maxDelayMs = 10000;
constexpr int maxListCount = 5000;

void sendHtml(httplib::Response &res, const std::string &html) {
    res.set_content(html, "text/html; charset=utf-8");
}

void sendJson(httplib::Response &res, const std::string &json) {
    res.set_content(json, "application/json; charset=utf-8");
}

// The parameter as a number clamped to min..max; `fallback` when absent or not a number.
int intParam(const httplib::Request &req, const char *name, int fallback, int min, int max) {
    const std::string text = req.get_param_value(name);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return fallback;
    return std::clamp(value, min, max);
}

// Unknown or missing codes show the page in English, as the services did.
int language(const httplib::Request &req) {
    return HeaderLabels::languageIndex(req.get_param_value("lang")).value_or(0);
}

std::string rawQuery(const httplib::Request &req) {
    const size_t mark = req.target.find('?');
    return mark == std::string::npos ? std::string() : req.target.substr(mark + 1);
}

void notFound(httplib::Response &res, const std::string &what) {
    res.status = 404;
    sendHtml(res, WebText::htmlPage("Not found",
                                    "<h1>Not found</h1>\r\n<p>" + WebText::escapeHtml(what) + "</p>"));
}

const char *rmsgLayoutName(Mailbox::RmsgLayout layout) {
    switch (layout) {
    case Mailbox::RmsgLayout::EmptyBefore:
        return "emptyBefore";
    case Mailbox::RmsgLayout::Nested:
        return "nested";
    case Mailbox::RmsgLayout::NonExactAfter:
        return "nonExactAfter";
    case Mailbox::RmsgLayout::Single:
        break;
    }
    return "single";
}

std::string messageJson(const Mailbox::Message &m) {
    return "{\"id\":" + std::to_string(m.id) + ",\"from\":" + jsonString(m.from()) +
           ",\"to\":" + jsonString(m.to) + ",\"via\":" + jsonString(m.via) + ",\"cc\":" + jsonString(m.cc) +
           ",\"subject\":" + jsonString(m.subject) + ",\"date\":" + jsonString(m.date) +
           ",\"unread\":" + (m.unread ? "true" : "false") +
           ",\"bodyKind\":" + jsonString(m.bodyKind == Mailbox::BodyKind::Html ? "html" : "plain") +
           ",\"body\":" + jsonString(m.body) +
           ",\"yahooMessageElement\":" + (m.yahooMessageElement ? "true" : "false") +
           ",\"rmsgLayout\":" + jsonString(rmsgLayoutName(m.rmsgLayout)) + "}\n";
}

void installMail(httplib::Server &server, SentStore &store, Provider provider) {
    const std::string base = "/" + std::string(MailPages::providerName(provider));
    server.Get(base + "/inbox", [provider](const httplib::Request &req, httplib::Response &res) {
        const int count = intParam(req, "count", Mailbox::defaultCount, 1, maxListCount);
        const std::string page = MailPages::inboxPage(provider, count, language(req));
        sendHtml(res, req.has_param("ad") ? HostilePages::withAdvert(page, req.get_param_value("ad")) : page);
    });
    server.Get(base + "/message", [provider](const httplib::Request &req, httplib::Response &res) {
        const int id = intParam(req, "id", 0, 0, Mailbox::maxId + 1);
        if (const auto page = MailPages::messagePage(provider, id, language(req)))
            sendHtml(res, *page);
        else
            notFound(res, "There is no message " + req.get_param_value("id") + ".");
    });
    server.Get(base + "/compose", [provider](const httplib::Request &req, httplib::Response &res) {
        if (req.get_param_value("rich") == "1")
            sendHtml(res, ComposePages::richComposePage(provider));
        else
            sendHtml(res,
                     ComposePages::composePage(provider, intParam(req, "send_delay_ms", 0, 0, maxDelayMs)));
    });
    server.Post(base + "/send",
                [&store, provider, base](const httplib::Request &req, httplib::Response &res) {
                    const int number = store.addSent({std::string(MailPages::providerName(provider)),
                                                      rawQuery(req), WebText::parseUrlEncoded(req.body)});
                    res.set_redirect(base + "/sent?n=" + std::to_string(number), 303);
                });
    server.Get(base + "/sent", [provider](const httplib::Request &req, httplib::Response &res) {
        sendHtml(res, ComposePages::sentPage(provider, intParam(req, "n", 0, 0, 1 << 30)));
    });
}

void installSite(httplib::Server &server, SentStore &store) {
    const auto page = [&server](const char *path, std::string (*build)()) {
        server.Get(path,
                   [build](const httplib::Request &, httplib::Response &res) { sendHtml(res, build()); });
    };
    page("/", SitePages::indexPage);
    page("/blog/post", SitePages::blogPostPage);
    page("/blog/inside", SitePages::blogInsidePage);
    page("/blog/form", SitePages::blogFormPage);
    page("/blog/plain", SitePages::blogPlainPage);

    server.Get("/cgi-bin/signin\\.cgi", [](const httplib::Request &, httplib::Response &res) {
        sendHtml(res, SitePages::signInPage({}));
    });
    server.Post("/cgi-bin/signin\\.cgi", [&store](const httplib::Request &req, httplib::Response &res) {
        SentStore::SignIn signIn;
        for (auto &[name, value] : WebText::parseUrlEncoded(req.body)) {
            if (name == "email")
                signIn.email = value;
            else if (name == "password")
                signIn.password = value;
        }
        sendHtml(res, SitePages::signInPage(signIn.email));
        store.addSignIn(std::move(signIn));
    });
    server.Post("/blog/publish", [&store](const httplib::Request &req, httplib::Response &res) {
        const int number = store.addSent({"blog", rawQuery(req), WebText::parseUrlEncoded(req.body)});
        res.set_redirect("/blog/published?n=" + std::to_string(number), 303);
    });
    server.Get("/blog/published", [](const httplib::Request &req, httplib::Response &res) {
        sendHtml(res, SitePages::blogPublishedPage(intParam(req, "n", 0, 0, 1 << 30)));
    });
    server.Get("/calendar/yahoo", [](const httplib::Request &, httplib::Response &res) {
        sendHtml(res, SitePages::calendarPage("yahoo"));
    });
    server.Get("/calendar/msn", [](const httplib::Request &, httplib::Response &res) {
        sendHtml(res, SitePages::calendarPage("msn"));
    });
}

void installTestHooks(httplib::Server &server, SentStore &store) {
    server.Get("/_sim/sent", [&store](const httplib::Request &, httplib::Response &res) {
        sendJson(res, store.sentJson());
    });
    server.Get("/_sim/signins", [&store](const httplib::Request &, httplib::Response &res) {
        sendJson(res, store.signInsJson());
    });
    const auto reset = [&store](const httplib::Request &, httplib::Response &res) {
        store.reset();
        sendJson(res, "{\"reset\":true}\n");
    };
    server.Get("/_sim/reset", reset);
    server.Post("/_sim/reset", reset);
    server.Get("/_sim/message", [](const httplib::Request &req, httplib::Response &res) {
        if (const auto message = Mailbox::message(intParam(req, "id", 0, 0, Mailbox::maxId + 1)))
            sendJson(res, messageJson(*message));
        else
            notFound(res, "There is no such message.");
    });
}

// A form posted to a send or publish address: what /_sim/fail makes fail.
bool isSend(const httplib::Request &req) {
    return req.method == "POST" && (req.path == "/blog/publish" || req.path.ends_with("/send"));
}

// Any request takes the failure switches; /_sim/fail arms the sends'.
void installFailures(httplib::Server &server, Failures &failures) {
    server.set_pre_routing_handler([&failures](const httplib::Request &req, httplib::Response &res) {
        if (req.has_param("delay_ms")) {
            const int delay = intParam(req, "delay_ms", 0, 0, maxDelayMs);
            std::this_thread::sleep_for(std::chrono::milliseconds(delay));
        }
        // A failing request is answered here, before its page does anything.
        if (const std::optional<Failures::Failure> failure = failures.take(req, isSend(req))) {
            failures.apply(*failure, req, res);
            return httplib::Server::HandlerResponse::Handled;
        }
        return httplib::Server::HandlerResponse::Unhandled;
    });
    server.Get("/_sim/fail", [&failures](const httplib::Request &req, httplib::Response &res) {
        const std::optional<Failures::Failure> failure = Failures::parse(req.get_param_value("how"));
        const int sends = intParam(req, "sends", -1, 0, 1 << 30);
        if (!failure || sends < 0) {
            res.status = 400;
            sendJson(res, "{\"error\":\"needs sends=N and how=500|drop|hang\"}\n");
            return;
        }
        const int after = intParam(req, "after", 0, 0, 1 << 30);
        failures.arm(sends, *failure, after);
        sendJson(res, "{\"sends\":" + std::to_string(sends) +
                          ",\"how\":" + jsonString(req.get_param_value("how")) +
                          ",\"after\":" + std::to_string(after) + "}\n");
    });
}

} // namespace

void install(httplib::Server &server, SentStore &store, Failures &failures) {
    installFailures(server, failures);
    server.set_error_handler([](const httplib::Request &req, httplib::Response &res) {
        if (res.body.empty())
            sendHtml(res,
                     WebText::htmlPage("Error", "<h1>Error " + std::to_string(res.status) + "</h1>\r\n<p>" +
                                                    WebText::escapeHtml(req.path) + "</p>"));
    });
    installMail(server, store, Provider::Hotmail);
    installMail(server, store, Provider::Yahoo);
    installSite(server, store);
    installTestHooks(server, store);
    HostilePages::install(server);
}

} // namespace Routes
