// RateTool: the enneo-rate command, rating puzzles from files or standard input.
#include "RateTool.h"

#include "tools/enneo-solve/PuzzleInput.h"
#include "common/TextConversion.h"
#include "puzzle/PuzzleLine.h"

#include <cstdio>
#include <ostream>
#include <utility>

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

std::string Narrow(const std::wstring& text) { return WideToUtf8(text.data(), text.size()); }

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

std::string StepText(const TechniqueStep& step) {
    std::string text = std::string("  ") + InfoOf(step.technique).name + ": " + PatternText(step) + " =>";
    for (const TechniqueStep::Candidate& placement : step.placements) {
        text += " " + CellText(placement.cell) + "=" + std::to_string(placement.digit);
    }
    for (const TechniqueStep::Candidate& elimination : step.eliminations) {
        text += " " + CellText(elimination.cell) + "<>" + std::to_string(elimination.digit);
    }
    return text + "\n";
}

}  // namespace

int RateTool::Run(const std::vector<std::wstring>& arguments) {
    std::vector<std::wstring> files;
    for (const std::wstring& argument : arguments) {
        if (argument == L"--help") {
            out_ << kUsage;
            return kAllRated;
        } else if (argument == L"--steps") {
            listSteps_ = true;
        } else if (argument.size() > 1 && argument[0] == L'-') {
            err_ << "enneo-rate: unknown option " << Narrow(argument) << " (try --help)\n";
            return kBadUsageOrInput;
        } else {
            files.push_back(argument);
        }
    }
    if (files.empty()) files.push_back(L"-");
    for (const std::wstring& name : files) {
        std::string bytes;
        if (PuzzleInput::Read(name, in_, bytes)) {
            RateInput(name, std::move(bytes));
        } else {
            Fail(Narrow(name) + ": cannot be read");
        }
    }
    if (inputError_) return kBadUsageOrInput;
    return beyondLadder_ ? kSomeBeyondLadder : kAllRated;
}

void RateTool::RateInput(const std::wstring& name, std::string bytes) {
    std::string shownName = name == L"-" ? "standard input" : Narrow(name);
    PuzzleInput input(std::move(bytes));
    if (input.GetPuzzleCount() == 0 && input.GetBadLines().empty()) {
        Fail(shownName + ": no puzzle in it");
        return;
    }
    for (const PuzzleInput::BadLine& line : input.GetBadLines()) {
        Fail(shownName + ":" + std::to_string(line.number) + ": not a puzzle of 81 cells, skipped");
    }
    std::string results;
    for (size_t i = 0; i < input.GetPuzzleCount(); ++i) {
        Report(input.GetPuzzle(i), results);
        out_.write(results.data(), static_cast<std::streamsize>(results.size()));
        results.clear();
    }
}

void RateTool::Report(const EnneoPuzzle& puzzle, std::string& results) {
    PuzzleRating rating(puzzle);
    beyondLadder_ = beyondLadder_ || !rating.IsComplete();
    char value[16];
    std::snprintf(value, sizeof value, "%.1f", rating.GetRating());
    const char* hardest = !rating.IsComplete()  ? kBeyondLadder
                          : rating.GetHardest() ? InfoOf(*rating.GetHardest()).name
                                                : kNoStep;
    results +=
        ToPuzzleLine(puzzle) + "\t" + value + "\t" + LevelName(rating.GetLevel()) + "\t" + hardest + "\n";
    if (listSteps_) {
        for (const TechniqueStep& step : rating.GetSteps()) results += StepText(step);
    }
}

void RateTool::Fail(const std::string& message) {
    err_ << "enneo-rate: " << message << '\n';
    inputError_ = true;
}
