// PuzzleCommand: the command line that the console tools over puzzles share (enneo-solve, enneo-rate).
#pragma once

#include "puzzle/EnneoPuzzle.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

// Runs one command line of a tool: takes the options (--help and the tool's own), reads
// each named file (standard input when none is named, or for "-"), reports what is wrong
// with an input and hands each puzzle to the tool, whose reports it writes in order.
// Output goes to out, messages to err, each message starting with the tool's name. The
// streams are C's, not C++'s: building the iostreams' locale at a tool's start takes
// 0.1 to 0.2 ms and a dozen fresh pages, as long as many a run's whole work.
class PuzzleCommand {
public:
    // Exit statuses.
    static constexpr int kAllDone = 0;
    static constexpr int kSomeNotDone = 1;  // the tool did not take a puzzle to its end
    static constexpr int kBadUsageOrInput = 2;

    virtual ~PuzzleCommand() = default;
    PuzzleCommand(const PuzzleCommand&) = delete;
    PuzzleCommand& operator=(const PuzzleCommand&) = delete;

    // arguments without the program name; file names are wide text.
    int Run(const std::vector<std::wstring>& arguments);

protected:
    // name starts every message; usage is what --help prints. Both must outlive the command.
    PuzzleCommand(const char* name, const char* usage, std::FILE* in, std::FILE* out, std::FILE* err)
        : name_(name), usage_(usage), in_(in), out_(out), err_(err) {}

    // Takes one of the tool's own options; false when option is none of them.
    virtual bool TakeOption(const std::wstring& option) = 0;
    // What is wrong with the options taken together, or empty when nothing is.
    virtual std::string CheckOptions() const { return std::string(); }
    // Works on the puzzle (in place, if the tool changes it) and appends what the command
    // prints for it; false when the work did not come to its end.
    virtual bool Report(EnneoPuzzle& puzzle, std::string& results) = 0;

private:
    void RunInput(const std::wstring& name);
    // Writes "name: message" to err, after what out holds so far, as a line of its own.
    void Say(const std::string& message);
    // Says message and makes the exit status kBadUsageOrInput.
    void Fail(const std::string& message);

    const char* name_;
    const char* usage_;
    std::FILE* in_;
    std::FILE* out_;
    std::FILE* err_;
    bool inputError_ = false;
    bool notDone_ = false;
};

// The program's command over the given streams. Each program that links
// enneo_puzzle_command_main defines it; that library's main runs it on the process's
// arguments and standard streams and returns its exit status.
std::unique_ptr<PuzzleCommand> MakePuzzleCommand(std::FILE* in, std::FILE* out, std::FILE* err);
