// Tests of BackedUpFile: each write keeps the previous version, reads are bounded, and a
// failed write leaves both versions and nothing else.
#include "common/util/BackedUpFile.h"

#include "tests/common/TestFiles.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using util::BackedUpFile;

namespace {

const BackedUpFile::Version kCurrent = BackedUpFile::Version::Current;
const BackedUpFile::Version kBackup = BackedUpFile::Version::Backup;

// The names of the files in the folder, in order.
std::string Names(const std::filesystem::path& folder) {
    std::set<std::string> sorted;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) sorted.insert(entry.path().filename().string());
    std::string names;
    for (const std::string& name : sorted) names += (names.empty() ? "" : " ") + name;
    return names;
}

TEST(BackedUpFileTest, EachWriteKeepsThePreviousVersionAsTheBackup) {
    TempFolder folder;
    BackedUpFile file(folder.Folder() / "game");
    std::string bytes = "x";
    EXPECT_EQ(BackedUpFile::ReadResult::Missing, file.Read(kCurrent, 100, bytes));
    EXPECT_EQ("", bytes);

    const BackedUpFile::WriteResult kWritten = BackedUpFile::WriteResult::Written;
    ASSERT_EQ(kWritten, file.Write("first"));
    EXPECT_EQ("game", Names(folder.Folder()));
    WriteBytes(folder.Folder() / "game.new", "left by a crash");
    ASSERT_EQ(kWritten, file.Write("second"));
    ASSERT_EQ(kWritten, file.Write("third"));
    EXPECT_EQ("third", ReadBytes(file.GetPath()));
    EXPECT_EQ("second", ReadBytes(file.GetPath(kBackup)));
    EXPECT_EQ("game game.bak", Names(folder.Folder()));

    ASSERT_EQ(BackedUpFile::ReadResult::Read, file.Read(kBackup, 6, bytes));
    EXPECT_EQ("second", bytes);
    EXPECT_EQ(BackedUpFile::ReadResult::TooLarge, file.Read(kCurrent, 4, bytes));
    EXPECT_EQ("", bytes);

    // A folder is no file to read; a folder that is missing takes no file and leaves
    // nothing behind.
    EXPECT_EQ(BackedUpFile::ReadResult::Failed, BackedUpFile(folder.Folder()).Read(kCurrent, 100, bytes));
    EXPECT_EQ(BackedUpFile::WriteResult::NotMade, BackedUpFile(folder.Folder() / "missing" / "game").Write("fourth"));
    EXPECT_EQ("game game.bak", Names(folder.Folder()));
}

}  // namespace
