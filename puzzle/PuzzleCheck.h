// PuzzleCheck: whether a puzzle that comes in can be played, and what to tell the player.
#pragma once

#include "EnneoPuzzle.h"

#include <cstdint>
#include <string>

// Looks at every digit of a puzzle before it is loaded (pasted, opened, or a board whose
// digits are to become its givens). A digit twice in a row, a column or a block breaks
// the rules: such a puzzle is not loaded, and the sentence names the first clash. Any
// other puzzle is loaded, and the sentence says so when it has no solution or more than
// one, so that the player knows before starting.
class PuzzleCheck {
public:
    // Nodes of solution search, about a tenth of a second here: puzzles need a few
    // hundred, and a puzzle is loaded once, so the check may take longer than the
    // coach's look at a board while it is played.
    static const int64_t kSearchBudget = 100000;

    enum Verdict {
        kOneSolution,
        kClash,             // not to be loaded
        kNoSolution,        // loaded, and the player is told
        kSeveralSolutions,  // loaded, and the player is told
        kUndecided,         // the budget ran out first: loaded without a word
    };

    explicit PuzzleCheck(const EnneoPuzzle& puzzle, int64_t searchBudget = kSearchBudget);

    Verdict GetVerdict() const { return verdict_; }
    bool MayLoad() const { return verdict_ != kClash; }
    // What the player is told, empty when nothing needs telling:
    //   kClash              "This puzzle breaks the rules: row 3 holds two 5s."
    //   kNoSolution         "This puzzle has no solution."
    //   kSeveralSolutions   "This puzzle has more than one solution."
    // The first clash is found in the rows from the top, then the columns from the left,
    // then the blocks in reading order ("the top left block" ... "the bottom right
    // block"); within the first unit with a clash, the smallest digit that repeats, with
    // the number of times it stands there ("three 5s").
    const std::wstring& GetSentence() const { return sentence_; }

private:
    // The first clash's sentence; false when no digit repeats.
    bool FindClash(const EnneoPuzzle& puzzle);

    Verdict verdict_ = kOneSolution;
    std::wstring sentence_;
};
