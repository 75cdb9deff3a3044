// CriticalSectionLock: holds a CriticalSection for one scope.
#pragma once

#include "CriticalSection.h"

// Enters the critical section when made and leaves it when destroyed, so that every
// way out of the scope, an exception included, leaves it.
class CriticalSectionLock final {
public:
    explicit CriticalSectionLock(CriticalSection& section) : section_(section) { section_.Enter(); }
    ~CriticalSectionLock() { section_.Leave(); }
    CriticalSectionLock(const CriticalSectionLock&) = delete;
    CriticalSectionLock& operator=(const CriticalSectionLock&) = delete;

private:
    CriticalSection& section_;
};
