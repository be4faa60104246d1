#pragma once

#include <QString>

#include <optional>

// Where the program's socket lives, and whom it talks to. The socket sits in a folder only this
// user may enter, so no other user can take its name first: $XDG_RUNTIME_DIR, else a folder of
// ours in the temporary folder. Each side checks the other's user on the connection as well.
namespace InstanceSocket {

struct Place {
    QString folder; // the folder the sockets go in; empty when no safe one was found
    QString error;  // then why
};
// $XDG_RUNTIME_DIR when it is a folder of ours that no one else may enter, else
// "<temporary folder>/corvalis-<uid>", made with mode 0700 and checked to be ours in the same way.
Place place();

// True when `path` is a folder (not a link to one) owned by this user, with no access for others.
bool isPrivateFolder(const QString &path);

// True when the process at the other end of the connected local socket `descriptor` runs as
// this user.
bool peerIsThisUser(qintptr descriptor);

} // namespace InstanceSocket
