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
// never through a link), writes count bytes into it, flushes them to the disk (so that
// a crash after a move of the file into another's place never leaves it empty) and
// closes it.
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

// Moves the file from over the file to (or to a free name) in one step, written through
// to the disk before it returns. False when the system refuses (a folder in the way; on
// Windows also a read-only file, or one held open without sharing its deletion); both
// are then as they were.
bool MoveReplacing(const std::filesystem::path& from, const std::filesystem::path& to);

// Moves the file from to the name to only where nothing holds that name (never over
// another file, in one step, so a file that appears meanwhile is not lost), written
// through to the disk. False when refused (the name is taken, the file held open); both
// are then as they were.
bool MoveToFreeName(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace util
