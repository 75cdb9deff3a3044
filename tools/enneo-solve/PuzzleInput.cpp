// PuzzleInput: the puzzles held by one input of enneo-solve.
#include "PuzzleInput.h"

#include "puzzle/PuzzleLine.h"

#include <sstream>
#include <utility>

namespace {

// The line without trailing blanks, tabs and the CR of a CR LF line end.
std::string TrimEnd(const std::string& line) {
    size_t end = line.find_last_not_of(" \t\r");
    return end == std::string::npos ? std::string() : line.substr(0, end + 1);
}

std::vector<std::string> SplitLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::istringstream in(bytes);
    for (std::string line; std::getline(in, line);) lines.push_back(TrimEnd(line));
    return lines;
}

}  // namespace

PuzzleInput::PuzzleInput(const std::string& bytes) {
    std::vector<std::string> lines = SplitLines(bytes);
    size_t first = 0;
    while (first < lines.size() && lines[first].empty()) ++first;
    if (first == lines.size()) return;  // nothing in it: no puzzle
    list_ = IsPuzzleLine(lines[first]);
    if (!list_) {
        texts_.push_back(bytes);
        return;
    }
    for (size_t i = first; i < lines.size(); ++i) {
        if (lines[i].empty()) continue;
        if (IsPuzzleLine(lines[i])) {
            texts_.push_back(std::move(lines[i]));
        } else {
            badLines_.push_back({static_cast<int>(i + 1), lines[i]});
        }
    }
}

EnneoPuzzle PuzzleInput::GetPuzzle(size_t index) const {
    if (list_) return ReadPuzzleLine(texts_[index]);
    EnneoPuzzle puzzle;
    puzzle.LoadFromBytes(texts_[index].data(), texts_[index].size());
    return puzzle;
}
