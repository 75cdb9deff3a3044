// BackedUpFile: a file rewritten so that a crash at any moment leaves a whole version of it.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace util {

// A file that is only ever replaced whole, with its previous version kept beside it as
// "<name>.bak". Write makes "<name>.new", flushes it to the disk, moves the current file
// to the backup's place and then the new file to the current one's; a crash at any
// moment leaves the current file whole, or (between the two moves) none but a whole
// backup. Whether a version that was read is sound is the caller's to judge: a damaged
// current file is the sign to read the backup.
class BackedUpFile {
public:
    enum class Version { Current, Backup };
    enum class WriteResult {
        Written,
        NotMade,      // no new file could be made in the folder (missing or read-only)
        NotWritten,   // the new file could not be written whole (a full disk)
        NotReplaced,  // the new file could not take the current one's place (held open, read-only)
    };
    enum class ReadResult {
        Read,      // bytes hold the whole file
        Missing,   // no file of that name
        TooLarge,  // longer than the bound; nothing kept of it
        Failed,    // a folder, device or pipe of that name, or the system refused to read it
    };

    explicit BackedUpFile(std::filesystem::path path) : path_(std::move(path)) {}

    std::filesystem::path GetPath(Version version = Version::Current) const;
    // After any failure (a missing or read-only folder, a full disk, a file held open)
    // the current file, or else the backup, is still a whole earlier version, and no
    // new file is left behind.
    WriteResult Write(std::string_view bytes) const;
    // Reads the version whole into bytes, if it holds at most maxBytes.
    ReadResult Read(Version version, size_t maxBytes, std::string& bytes) const;

private:
    std::filesystem::path path_;
};

}  // namespace util
