#pragma once

#include <string>

namespace httplib {
class Server;
}

// Pages that try what a hostile site or document would, for the program's tests:
//   GET  /hostile/welcome.htm, /hostile/promo/welcome.html   a foreign page named like the welcome
//                                   page: form "login" (fields "email", "password") posting to
//                                   /hostile/report, and a script that sends home whatever lands in
//                                   the fields; ?plant=1 also fills them itself and fires synthetic
//                                   "input" and "change" events, over and over
//   GET  /hostile/synthetic         the same form, always planting
//   GET  /hostile/refresh.htm       a document that refreshes to file:///etc/passwd and holds a live
//                                   link and a form that lead there too
//   GET  /hostile/yahoo/message     a Yahoo message page whose text is markup with an onerror handler
//                                   that reports to /hostile/report?page=onerror
//   GET  /hostile/ad                an advert for a frame: one link over all of it, to the top window's
//                                   /hostile/hotmail/clicked/x on the frame's own origin
//   GET  /hostile/compose           a Hotmail compose page whose script reports what lands in its fields
//                                   to /hostile/report?page=compose (fields "to|subject|body")
//   GET or POST /hostile/report     records the query's and the posted form's fields
//   GET  /_sim/hostile-log          what /hostile/report recorded, in order:
//                                   [{"page":..., "fields":{name:value}}]; ?clear=1 forgets it after
namespace HostilePages {

void install(httplib::Server &server);
// `page` with the advert frame loaded from `frameAddress` at the end of its body (a message
// list's ?ad=ADDRESS).
std::string withAdvert(std::string page, const std::string &frameAddress);

} // namespace HostilePages
