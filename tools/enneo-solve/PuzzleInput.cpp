// PuzzleInput: the puzzles held by one input of the console tools (enneo-solve, enneo-rate).
#include "PuzzleInput.h"

#include "common/FilePath.h"
#include "puzzle/PuzzleLine.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <istream>
#include <utility>

namespace {

// The line without trailing blanks, tabs and the CR of a CR LF line end.
std::string_view TrimEnd(std::string_view line) {
    size_t end = line.find_last_not_of(" \t\r");
    return end == std::string_view::npos ? std::string_view() : line.substr(0, end + 1);
}

// A stream's remaining bytes, read straight into the string: in one read when room for
// them all is reserved, else in growing blocks. Only the room reserved is filled before
// the read (a small file's read does not clear a whole block of fresh pages).
bool ReadAll(std::istream& in, std::string& bytes) {
    const size_t kBlock = 1 << 16;
    while (in) {
        size_t size = bytes.size();
        size_t reserved = bytes.capacity() - size;
        bytes.resize(size + (reserved > 1 ? reserved : kBlock));
        in.read(bytes.data() + size, static_cast<std::streamsize>(bytes.size() - size));
        bytes.resize(size + static_cast<size_t>(in.gcount()));
    }
    return !in.bad();
}

}  // namespace

bool PuzzleInput::Read(const std::wstring& name, std::istream& in, std::string& bytes) {
    if (name == L"-") return ReadAll(in, bytes);
    std::filesystem::path path = ToFilePath(name.c_str());
    std::error_code ignored;
    std::ifstream file(path, std::ios::binary);
    if (!file || std::filesystem::is_directory(path, ignored)) return false;
    // Room for the whole file and one byte more, so that one read takes it and sees its end.
    std::error_code sizeUnknown;
    std::uintmax_t size = std::filesystem::file_size(path, sizeUnknown);
    if (!sizeUnknown && size < bytes.max_size()) bytes.reserve(static_cast<size_t>(size) + 1);
    return ReadAll(file, bytes);
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
