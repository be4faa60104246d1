// webmail-sim: the local web-mail service the program is run and tested against.
//
//   webmail-sim [--port N]    N = 0 (the default) picks a free port
//
// Listens on 127.0.0.1 and prints its base address ("http://127.0.0.1:43567") as the first
// line on stdout; ends cleanly on SIGTERM or SIGINT.
#include "failures.h"
#include "routes.h"
#include "sent_store.h"

#include <httplib.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <optional>
#include <pthread.h>
#include <string>
#include <thread>

namespace {

// Enough workers for a browser's parallel keep-alive connections plus slow (delayed) pages.
constexpr size_t workerThreads = 32;

std::optional<int> parsePort(int argc, char **argv) {
    int port = 0;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        std::string value;
        if (arg == "--port" && i + 1 < argc)
            value = argv[++i];
        else if (arg.rfind("--port=", 0) == 0)
            value = arg.substr(7);
        else
            return std::nullopt;
        char *end = nullptr;
        const long number = std::strtol(value.c_str(), &end, 10);
        if (value.empty() || *end != '\0' || number < 0 || number > 65535)
            return std::nullopt;
        port = static_cast<int>(number);
    }
    return port;
}

} // namespace

int main(int argc, char **argv) {
    const std::optional<int> requestedPort = parsePort(argc, argv);
    if (!requestedPort) {
        std::fprintf(stderr, "usage: %s [--port N]\n", argv[0]);
        return 2;
    }

    // Termination signals are taken by one thread with sigwait, so stopping the server never
    // happens inside a signal handler. The mask is set before any thread starts.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    SentStore store;
    Failures failures;
    httplib::Server server;
    server.new_task_queue = [] { return new httplib::ThreadPool(workerThreads); };
    // Stopping waits for idle keep-alive connections to time out; keep that wait short.
    server.set_keep_alive_timeout(1);
    Routes::install(server, store, failures);

    const char *host = "127.0.0.1";
    int port = *requestedPort;
    if (port == 0)
        port = server.bind_to_any_port(host);
    else if (!server.bind_to_port(host, port))
        port = -1;
    if (port <= 0) {
        std::fprintf(stderr, "webmail-sim: cannot listen on %s:%d: %s\n", host, *requestedPort,
                     std::strerror(errno));
        return 1;
    }
    std::printf("http://%s:%d\n", host, port);
    std::fflush(stdout);

    std::atomic<bool> listenEnded = false;
    std::thread signalWaiter([&] {
        int signal = 0;
        sigwait(&stopSignals, &signal);
        // A signal that arrives before the server runs must still stop it.
        while (!listenEnded && !server.is_running())
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        // Held requests end first: stopping waits for every worker.
        failures.stopHolding();
        server.stop();
    });
    const bool listened = server.listen_after_bind();
    listenEnded = true;
    // Wakes the waiter when the server ended on its own; after a signal this is harmless.
    pthread_kill(signalWaiter.native_handle(), SIGTERM);
    signalWaiter.join();
    return listened ? 0 : 1;
}
