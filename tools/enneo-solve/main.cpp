// enneo-solve: solves puzzles from files or standard input (see SolveTool). Its entry
// point is PuzzleCommandMain's.
#include "SolveTool.h"

std::unique_ptr<PuzzleCommand> MakePuzzleCommand(std::istream& in, std::ostream& out, std::ostream& err) {
    return std::make_unique<SolveTool>(in, out, err);
}
