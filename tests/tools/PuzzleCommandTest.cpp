// Tests of PuzzleCommand, the command line of the console tools, through a tool of its own.
#include "tools/enneo-solve/PuzzleCommand.h"

#include "tests/common/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Prints each puzzle's number of givens, after "*" with --mark; a puzzle without givens
// is not done. --strict is refused without --mark.
class GivensTool : public PuzzleCommand {
public:
    GivensTool(std::FILE* in, std::FILE* out, std::FILE* err)
        : PuzzleCommand("givens", "usage: givens\n", in, out, err) {}

private:
    bool TakeOption(const std::wstring& option) override {
        bool* flag = option == L"--mark" ? &mark_ : option == L"--strict" ? &strict_ : nullptr;
        if (flag != nullptr) *flag = true;
        return flag != nullptr;
    }
    std::string CheckOptions() const override { return strict_ && !mark_ ? "--strict needs --mark" : ""; }
    bool Report(EnneoPuzzle& puzzle, std::string& results) override {
        int givens = 0;
        for (int y = 1; y <= 9; ++y) {
            for (int x = 1; x <= 9; ++x) givens += puzzle.GetCell(x, y) != 0 ? 1 : 0;
        }
        results += (mark_ ? "*" : "") + std::to_string(givens) + "\n";
        return givens > 0;
    }

    bool mark_ = false;
    bool strict_ = false;
};

// A puzzle line whose first givens cells hold a digit.
std::string Line(int givens) { return std::string(givens, '5') + std::string(81 - givens, '.') + "\n"; }

std::string Narrow(const std::wstring& path) { return std::filesystem::path(path).string(); }

struct Outcome {
    int status;
    std::string out;
    std::vector<std::string> messages;  // the lines of the error output
};

// The tool run as a process runs it: standard input from a file, output and messages
// into files, or both into one file (then out holds both, in the order they reach it).
Outcome RunGivens(const std::vector<std::wstring>& arguments, const std::string& standardInput = "",
                  bool oneOutput = false) {
    TempFolder folder;
    WriteBytes(folder.Path("in"), standardInput);
    auto open = [&folder](const char* name, const char* mode) {
        return std::fopen((folder.Folder() / name).string().c_str(), mode);
    };
    std::FILE* in = open("in", "rb");
    std::FILE* out = open("out", oneOutput ? "ab" : "wb");  // two streams, as a shell's 2>&1 gives
    std::FILE* err = open(oneOutput ? "out" : "err", oneOutput ? "ab" : "wb");
    std::setvbuf(err, nullptr, _IONBF, 0);  // as standard error is
    int status = GivensTool(in, out, err).Run(arguments);
    for (std::FILE* file : {in, out, err}) std::fclose(file);
    Outcome outcome{status, ReadBytes(folder.Path("out")), {}};
    std::istringstream messages(oneOutput ? "" : ReadBytes(folder.Path("err")));
    for (std::string line; std::getline(messages, line);) outcome.messages.push_back(line);
    return outcome;
}

TEST(PuzzleCommandTest, OptionsGoToTheToolAndHelpOrARefusalEndsTheRun) {
    Outcome marked = RunGivens({L"--mark", L"--strict"}, Line(3));
    EXPECT_EQ(PuzzleCommand::kAllDone, marked.status);
    EXPECT_EQ("*3\n", marked.out);

    Outcome help = RunGivens({L"--mark", L"--help", L"--bogus"}, Line(3));
    EXPECT_EQ(PuzzleCommand::kAllDone, help.status);
    EXPECT_EQ("usage: givens\n", help.out);

    for (const std::vector<std::wstring>& refused :
         {std::vector<std::wstring>{L"--bogus", L"--help"}, {L"--strict"}, {L"-x", L"--mark"}}) {
        Outcome outcome = RunGivens(refused, Line(3));
        EXPECT_EQ(PuzzleCommand::kBadUsageOrInput, outcome.status);
        EXPECT_EQ("", outcome.out);
        ASSERT_EQ(1u, outcome.messages.size());
        EXPECT_EQ(0u, outcome.messages[0].find("givens: ")) << outcome.messages[0];
    }
}

TEST(PuzzleCommandTest, StandardInputWhenNoFileIsNamedAndForADash) {
    TempFolder folder;
    WriteBytes(folder.Path("a.txt"), Line(7));
    EXPECT_EQ("4\n", RunGivens({}, Line(4)).out);
    EXPECT_EQ("7\n4\n7\n", RunGivens({folder.Path("a.txt"), L"-", folder.Path("a.txt")}, Line(4)).out);
}

// Every input is read and every good puzzle worked; a bad input makes the status 2 even
// when a puzzle was not done.
TEST(PuzzleCommandTest, InputErrorsAreReportedAndTheRestIsWorked) {
    TempFolder folder;
    WriteBytes(folder.Path("list.txt"), Line(1) + "no puzzle\n\n" + Line(0) + "12345\n" + Line(2));
    WriteBytes(folder.Path("blank.txt"), " \n\n");
    std::wstring missing = folder.Path("missing.txt");
    Outcome outcome = RunGivens({folder.Path("list.txt"), folder.Path("blank.txt"), missing, L"-"}, Line(9));
    EXPECT_EQ(PuzzleCommand::kBadUsageOrInput, outcome.status);
    EXPECT_EQ("1\n0\n2\n9\n", outcome.out);
    std::string list = Narrow(folder.Path("list.txt"));
    std::vector<std::string> prefixes = {"givens: " + list + ":2:", "givens: " + list + ":5:",
                                         "givens: " + Narrow(folder.Path("blank.txt")) + ":",
                                         "givens: " + Narrow(missing) + ":"};
    ASSERT_EQ(prefixes.size(), outcome.messages.size());
    for (size_t i = 0; i < prefixes.size(); ++i) EXPECT_EQ(0u, outcome.messages[i].find(prefixes[i])) << i;

    // Output is buffered and messages are not: where both go, each message comes after
    // the output before it.
    Outcome both = RunGivens({L"-", missing}, Line(9), true);
    EXPECT_EQ(0u, both.out.find("9\ngivens: " + Narrow(missing) + ":")) << both.out;

    Outcome standardInput = RunGivens({}, "\n");
    ASSERT_EQ(1u, standardInput.messages.size());
    EXPECT_EQ(0u, standardInput.messages[0].find("givens: standard input:")) << standardInput.messages[0];
}

TEST(PuzzleCommandTest, APuzzleNotDoneMakesStatusOne) {
    Outcome outcome = RunGivens({}, Line(3) + Line(0) + Line(5));
    EXPECT_EQ(PuzzleCommand::kSomeNotDone, outcome.status);
    EXPECT_EQ("3\n0\n5\n", outcome.out);
    EXPECT_TRUE(outcome.messages.empty());
}

// Input is read and output goes out in blocks: many of them must come whole and in
// order, from standard input and from a file (read in one go), and a file shorter
// than a block must come whole too.
TEST(PuzzleCommandTest, ALongListComesOutWholeInOrder) {
    std::string list, expected;
    for (int i = 0; i < 20000; ++i) {
        list += Line(i % 82);
        expected += std::to_string(i % 82) + "\n";
    }
    EXPECT_EQ(expected, RunGivens({L"-"}, list).out);
    TempFolder folder;
    WriteBytes(folder.Path("long.txt"), list);
    WriteBytes(folder.Path("short.txt"), list.substr(0, 82 * 3));
    EXPECT_EQ(expected, RunGivens({folder.Path("long.txt")}).out);
    EXPECT_EQ(expected.substr(0, 6), RunGivens({folder.Path("short.txt")}).out);
}

}  // namespace
