// PuzzleCommand: the command line that the console tools over puzzles share (enneo-solve, enneo-rate).
#include "PuzzleCommand.h"

#include "PuzzleInput.h"
#include "common/TextConversion.h"

#include <utility>

namespace {

std::string Narrow(const std::wstring& text) { return WideToUtf8(text.data(), text.size()); }

}  // namespace

int PuzzleCommand::Run(const std::vector<std::wstring>& arguments) {
    std::vector<std::wstring> files;
    for (const std::wstring& argument : arguments) {
        bool option = argument.size() > 1 && argument[0] == L'-';  // "-" alone is standard input
        if (argument == L"--help") {
            std::fputs(usage_, out_);
            return kAllDone;
        } else if (!option) {
            files.push_back(argument);
        } else if (!TakeOption(argument)) {
            Say("unknown option " + Narrow(argument) + " (try --help)");
            return kBadUsageOrInput;
        }
    }
    std::string optionsError = CheckOptions();
    if (!optionsError.empty()) {
        Say(optionsError + " (try --help)");
        return kBadUsageOrInput;
    }
    if (files.empty()) files.push_back(L"-");
    for (const std::wstring& name : files) RunInput(name);
    if (inputError_) return kBadUsageOrInput;
    return notDone_ ? kSomeNotDone : kAllDone;
}

void PuzzleCommand::RunInput(const std::wstring& name) {
    std::string bytes;
    if (!PuzzleInput::Read(name, in_, bytes)) {
        Fail(Narrow(name) + ": cannot be read");
        return;
    }
    std::string shownName = name == L"-" ? "standard input" : Narrow(name);
    PuzzleInput input(std::move(bytes));
    if (input.GetPuzzleCount() == 0 && input.GetBadLines().empty()) {
        Fail(shownName + ": no puzzle in it");
        return;
    }
    for (const PuzzleInput::BadLine& line : input.GetBadLines()) {
        Fail(shownName + ":" + std::to_string(line.number) + ": not a puzzle of 81 cells, skipped");
    }
    // Written in blocks: a write per puzzle costs more than its solve, and one write of
    // all would hold the whole output in fresh memory.
    const size_t kOutputBlock = 1 << 14;
    std::string results;
    results.reserve(2 * kOutputBlock);  // a block and the longest report of one puzzle
    for (size_t i = 0; i < input.GetPuzzleCount(); ++i) {
        EnneoPuzzle puzzle = input.GetPuzzle(i);
        notDone_ = !Report(puzzle, results) || notDone_;
        if (results.size() >= kOutputBlock || i + 1 == input.GetPuzzleCount()) {
            std::fwrite(results.data(), 1, results.size(), out_);
            results.clear();
        }
    }
}

void PuzzleCommand::Say(const std::string& message) {
    std::fflush(out_);  // out is buffered, err is not: where both go to one place, in order
    std::fputs((name_ + (": " + message) + "\n").c_str(), err_);
}

void PuzzleCommand::Fail(const std::string& message) {
    Say(message);
    inputError_ = true;
}
