// CoachSentences: the coach's answers in the words of the Hint and Check boxes.
#include "CoachSentences.h"

namespace {

// The verdicts that both boxes put alike.
String VerdictSentence(Coach::Verdict verdict) {
    switch (verdict) {
    case Coach::kSolved: return String(L"The grid is solved.");
    case Coach::kNoSolution: return String(L"The puzzle has no solution.");
    case Coach::kNoSolutionFits: return String(L"No solution of the puzzle fits the digits on the board.");
    case Coach::kSeveralSolutions: return String(L"The puzzle has more than one solution.");
    default: return String(L"The program cannot tell quickly whether the puzzle has a solution.");
    }
}

// "2, 5 and 7": the digits of a mask in ascending order.
String DigitList(int mask) {
    String text;
    for (int digit = 1; digit <= 9; ++digit) {
        if ((mask & (1 << (digit - 1))) == 0) continue;
        mask &= ~(1 << (digit - 1));
        const wchar_t* before = text.IsEmpty() ? L"" : mask == 0 ? L" and " : L", ";
        text.AppendFormat(L"%s%d", before, digit);
    }
    return text;
}

String StepSentence(const Coach::Step& step, const EnneoPuzzle& board) {
    int x = step.cell.x, y = step.cell.y, digit = step.digit;
    String text;
    if (step.strategy == SolverGrid::kTrial) {
        text.Format(L"No cell has a single digit left, and no digit has a single place in a block, a row or a "
                    L"column, so the next step is a trial in row %d, column %d: of its candidates %s, tried in "
                    L"turn, only %d leads to a solution.",
                    y, x, DigitList(board.GetCandidatesMask(x, y)), digit);
        return text;
    }
    text.Format(L"%d goes in row %d, column %d: it is the only ", digit, y, x);
    switch (step.strategy) {
    case SolverGrid::kSingleCandidate: text.AppendFormat(L"digit left for that cell."); break;
    case SolverGrid::kSingleInBlock: text.AppendFormat(L"place for %d in its block.", digit); break;
    case SolverGrid::kSingleInRow: text.AppendFormat(L"place for %d in row %d.", digit, y); break;
    default: text.AppendFormat(L"place for %d in column %d.", digit, x); break;
    }
    return text;
}

}  // namespace

String HintSentence(const Coach& coach, const EnneoPuzzle& board) {
    switch (coach.GetVerdict()) {
    case Coach::kOpen: return StepSentence(coach.GetNextStep(), board);
    case Coach::kMisfits: break;
    case Coach::kSeveralSolutions:
        return String(L"The puzzle has more than one solution, so no next step follows from the digits on the board.");
    default: return VerdictSentence(coach.GetVerdict());
    }
    EnneoPuzzle::Cell cell = coach.GetHintCell();
    String text;
    text.Format(L"The %d in row %d, column %d does not fit the puzzle's only solution.", board.GetCell(cell.x, cell.y),
                cell.y, cell.x);
    return text;
}

String CheckSentence(const Coach& coach) {
    String text;
    if (coach.GetVerdict() == Coach::kOpen) {
        int left = coach.GetCellsLeft();
        text.Format(L"Every digit so far fits the puzzle's only solution.\n%d %s left.", left,
                    left == 1 ? L"cell is" : L"cells are");
        if (std::optional<PuzzleGenerator::Level> level = coach.GetLevel()) {
            text.AppendFormat(L" Level: %s.", PuzzleGenerator::LevelName(*level));
        }
        return text;
    }
    if (coach.GetVerdict() != Coach::kMisfits) return VerdictSentence(coach.GetVerdict());
    // The solver's digits count as well as the player's: both are set digits.
    unsigned count = static_cast<unsigned>(coach.GetMisfits().size());
    text.Format(count == 1 ? L"%u digit that is not a given does not fit the puzzle's only solution."
                           : L"%u digits that are not givens do not fit the puzzle's only solution.",
                count);
    return text;
}
