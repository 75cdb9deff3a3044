// UsesWinsock: the scope in which the sockets library may be used.
#pragma once

#include "common/Object.h"

namespace net {

// Starts the sockets library (Windows Sockets 2.2) on construction and stops it on
// destruction; the library counts its start-ups, so scopes may nest. A failed start
// raises nothing here: the first socket call after it fails and raises its own error.
// POSIX sockets need no start, and there the scope does nothing.
class UsesWinsock : public Object {
public:
    UsesWinsock();
    ~UsesWinsock();
    UsesWinsock(const UsesWinsock&) = delete;
    UsesWinsock& operator=(const UsesWinsock&) = delete;
};

}  // namespace net
