// CriticalSection: a recursive lock over a Win32 critical section.
#pragma once

#include "common/Object.h"

#include <windows.h>

// Wraps one Win32 critical section. The holding thread may enter it again and must
// leave it as often; the owner pairs Enter and Leave (see CriticalSectionLock).
class CriticalSection final : public Object {
public:
    CriticalSection() : Object(L"CriticalSection") { InitializeCriticalSection(&section_); }
    ~CriticalSection() { DeleteCriticalSection(&section_); }
    CriticalSection(const CriticalSection&) = delete;
    CriticalSection& operator=(const CriticalSection&) = delete;

    void Enter() { EnterCriticalSection(&section_); }
    void Leave() { LeaveCriticalSection(&section_); }

private:
    CRITICAL_SECTION section_;
};
