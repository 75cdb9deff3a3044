// Tests of the text format: printing, the reader's rules, loading and saving files.
#include "puzzle/EnneoPuzzle.h"

#include "PuzzleTestGrids.h"
#include "common/util/SafeSave.h"
#include "tests/common/TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

namespace fs = std::filesystem;

namespace {

EnneoPuzzle Loaded(const std::string& bytes) {
    EnneoPuzzle puzzle;
    puzzle.LoadFromBytes(bytes.data(), bytes.size());
    return puzzle;
}

// Gives a file a protection that a new file does not get: the hidden and system
// attributes on Windows, unusual permission bits elsewhere.
#ifdef _WIN32
const DWORD kProtection = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
void Protect(const fs::path& file) { SetFileAttributesW(file.c_str(), kProtection); }
bool IsProtected(const fs::path& file) { return (GetFileAttributesW(file.c_str()) & kProtection) == kProtection; }
#else
const fs::perms kUnusualPermissions = fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read;
void Protect(const fs::path& file) { fs::permissions(file, kUnusualPermissions); }
bool IsProtected(const fs::path& file) { return fs::status(file).permissions() == kUnusualPermissions; }
#endif

// Marks a file read-only, as a user would, or takes the mark away again.
void MarkReadOnly(const fs::path& file, bool readOnly) {
#ifdef _WIN32
    SetFileAttributesW(file.c_str(), readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
#else
    fs::permissions(file, readOnly ? fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read
                                   : fs::perms::owner_read | fs::perms::owner_write);
#endif
}

// A folder of its own for each test, removed afterwards.
class PuzzleFileTest : public ::testing::Test {
protected:
    fs::path File(const char* name) const { return folder_.Folder() / name; }
    // The names in the folder, sorted.
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder_.Folder())) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    TempFolder folder_;
};

TEST(EnneoPuzzleTextTest, PrintsTheEmptyGrid) {
    EnneoPuzzle puzzle;
    std::wstring line = L" . . . | . . . | . . .\r\n";
    std::wstring separator = L"-------+-------+------\r\n";
    std::wstring expected = line + line + line + separator + line + line + line + separator + line + line + line;
    EXPECT_EQ(264u, expected.size());
    EXPECT_EQ(expected, puzzle.Print());
}

TEST(EnneoPuzzleTextTest, LoadsTheSampleAsGivens) {
    EXPECT_EQ(261u, std::strlen(EnneoPuzzle::kSampleText));
    EnneoPuzzle puzzle;
    puzzle.LoadFromString(EnneoPuzzle::kSampleText);
    EXPECT_EQ(kSampleLine, ToPuzzleLine(puzzle));
    int givens = 0;
    for (int x = 1; x <= 9; ++x) {
        for (int y = 1; y <= 9; ++y) givens += puzzle.GetCellState(x, y) == EnneoPuzzle::CELL_KNOWN;
    }
    EXPECT_EQ(25, givens);
    puzzle.SetCell(1, 1, 8, EnneoPuzzle::CELL_SET);  // printed like the givens
    EXPECT_EQ(std::wstring(L" 8 9 7 | 3 . 5 | . 4 .\r\n"), std::wstring(puzzle.Print()).substr(0, 24));
}

TEST(EnneoPuzzleTextTest, OnlyCarriageReturnAdvancesTheRow) {
    // LF-only line ends: the first nine cells fill row 1 and the rest is dropped.
    EnneoPuzzle puzzle = Loaded(" 1 2 3 | 4 5 6 | 7 8 9\n 4 5 6 | 7 8 9 | 1 2 3\n");
    EXPECT_EQ(std::string("123456789") + std::string(72, '.'), ToPuzzleLine(puzzle));
}

TEST(EnneoPuzzleTextTest, ADashSwallowsItselfAndTheNext23Bytes) {
    // "-12345678901234567890123" is skipped whole; the 4 after it is read.
    EnneoPuzzle puzzle = Loaded("1-123456789012345678901234");
    EXPECT_EQ('1', ToPuzzleLine(puzzle)[0]);
    EXPECT_EQ('4', ToPuzzleLine(puzzle)[1]);
    EXPECT_EQ('.', ToPuzzleLine(puzzle)[2]);
}

TEST(EnneoPuzzleTextTest, IgnoresZerosAndOtherCharactersAndDropsSurplusCells) {
    EnneoPuzzle puzzle = Loaded("1 0x|2 abc 3456789 12\r\n");
    EXPECT_EQ(std::string("123456789") + std::string(72, '.'), ToPuzzleLine(puzzle));
    // Surplus rows are dropped too.
    std::string rows, expected;
    for (int i = 0; i < 12; ++i) rows += "1........\r\n";
    for (int i = 0; i < 9; ++i) expected += "1........";
    EXPECT_EQ(expected, ToPuzzleLine(Loaded(rows)));
}

TEST(EnneoPuzzleTextTest, ReadsAtMost273Bytes) {
    std::string text(272, ' ');
    text += "12";
    EXPECT_EQ(std::string("1") + std::string(80, '.'), ToPuzzleLine(Loaded(text)));
}

TEST(EnneoPuzzleTextTest, LoadingKeepsCellsTheTextDoesNotMention) {
    EnneoPuzzle puzzle;
    puzzle.SetCell(9, 9, 5, EnneoPuzzle::CELL_SET);
    puzzle.LoadFromString("1.3");
    EXPECT_EQ(1, puzzle.GetCell(1, 1));
    EXPECT_EQ(3, puzzle.GetCell(3, 1));
    EXPECT_EQ(5, puzzle.GetCell(9, 9));
    puzzle.LoadFromString(".");
    EXPECT_EQ(EnneoPuzzle::CELL_EMPTY, puzzle.GetCellState(1, 1));
}

TEST(EnneoPuzzleTextTest, GivensAreStoredUnchecked) {
    EnneoPuzzle puzzle = Loaded("55");
    EXPECT_EQ(5, puzzle.GetCell(1, 1));
    EXPECT_EQ(5, puzzle.GetCell(2, 1));
}

TEST_F(PuzzleFileTest, SaveWritesThePrintAndNineZeroBytes) {
    EnneoPuzzle puzzle;
    puzzle.LoadFromString(EnneoPuzzle::kSampleText);
    ASSERT_TRUE(puzzle.Save(File("sample.enn").wstring().c_str()));
    std::string bytes = ReadBytes(File("sample.enn"));
    ASSERT_EQ(273u, bytes.size());
    std::wstring print = puzzle.Print();
    EXPECT_EQ(std::string(print.begin(), print.end()), bytes.substr(0, 264));
    EXPECT_EQ(std::string(9, '\0'), bytes.substr(264));
    EXPECT_FALSE(fs::exists(File("sample.enn.saving")));
}

// Both ways of saving over an old file: through a new file put in its place, and in
// place where no file can be made beside it (folders take every name it could have
// here). Either way the old file's surplus bytes go and its protection stays.
TEST_F(PuzzleFileTest, SaveReplacesAnOldFileAndKeepsItsProtection) {
    EnneoPuzzle puzzle;
    ASSERT_TRUE(puzzle.Save(File("expected.txt").wstring().c_str()));
    fs::create_directory(File("in-place.txt.saving"));
    for (int i = 2; i <= util::kSavingNames; ++i) {
        fs::create_directory(File(("in-place.txt.saving-" + std::to_string(i)).c_str()));
    }
    for (const char* name : {"replaced.txt", "in-place.txt"}) {
        SCOPED_TRACE(name);
        WriteBytes(File(name), std::string(1000, 'x'));
        Protect(File(name));
        ASSERT_TRUE(puzzle.Save(File(name).wstring().c_str()));
        EXPECT_EQ(ReadBytes(File("expected.txt")), ReadBytes(File(name)));
        EXPECT_TRUE(IsProtected(File(name)));
    }
}

TEST_F(PuzzleFileTest, AFailedSaveReportsFalseAndKeepsTheOldFile) {
    EnneoPuzzle puzzle;
    EXPECT_FALSE(puzzle.Save(File("missing-folder/x.txt").wstring().c_str()));
    // A folder in the way of the new file: the write succeeds, the replace cannot.
    fs::create_directories(File("taken.txt") / "inside");
    EXPECT_FALSE(puzzle.Save(File("taken.txt").wstring().c_str()));
    EXPECT_TRUE(fs::is_directory(File("taken.txt") / "inside"));
    EXPECT_FALSE(fs::exists(File("taken.txt.saving")));
}

// Save makes its new file under a name nothing holds and removes only that file: a
// user's "<name>.saving" stays as it was, and a refused save leaves nothing behind.
TEST_F(PuzzleFileTest, SaveNeverTouchesAFileOfTheUsersNorLeavesOneOfItsOwn) {
    EnneoPuzzle puzzle;
    ASSERT_TRUE(puzzle.Save(File("expected.txt").wstring().c_str()));
    WriteBytes(File("kept.txt"), "old bytes");
    WriteBytes(File("kept.txt.saving"), "the user's own");
    MarkReadOnly(File("kept.txt"), true);
    EXPECT_FALSE(puzzle.Save(File("kept.txt").wstring().c_str()));
    MarkReadOnly(File("kept.txt"), false);
    EXPECT_EQ("old bytes", ReadBytes(File("kept.txt")));
    EXPECT_EQ((std::vector<std::string>{"expected.txt", "kept.txt", "kept.txt.saving"}), Names());

    ASSERT_TRUE(puzzle.Save(File("kept.txt").wstring().c_str()));
    EXPECT_EQ(ReadBytes(File("expected.txt")), ReadBytes(File("kept.txt")));
    EXPECT_EQ("the user's own", ReadBytes(File("kept.txt.saving")));
    EXPECT_EQ((std::vector<std::string>{"expected.txt", "kept.txt", "kept.txt.saving"}), Names());
}

TEST_F(PuzzleFileTest, LoadOfAMissingFileOrAFolderChangesNothing) {
    EnneoPuzzle puzzle;
    puzzle.SetCell(2, 2, 2, EnneoPuzzle::CELL_SET);
    EXPECT_FALSE(puzzle.Load(File("absent.txt").wstring().c_str()));
    EXPECT_FALSE(puzzle.Load(folder_.Folder().wstring().c_str()));
    EXPECT_EQ(2, puzzle.GetCell(2, 2));
    EXPECT_FALSE(fs::exists(File("absent.txt")));  // opening never creates it
}

TEST_F(PuzzleFileTest, LoadsAShortFileUpToItsEnd) {
    WriteBytes(File("short.txt"), "12\r\n.3");
    EnneoPuzzle puzzle;
    ASSERT_TRUE(puzzle.Load(File("short.txt").wstring().c_str()));
    EXPECT_EQ(std::string("12.......") + ".3......." + std::string(63, '.'), ToPuzzleLine(puzzle));
}

TEST_F(PuzzleFileTest, UnicodeTextIsNotTheFormat) {
    // A UTF-16 file with a mark: its zero bytes are ignored and only 273 bytes read,
    // so only the top of the grid arrives.
    EnneoPuzzle sample;
    sample.LoadFromString(EnneoPuzzle::kSampleText);
    std::string utf16 = "\xFF\xFE";
    for (const wchar_t* p = sample.Print(); *p != 0; ++p) {
        utf16 += static_cast<char>(*p);
        utf16 += '\0';
    }
    WriteBytes(File("wide.txt"), utf16);
    EnneoPuzzle puzzle;
    ASSERT_TRUE(puzzle.Load(File("wide.txt").wstring().c_str()));
    std::string line = ToPuzzleLine(puzzle);
    EXPECT_EQ(std::string(kSampleLine).substr(0, 36), line.substr(0, 36));  // rows 1-4
    EXPECT_EQ(".28......", line.substr(36, 9));  // row 5 up to byte 273
    EXPECT_EQ(std::string(36, '.'), line.substr(45));
}

TEST_F(PuzzleFileTest, SaveThenLoadUnderANonAsciiNameGivesTheSameDigitsAllGiven) {
    EnneoPuzzle puzzle;
    puzzle.LoadFromString(EnneoPuzzle::kSampleText);
    puzzle.SetCell(1, 1, 8, EnneoPuzzle::CELL_SET);
#ifdef _WIN32
    std::wstring name = (folder_.Folder() / L"r\u00e4tsel.enn").wstring();
#else
    // Wide names reach the file system as UTF-8.
    std::wstring name = folder_.Folder().wstring() + L"/r\u00e4tsel.enn";
#endif
    ASSERT_TRUE(puzzle.Save(name.c_str()));
    EXPECT_TRUE(fs::exists(folder_.Folder() / fs::u8path(u8"r\u00e4tsel.enn")));
    EnneoPuzzle loaded;
    ASSERT_TRUE(loaded.Load(name.c_str()));
    EXPECT_EQ(ToPuzzleLine(puzzle), ToPuzzleLine(loaded));
    EXPECT_EQ(EnneoPuzzle::CELL_KNOWN, loaded.GetCellState(1, 1));
}

}  // namespace
