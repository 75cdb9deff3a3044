// PuzzleInput: the puzzles held by one input of the console tools (enneo-solve, enneo-rate).
#include "PuzzleInput.h"

#include "common/FilePath.h"
#include "puzzle/PuzzleLine.h"

#include <sys/stat.h>
#include <utility>

namespace {

// The line without trailing blanks, tabs and the CR of a CR LF line end.
std::string_view TrimEnd(std::string_view line) {
    size_t end = line.find_last_not_of(" \t\r");
    return end == std::string_view::npos ? std::string_view() : line.substr(0, end + 1);
}

// The size of an ordinary file, or 0 for anything else (a pipe, a terminal, a folder).
size_t RegularFileSize(std::FILE* file) {
#ifdef _WIN32
    struct _stat64 status;
    bool regular = _fstat64(_fileno(file), &status) == 0 && (status.st_mode & _S_IFMT) == _S_IFREG;
#else
    struct stat status;
    bool regular = fstat(fileno(file), &status) == 0 && S_ISREG(status.st_mode);
#endif
    return regular && status.st_size > 0 ? static_cast<size_t>(status.st_size) : 0;
}

// A file's remaining bytes, read straight into the string: in one read when it is an
// ordinary file (room for it and one byte more, so that the read sees its end), else
// in blocks. Only the room made for a read is cleared before it (a small file's read
// does not clear a whole block of fresh pages).
bool ReadAll(std::FILE* file, std::string& bytes) {
    const size_t kBlock = 1 << 16;
    size_t size = RegularFileSize(file);
    size_t room = size > 0 && size < bytes.max_size() - bytes.size() ? size + 1 : kBlock;
    for (;;) {
        size_t before = bytes.size();
        bytes.resize(before + room);
        size_t read = std::fread(bytes.data() + before, 1, room, file);
        bytes.resize(before + read);
        if (read < room) return std::ferror(file) == 0;
        room = kBlock;
    }
}

std::FILE* OpenForReading(const std::wstring& name) {
    std::filesystem::path path = ToFilePath(name.c_str());
#ifdef _WIN32
    return _wfopen(path.c_str(), L"rb");
#else
    return std::fopen(path.c_str(), "rb");
#endif
}

}  // namespace

bool PuzzleInput::Read(const std::wstring& name, std::FILE* in, std::string& bytes) {
    if (name == L"-") return ReadAll(in, bytes);
    std::FILE* file = OpenForReading(name);
    if (file == nullptr) return false;
    bool read = ReadAll(file, bytes);  // a folder opens outside Windows, and fails here
    std::fclose(file);
    return read;
}

PuzzleInput::PuzzleInput(std::string bytes) : bytes_(std::move(bytes)) {
    std::string_view rest = bytes_;
    bool first = true;
    for (int number = 1; !rest.empty(); ++number) {
        size_t end = rest.find('\n');
        std::string_view line = TrimEnd(rest.substr(0, end));
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        if (line.empty()) continue;
        bool puzzle = IsPuzzleLine(line);
        if (first) {
            first = false;
            list_ = puzzle;
            if (!list_) {
                puzzles_.push_back(bytes_);
                return;
            }
            // A puzzle line takes 82 bytes with its line end (the last may lack it),
            // so this is room for every puzzle of the list.
            puzzles_.reserve(bytes_.size() / 82 + 1);
        }
        if (puzzle) {
            puzzles_.push_back(line);
        } else {
            badLines_.push_back({number});
        }
    }
}

EnneoPuzzle PuzzleInput::GetPuzzle(size_t index) const {
    if (list_) return ReadPuzzleLine(puzzles_[index]);
    EnneoPuzzle puzzle;
    puzzle.LoadFromBytes(puzzles_[index].data(), puzzles_[index].size());
    return puzzle;
}
