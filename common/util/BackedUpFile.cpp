// BackedUpFile: a file rewritten so that a crash at any moment leaves a whole version of it.
#include "BackedUpFile.h"

#include "FileReplace.h"

#include <fstream>
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
    bytes.clear();
    std::filesystem::path path = GetPath(version);
    std::error_code error;
    std::filesystem::file_status status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found) return ReadResult::Missing;
    if (status.type() != std::filesystem::file_type::regular) return ReadResult::Failed;
    std::ifstream file(path, std::ios::binary);
    if (!file) return ReadResult::Failed;
    // Read in pieces up to the bound, so that a file that grows meanwhile is caught too.
    char piece[65536];
    while (file.read(piece, sizeof(piece)) || file.gcount() > 0) {
        bytes.append(piece, static_cast<size_t>(file.gcount()));
        if (bytes.size() > maxBytes) {
            bytes.clear();
            return ReadResult::TooLarge;
        }
    }
    if (file.bad()) {
        bytes.clear();
        return ReadResult::Failed;
    }
    return ReadResult::Read;
}

}  // namespace util
