// RateTool: the enneo-rate command, rating puzzles from files or standard input.
#include "RateTool.h"

#include "common/TextConversion.h"
#include "puzzle/PuzzleLine.h"
#include "puzzle/PuzzleRating.h"
#include "words/Words.h"

#include <cstdio>
#include <string>

namespace {

const char kUsage[] =
    "usage: enneo-rate [--steps] [FILE...]\n"
    "Rates each puzzle of each FILE, or of standard input when no FILE is named, by\n"
    "solving it with the simplest technique at every step; the hardest step rates it.\n"
    "A file is a puzzle in the program's text format, or a list of puzzles one per\n"
    "line in 81 characters ('1'-'9' a given, '.' or '0' an empty cell).\n"
    "Prints one line per puzzle: its 81 characters, the rating, the level and the\n"
    "hardest technique, separated by tabs.\n"
    "  --steps  then each step on its own line: the technique, the pattern and the\n"
    "           result, r3c5=7 a placement and r3c2<>4 an elimination (row, column)\n"
    "  --help   this text\n"
    "Exit status: 0 when every puzzle was rated to its end, 1 when the techniques ran\n"
    "out on one, 2 on a usage or input error (a missing file, a line of a list that is\n"
    "not a puzzle).\n";

// Shown as the hardest technique when the ladder ran out, or when no step was needed.
const char kBeyondLadder[] = "beyond the ladder";
const char kNoStep[] = "-";

std::string CellText(EnneoPuzzle::Cell cell) { return "r" + std::to_string(cell.y) + "c" + std::to_string(cell.x); }

// "r1c1{14} r1c4{14} in row 1": the pattern's cells with their digits, then its units.
std::string PatternText(const TechniqueStep& step) {
    const char* const kinds[] = {"row", "column", "block"};
    std::string text;
    for (size_t i = 0; i < step.pattern.size(); ++i) {
        const TechniqueStep::Candidate& candidate = step.pattern[i];
        bool sameCell =
            i > 0 && step.pattern[i - 1].cell.x == candidate.cell.x && step.pattern[i - 1].cell.y == candidate.cell.y;
        bool cellEnds = i + 1 == step.pattern.size() || step.pattern[i + 1].cell.x != candidate.cell.x ||
                        step.pattern[i + 1].cell.y != candidate.cell.y;
        if (!sameCell) text += (text.empty() ? "" : " ") + CellText(candidate.cell) + "{";
        text += static_cast<char>('0' + candidate.digit);
        if (cellEnds) text += '}';
    }
    for (size_t i = 0; i < step.units.size(); ++i) {
        text += (i == 0 ? " in " : ", ") + std::string(kinds[step.units[i].kind]) + " " +
                std::to_string(step.units[i].index + 1);
    }
    return text;
}

// The technique's name in the program's words.
std::string NameOf(Technique technique) {
    String name = Words::Say(Message(Message::NameOf(technique)));
    return WideToUtf8(name.GetText(), static_cast<size_t>(name.GetLength()));
}

std::string StepText(const TechniqueStep& step) {
    std::string text = "  " + NameOf(step.technique) + ": " + PatternText(step) + " =>";
    for (const TechniqueStep::Candidate& placement : step.placements) {
        text += " " + CellText(placement.cell) + "=" + std::to_string(placement.digit);
    }
    for (const TechniqueStep::Candidate& elimination : step.eliminations) {
        text += " " + CellText(elimination.cell) + "<>" + std::to_string(elimination.digit);
    }
    return text + "\n";
}

}  // namespace

RateTool::RateTool(std::FILE* in, std::FILE* out, std::FILE* err)
    : PuzzleCommand("enneo-rate", kUsage, in, out, err) {}

bool RateTool::TakeOption(const std::wstring& option) {
    if (option != L"--steps") return false;
    listSteps_ = true;
    return true;
}

bool RateTool::Report(EnneoPuzzle& puzzle, std::string& results) {
    PuzzleRating rating(puzzle);
    char value[16];
    std::snprintf(value, sizeof value, "%.1f", rating.GetRating());
    std::string hardest = !rating.IsComplete()  ? kBeyondLadder
                          : rating.GetHardest() ? NameOf(*rating.GetHardest())
                                                : kNoStep;
    results +=
        ToPuzzleLine(puzzle) + "\t" + value + "\t" + LevelName(rating.GetLevel()) + "\t" + hardest + "\n";
    if (listSteps_) {
        for (const TechniqueStep& step : rating.GetSteps()) results += StepText(step);
    }
    return rating.IsComplete();
}
