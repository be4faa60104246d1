#pragma once

#include <optional>
#include <string>

// The messages every inbox shows: a fixed set of hand-written messages that carry the edge
// cases the program must cope with, followed by messages generated from their id, so that a
// message looks the same in every list and on every run.
namespace Mailbox {

enum class BodyKind { Plain, Html };

// How a Hotmail page surrounds the body element(s) of class "rmsg".
enum class RmsgLayout {
    Single,        // one element
    EmptyBefore,   // an empty "rmsg" element first, then the body
    Nested,        // an outer "rmsg" holding a quote bar and the body's "rmsg" (last in page order)
    NonExactAfter, // after the body, an element of class "rmsg ad" (not exactly "rmsg")
};

// Every member has an initializer, so designated initializers may leave any of them out.
struct Message {
    int id = 0;
    std::string fromName{}; // empty: the sender shows as the bare address
    std::string fromAddress{};
    std::string to{};
    std::string via{}; // Yahoo shows " via " + via after the To value when non-empty
    std::string cc{};  // Yahoo shows a Cc line when non-empty
    std::string subject{};
    std::string date{};
    bool unread = false;
    BodyKind bodyKind = BodyKind::Plain;
    std::string body{};              // plain text with LF line ends, or HTML markup
    bool yahooMessageElement = true; // false: the Yahoo page has no element "message"
    RmsgLayout rmsgLayout = RmsgLayout::Single;

    // "Name <address>", or the address alone.
    std::string from() const;
};

constexpr int defaultCount = 30;
constexpr int maxId = 100000;

// Message `id` (1..maxId), or nothing.
std::optional<Message> message(int id);

} // namespace Mailbox
