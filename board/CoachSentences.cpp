// CoachSentences: the coach's answers in the words of the Hint and Check boxes.
#include "CoachSentences.h"

namespace {

// The verdicts that both boxes put alike.
String VerdictSentence(Coach::Verdict verdict) {
    switch (verdict) {
    case Coach::kSolved: return String(L"The grid is solved.");
    case Coach::kNoSolution: return String(L"The puzzle has no solution.");
    case Coach::kSeveralSolutions: return String(L"The puzzle has more than one solution.");
    default: return String(L"The program cannot tell quickly whether the puzzle has a solution.");
    }
}

String StepSentence(const Coach::Step& step) {
    int x = step.cell.x, y = step.cell.y, digit = step.digit;
    String text;
    if (step.strategy == SolverGrid::kTrial) {
        text.Format(L"No cell has a single digit left, and no digit a single place in a block, a row or a column, "
                    L"so the next step is a trial: the solver would try %d in row %d, column %d.",
                    digit, y, x);
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
    if (coach.GetVerdict() == Coach::kOpen) return StepSentence(coach.GetNextStep());
    if (coach.GetVerdict() != Coach::kMisfits) return VerdictSentence(coach.GetVerdict());
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
        text.Format(L"Every digit so far fits the puzzle's only solution.\n%d %s left. The puzzle is %s.", left,
                    left == 1 ? L"cell is" : L"cells are", PuzzleGenerator::LevelName(coach.GetLevel()));
        return text;
    }
    if (coach.GetVerdict() != Coach::kMisfits) return VerdictSentence(coach.GetVerdict());
    unsigned count = static_cast<unsigned>(coach.GetMisfits().size());
    text.Format(L"%u of your digits %s not fit the puzzle's only solution.", count, count == 1 ? L"does" : L"do");
    return text;
}
