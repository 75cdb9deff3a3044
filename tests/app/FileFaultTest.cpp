// File faults in the real program: a test build of Enneo.exe is started, its file
// dialogs are answered, and it must report what fails, keep the user's files and go on.
#include "puzzle/EnneoPuzzle.h"
#include "resources/resource.h"
#include "tests/common/TestFiles.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/ProgramUnderTest.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <random>
#include <string>

namespace {

const wchar_t kErrorCaption[] = L"Error (not very fatal)";

class FileFaultTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(program_.Start(ProgramUnderTest::WindowsPath(ENNEO_FILE_TEST_PROGRAM), folder_.Path("")));
        board_ = program_.WaitForWindow(L"Enneo Tessary");
        ASSERT_NE(nullptr, board_) << "the board window did not appear";
    }

    // Runs a menu command and answers the boxes it shows; their texts.
    std::vector<std::wstring> Command(int command, std::vector<DialogDriver::Answer> answers) {
        DialogDriver driver(std::move(answers), program_.GetId());
        PostMessageW(board_, WM_COMMAND, command, 0);
        return driver.Texts();
    }
    // Opens path through the Open dialog; the texts of the boxes that came after it.
    std::vector<std::wstring> Open(const std::wstring& path) {
        std::vector<std::wstring> texts = Command(ID_MFILE_OPEN, {{L"", path, IDOK}, {kErrorCaption, L"", IDOK}});
        texts.erase(texts.begin());
        return texts;
    }
    // Saves the board to path through the Save dialog; the program has written it when
    // this returns.
    void Save(const std::wstring& path) {
        Command(ID_MFILE_Save, {{L"", path, IDOK}});
        ExpectResponsive();
    }
    // The program runs and answers its board window within five seconds.
    void ExpectResponsive() {
        DWORD_PTR result = 0;
        EXPECT_TRUE(program_.IsRunning()) << "the program has ended";
        EXPECT_NE(0, SendMessageTimeoutW(board_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result))
            << "the board window does not answer";
    }
    // The bytes the puzzle library saves for a puzzle.
    std::string SavedBytes(EnneoPuzzle& puzzle) {
        std::wstring expected = folder_.Path("expected.enn");
        EXPECT_TRUE(puzzle.Save(expected.c_str()));
        return ReadBytes(expected);
    }

    TempFolder folder_;
    ProgramUnderTest program_;
    HWND board_ = nullptr;
};

// A folder the program may not add files to: its old file stays as it was.
TEST_F(FileFaultTest, ASaveIntoAFolderThatCannotBeWrittenIsReportedAndKeepsTheOldFile) {
    const char* unixFolder = std::getenv("ENNEO_READ_ONLY_FOLDER");
    ASSERT_NE(nullptr, unixFolder) << "ENNEO_READ_ONLY_FOLDER is not set: run these tests through ctest";
    std::wstring folder = ProgramUnderTest::WindowsPath(unixFolder);
    std::wstring probe = folder + L"\\probe";
    HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
        DeleteFileW(probe.c_str());
        GTEST_SKIP() << "this machine cannot take the right to write from the folder";
    }
    std::wstring kept = folder + L"\\kept.enn";
    std::string old = ReadBytes(kept);
    ASSERT_FALSE(old.empty());

    // The dialog, its prompt to replace the file, the error.
    std::vector<std::wstring> texts =
        Command(ID_MFILE_Save, {{L"", kept, IDOK}, {L"", L"", IDYES}, {kErrorCaption, L"", IDOK}});
    ASSERT_EQ(3u, texts.size());
    EXPECT_EQ(L"Your enneo has died.\nError saving Enneo to file.", texts[2]);
    EXPECT_EQ(old, ReadBytes(kept));
    ExpectResponsive();
}

// The Open dialog goes into a folder instead of handing it over; the program goes on.
TEST_F(FileFaultTest, OpeningAFolderLeavesTheProgramRunning) {
    CreateDirectoryW(folder_.Path("puzzles.enn").c_str(), nullptr);
    Command(ID_MFILE_OPEN, {{L"", folder_.Path("puzzles.enn"), IDOK}, {L"", L"", IDCANCEL}});
    ExpectResponsive();
    Save(folder_.Path("after.enn"));
    EnneoPuzzle sample;
    sample.LoadFromString(EnneoPuzzle::kSampleText);
    EXPECT_EQ(SavedBytes(sample), ReadBytes(folder_.Path("after.enn")));  // the board is as it was
}

// A 100 MB file and a file of random bytes open at once, as far as they read as a
// puzzle, and the board is what the puzzle reader makes of them.
TEST_F(FileFaultTest, HugeAndRandomFilesOpenWithoutCrashOrHang) {
    std::string huge(100 * 1024 * 1024, '7');
    huge.replace(0, 11, "1 2 3 4 5 6");
    WriteBytes(folder_.Path("huge.enn"), huge);
    huge.clear();
    std::mt19937 random(20261208);
    std::string noise(64 * 1024, '\0');
    for (char& byte : noise) byte = static_cast<char>(random());
    WriteBytes(folder_.Path("noise.enn"), noise);

    for (const char* name : {"huge.enn", "noise.enn"}) {
        SCOPED_TRACE(name);
        auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(std::vector<std::wstring>{L"<no dialog>"}, Open(folder_.Path(name)));
        ExpectResponsive();
        std::wstring saved = folder_.Path((std::string(name) + ".saved").c_str());
        Save(saved);
        EnneoPuzzle opened;
        ASSERT_TRUE(opened.Load(folder_.Path(name).c_str()));
        EXPECT_EQ(SavedBytes(opened), ReadBytes(saved));
        EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 30.0);
    }
}

}  // namespace
