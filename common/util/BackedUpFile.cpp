// BackedUpFile: a file rewritten so that a crash at any moment leaves a whole version of it.
#include "BackedUpFile.h"

#include "FileReplace.h"
#include "RegularFile.h"

#include <system_error>

namespace util {

namespace {

std::filesystem::path WithSuffix(std::filesystem::path path, const char* suffix) {
    path += suffix;
    return path;
}

}  // namespace

std::filesystem::path BackedUpFile::GetPath(Version version) const {
    return version == Version::Current ? path_ : WithSuffix(path_, ".bak");
}

BackedUpFile::WriteResult BackedUpFile::Write(std::string_view bytes) const {
    // A new file left by a crash holds nothing the current file or the backup lacks.
    std::filesystem::path fresh = WithSuffix(path_, ".new");
    std::error_code ignored;
    std::filesystem::remove(fresh, ignored);
    switch (WriteNewFile(fresh, bytes.data(), bytes.size())) {
    case NewFile::Written: break;
    case NewFile::WriteFailed: return WriteResult::NotWritten;
    case NewFile::NameTaken:  // a ".new" that could not be removed
    case NewFile::NotMade: return WriteResult::NotMade;
    }
    bool moved = (!std::filesystem::exists(path_, ignored) || MoveReplacing(path_, GetPath(Version::Backup))) &&
                 MoveReplacing(fresh, path_);
    if (moved) return WriteResult::Written;
    std::filesystem::remove(fresh, ignored);
    return WriteResult::NotReplaced;
}

BackedUpFile::ReadResult BackedUpFile::Read(Version version, size_t maxBytes, std::string& bytes) const {
    // One byte past the bound tells a file that is larger, or grew meanwhile.
    switch (ReadRegularFile(GetPath(version), maxBytes + 1, bytes)) {
    case RegularRead::Read: break;
    case RegularRead::Missing: return ReadResult::Missing;
    case RegularRead::NotAFile:
    case RegularRead::Failed: return ReadResult::Failed;
    }
    if (bytes.size() <= maxBytes) return ReadResult::Read;
    bytes.clear();
    return ReadResult::TooLarge;
}

}  // namespace util
