// NewestVersionSeen: the newest release the publisher has been seen to sign, kept in the settings.
#pragma once

#include "common/Object.h"
#include "common/String.h"
#include "common/util/IProperties.h"

namespace util {
namespace version {

// A setting (a dotted version) remembers the newest version that a latest statement
// with the publisher's signature named for this architecture, expired or not. Below it
// nothing is offered or installed: neither the program nor the updater can be taken
// back to an older release, however old a signed answer someone replays.
class NewestVersionSeen : public Object {
public:
    // The setting's name for the build's architecture: "NewestVersionSeen" for win32
    // (the name its first releases wrote), "NewestVersionSeenWin64" for win64. The
    // installs of both share one settings key, and releases of one architecture must
    // not raise what the other's program and updater read.
    static const wchar_t* GetSettingName();

    // properties: the program's settings; not owned, must outlive the object.
    explicit NewestVersionSeen(IProperties* properties);

    // The version kept; empty when none is (or the setting is not a version).
    String Get() const;
    // True when version is older than the one kept.
    bool IsBelow(const wchar_t* version) const;
    // Keeps version when it is a version newer than the one kept.
    void Raise(const wchar_t* version);

private:
    IProperties* properties_;
};

}  // namespace version
}  // namespace util
