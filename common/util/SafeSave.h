// SafeSave: a file saved over its old version without ever costing it.
#pragma once

#include <cstddef>
#include <filesystem>

namespace util {

// How many names SafeSave tries for the new file it writes beside the old one:
// "<name>.saving", "<name>.saving-2", ... up to this number.
const int kSavingNames = 10;

// Saves count bytes as the file target: written into a new file beside it first, flushed,
// and then put in its place, so that a failed write never costs the old file; the old
// file's attributes or permissions stay with the name. The new file's name is one that
// no file holds, so only a file made here is ever removed. A folder that takes no new
// file (where the old file may still be writable) leaves only writing in place. False
// when nothing could be saved, and for a file marked read-only, which is not saved over.
bool SafeSave(const std::filesystem::path& target, const char* bytes, size_t count);

}  // namespace util
