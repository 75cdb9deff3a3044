// PuzzleCheck: whether a puzzle that comes in can be played, and what to tell the player.
#include "PuzzleCheck.h"

#include "SolverGrid.h"

PuzzleCheck::PuzzleCheck(const EnneoPuzzle& puzzle, int64_t searchBudget) : clash_(GridClash::FirstRepeat(puzzle)) {
    if (clash_) {
        verdict_ = kClash;
        return;
    }
    int solutions = SolverGrid(puzzle).CountCompletions(2, nullptr, &searchBudget);
    if (solutions < 0) {
        verdict_ = kUndecided;
    } else if (solutions == 0) {
        verdict_ = kNoSolution;
    } else if (solutions > 1) {
        verdict_ = kSeveralSolutions;
    }
}

Message PuzzleCheck::GetMessage() const {
    switch (verdict_) {
    case kClash:
        return Message(Message::kPuzzleClash,
                       {Message::Value::Unit(clash_->unit), Message::Value::CountWord(clash_->count),
                        Message::Value::Number(clash_->digit)});
    case kNoSolution: return Message(Message::kPuzzleNoSolution);
    case kSeveralSolutions: return Message(Message::kPuzzleSeveralSolutions);
    default: return Message();
    }
}
