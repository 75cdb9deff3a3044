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
#include <cstring>
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
    // Saves the board to path through the Save dialog; the program has written it when
    // this returns.
    void Save(const std::wstring& path) {
        Command(ID_MFILE_Save, {{L"", path, IDOK}});
        ExpectNoBox();
    }
    // The program runs and has ended the last command without a box. Once the answered
    // dialogs have gone, the board window answers (within five seconds) only after the
    // command has ended or from the modal loop of a box, which is then there to be found.
    void ExpectNoBox() {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (DialogDriver::HasDialog(program_.GetId()) && std::chrono::steady_clock::now() < deadline) Sleep(20);
        DWORD_PTR result = 0;
        EXPECT_TRUE(program_.IsRunning()) << "the program has ended";
        EXPECT_NE(0, SendMessageTimeoutW(board_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result))
            << "the board window does not answer";
        EXPECT_FALSE(DialogDriver::HasDialog(program_.GetId())) << "the program shows a box";
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

// A folder the program may not add files to: a new file there is reported, and the old
// file there, which the program may still write, is saved over in place.
TEST_F(FileFaultTest, AFolderThatTakesNoNewFileIsSavedIntoOnlyInPlace) {
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
    std::wstring added = folder + L"\\added.enn";
    std::vector<std::wstring> texts = Command(ID_MFILE_Save, {{L"", added, IDOK}, {kErrorCaption, L"", IDOK}});
    ASSERT_EQ(2u, texts.size());
    EXPECT_EQ(L"Your enneo has died.\nError saving Enneo to file.", texts[1]);
    EXPECT_FALSE(FileExists(added));
    ExpectNoBox();

    std::wstring kept = folder + L"\\kept.enn";
    // The dialog and its prompt to replace the file.
    Command(ID_MFILE_Save, {{L"", kept, IDOK}, {L"", L"", IDYES}});
    ExpectNoBox();
    EnneoPuzzle sample;
    sample.LoadFromString(EnneoPuzzle::kSampleText);
    EXPECT_EQ(SavedBytes(sample), ReadBytes(kept));
}

// The Open dialog goes into a folder instead of handing it over; the program goes on.
TEST_F(FileFaultTest, OpeningAFolderLeavesTheProgramRunning) {
    CreateDirectoryW(folder_.Path("puzzles.enn").c_str(), nullptr);
    // Both answers go to the Open dialog, which is still there for the second.
    std::vector<std::wstring> texts =
        Command(ID_MFILE_OPEN, {{L"", folder_.Path("puzzles.enn"), IDOK}, {L"", L"", IDCANCEL}});
    EXPECT_EQ((std::vector<std::wstring>{L"", L""}), texts);
    ExpectNoBox();
    Save(folder_.Path("after.enn"));
    EnneoPuzzle sample;
    sample.LoadFromString(EnneoPuzzle::kSampleText);
    EXPECT_EQ(SavedBytes(sample), ReadBytes(folder_.Path("after.enn")));  // the board is as it was
}

// A device named on the command line (a serial port, whose read would wait for ever) is
// refused at once by its name: the board comes up and a box says so.
TEST_F(FileFaultTest, ADeviceOnTheCommandLineIsRefusedAtOnce) {
    ASSERT_TRUE(program_.Start(ProgramUnderTest::WindowsPath(ENNEO_FILE_TEST_PROGRAM), folder_.Path(""), L"", L"COM1"));
    DialogDriver driver({{L"Open", L"", IDOK}}, program_.GetId());
    board_ = program_.WaitForWindow(L"Enneo Tessary");
    ASSERT_NE(nullptr, board_) << "the board window did not appear";
    std::vector<std::wstring> texts = driver.Texts();
    ASSERT_EQ(1u, texts.size());
    EXPECT_NE(std::wstring::npos, texts[0].find(L"COM1")) << "the box does not name the device";
    ExpectNoBox();
    EnneoPuzzle sample;
    sample.LoadFromString(EnneoPuzzle::kSampleText);
    Save(folder_.Path("after.enn"));
    EXPECT_EQ(SavedBytes(sample), ReadBytes(folder_.Path("after.enn")));  // the board is as it was
}

// A 100 MB file and a file of random bytes are read at once, as far as the bound of what
// is read: neither holds a puzzle, a box says so by the file's name, and the board stays.
TEST_F(FileFaultTest, HugeAndRandomFilesAreRefusedWithoutCrashOrHang) {
    std::string huge(100 * 1024 * 1024, '7');
    huge.replace(0, 11, "1 2 3 4 5 6");
    WriteBytes(folder_.Path("huge.enn"), huge);
    huge.clear();
    std::mt19937 random(20261208);
    std::string noise(64 * 1024, '\0');
    for (char& byte : noise) byte = static_cast<char>(random());
    WriteBytes(folder_.Path("noise.enn"), noise);

    EnneoPuzzle sample;
    sample.LoadFromString(EnneoPuzzle::kSampleText);
    for (const char* name : {"huge.enn", "noise.enn"}) {
        SCOPED_TRACE(name);
        std::vector<std::wstring> texts =
            Command(ID_MFILE_OPEN, {{L"", folder_.Path(name), IDOK}, {L"Open", L"", IDOK}});
        ASSERT_EQ(2u, texts.size());
        EXPECT_EQ(0u, texts[1].find(L"No puzzle was found in the file \"" +
                                    std::wstring(name, name + std::strlen(name)) + L"\"."));
        ExpectNoBox();
        std::wstring saved = folder_.Path((std::string(name) + ".saved").c_str());
        Save(saved);
        EXPECT_EQ(SavedBytes(sample), ReadBytes(saved));
    }
}

}  // namespace
