#pragma once

namespace httplib {
class Server;
}
class Failures;
class SentStore;

namespace Routes {

// Every address the service answers; `store` and `failures` must outlive the server.
void install(httplib::Server &server, SentStore &store, Failures &failures);

} // namespace Routes
