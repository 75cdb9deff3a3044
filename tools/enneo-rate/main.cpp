// enneo-rate: rates puzzles from files or standard input by the technique ladder (see
// RateTool). Its entry point is PuzzleCommandMain's.
#include "RateTool.h"

std::unique_ptr<PuzzleCommand> MakePuzzleCommand(std::FILE* in, std::FILE* out, std::FILE* err) {
    return std::make_unique<RateTool>(in, out, err);
}
