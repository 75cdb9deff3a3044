// UpdateLock: one copy at a time updates the program in a folder.
#include "UpdateLock.h"

#include <cstdint>
#include <cwctype>
#include <string>

namespace util {
namespace version {

namespace {

// "Local\Enneo Tessary update <FNV-1a hash of the folder's upper-case path>": a kernel
// object's name takes no backslash of its own.
std::wstring MutexName(const wchar_t* folder) {
    uint64_t hash = 0xcbf29ce484222325ull;
    for (const wchar_t* c = folder; *c != 0; ++c) {
        hash = (hash ^ static_cast<uint16_t>(std::towupper(*c))) * 0x100000001b3ull;
    }
    wchar_t name[64];
    swprintf(name, 64, L"Local\\Enneo Tessary update %016llx", static_cast<unsigned long long>(hash));
    return name;
}

}  // namespace

UpdateLock::UpdateLock(const wchar_t* folder)
    : Object(L"UpdateLock"), mutex_(CreateMutexW(nullptr, FALSE, MutexName(folder).c_str())) {}

UpdateLock::~UpdateLock() {
    if (held_) ReleaseMutex(mutex_);
    if (mutex_ != nullptr) CloseHandle(mutex_);
}

bool UpdateLock::Acquire(DWORD milliseconds) {
    if (mutex_ == nullptr) return false;
    if (!held_) {
        DWORD result = WaitForSingleObject(mutex_, milliseconds);
        held_ = result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
    }
    return held_;
}

}  // namespace version
}  // namespace util
