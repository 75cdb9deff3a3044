// UpdateLock: one copy at a time updates the program in a folder.
#pragma once

#include "common/Object.h"

#include <windows.h>

namespace util {
namespace version {

// A named mutex of the current session, one per program folder (its name comes from the
// folder's path, whatever its case): the program holds it from the download of an
// update until it ends, the updater while it installs, and a start only removes what an
// update left while it holds it. So two copies of the program in one folder never
// download over each other, and no start deletes what an updater is still using.
class UpdateLock final : public Object {
public:
    // folder: the program's folder, ending in a backslash.
    explicit UpdateLock(const wchar_t* folder);
    // Lets the mutex go when held.
    ~UpdateLock();
    UpdateLock(const UpdateLock&) = delete;
    UpdateLock& operator=(const UpdateLock&) = delete;

    // True once this object holds the mutex (a holder that ended without letting it go
    // counts as gone), false when another holds it past the time or it cannot be made.
    bool Acquire(DWORD milliseconds);

private:
    HANDLE mutex_;
    bool held_ = false;
};

}  // namespace version
}  // namespace util
