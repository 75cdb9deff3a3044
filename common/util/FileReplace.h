// FileReplace: putting a finished file in the place of another, keeping its protection.
#pragma once

#include <filesystem>

namespace util {

// Moves replacement over target in one step. An existing target's protection stays with
// the name: its attributes on Windows (ReplaceFileW), its permission bits on POSIX. A
// missing target is created by the move. False when the system refuses (a folder in the
// way, no right to replace); target is then as it was and replacement still exists.
bool ReplaceKeepingProtection(const std::filesystem::path& replacement, const std::filesystem::path& target);

}  // namespace util
