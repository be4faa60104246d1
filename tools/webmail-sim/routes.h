#pragma once

namespace httplib {
class Server;
}
class SentStore;

namespace Routes {

// Every address the service answers; `store` must outlive the server.
void install(httplib::Server &server, SentStore &store);

} // namespace Routes
