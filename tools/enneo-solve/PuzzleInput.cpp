// PuzzleInput: the puzzles held by one input of enneo-solve.
#include "PuzzleInput.h"

#include "puzzle/PuzzleLine.h"

#include <utility>

namespace {

// The line without trailing blanks, tabs and the CR of a CR LF line end.
std::string_view TrimEnd(std::string_view line) {
    size_t end = line.find_last_not_of(" \t\r");
    return end == std::string_view::npos ? std::string_view() : line.substr(0, end + 1);
}

}  // namespace

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
