// PuzzleCheck: whether a puzzle that comes in can be played, and what to tell the player.
#pragma once

#include "EnneoPuzzle.h"
#include "GridClash.h"
#include "Message.h"

#include <cstdint>
#include <optional>

// Looks at every digit of a puzzle before it is loaded (pasted, opened, or a board whose
// digits are to become its givens). A digit twice in a row, a column or a block breaks
// the rules: such a puzzle is not loaded, and the message names the first clash. Any
// other puzzle is loaded, and the message says so when it has no solution or more than
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
    // kClash: the first clash (see GridClash::FirstRepeat).
    const std::optional<GridClash::Repeat>& GetClash() const { return clash_; }
    // What the player is told, empty when nothing needs telling: kPuzzleClash with the
    // clash's unit, count and digit ("row 3 holds two 5s"), kPuzzleNoSolution or
    // kPuzzleSeveralSolutions.
    Message GetMessage() const;

private:
    Verdict verdict_ = kOneSolution;
    std::optional<GridClash::Repeat> clash_;
};
