// enneo-solve: solves puzzles from files or standard input (see SolveTool). Its entry
// point is PuzzleCommandMain's.
#include "SolveTool.h"

std::unique_ptr<PuzzleCommand> MakePuzzleCommand(std::FILE* in, std::FILE* out, std::FILE* err) {
    return std::make_unique<SolveTool>(in, out, err);
}
