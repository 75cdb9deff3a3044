// Runnable: something that can run on a thread of its own.
#pragma once

#include <cstdint>

// The work of a Thread. Run's result is a plain value, kept by the Thread until it is
// closed; it owns nothing.
class Runnable {
public:
    virtual intptr_t Run() = 0;

protected:
    ~Runnable() = default;
};
