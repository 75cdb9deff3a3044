// FileReplace: saving a file safely, as a new file beside it that then takes its place.
#pragma once

#include <cstddef>
#include <filesystem>

namespace util {

// What became of writing a new file.
enum class NewFile {
    Written,      // made and written whole
    NameTaken,    // a file, folder or link already holds the name; nothing was touched
    NotMade,      // the folder takes no new file (or the name is not possible there)
    WriteFailed,  // made but not written whole; removed again
};

// Makes path only where nothing of that name exists (CREATE_NEW, O_CREAT | O_EXCL, so
// never through a link), writes count bytes into it and closes it.
NewFile WriteNewFile(const std::filesystem::path& path, const char* bytes, size_t count);

// True for an existing file marked read-only: its read-only attribute on Windows, no
// write permission for anyone on POSIX. Such a file is not saved over.
bool IsReadOnlyFile(const std::filesystem::path& path);

// Moves replacement over target in one step. An existing target's protection stays with
// the name: its attributes on Windows, given to the new file only once it is in place,
// its permission bits on POSIX. A missing target is created by the move. False when the
// system refuses (a folder in the way, no right to replace); target is then as it was
// and replacement still exists, as it was made.
bool ReplaceKeepingProtection(const std::filesystem::path& replacement, const std::filesystem::path& target);

}  // namespace util
