// Tests of UpdateFiles: only the update's own files, as its record names them, are ever replaced or removed.
#include "common/util/version/UpdateFiles.h"

#include "tests/common/RaisedBy.h"
#include "tests/common/TestFiles.h"

#include <gtest/gtest.h>

#include <string>

using util::version::UpdateFiles;

namespace {

// Each test works in a folder of its own, for a program "Enneo".
class UpdateFilesTest : public ::testing::Test {
protected:
    std::wstring Path(const char* name) const { return folder_.Path(name); }
    std::string Record() const { return ReadBytes(Path("Enneo.update")); }

    TempFolder folder_;
    UpdateFiles files_{folder_.Path("").c_str(), L"Enneo"};
};

TEST_F(UpdateFilesTest, WrittenFilesAreRecordedAndRemovedAtTheNextStart) {
    for (const String* file : {&files_.GetUpdater(), &files_.GetNewVersion(), &files_.GetKeptProgram()}) {
        ASSERT_TRUE(files_.Claim(*file));
        files_.Write(*file, "bytes", 5);
    }
    std::string record = Record();
    EXPECT_EQ(0u, record.find("Enneo Tessary update record\n")) << record;
    EXPECT_NE(std::string::npos, record.find(" updater.exe\n")) << record;
    // Its own file, rewritten by the update: the name is free again.
    EXPECT_TRUE(files_.Claim(files_.GetUpdater()));
    EXPECT_FALSE(FileExists(Path("updater.exe")));
    files_.RemoveRecorded();
    for (const char* name : {"Enneo.upd", "Enneo.exe.old", "Enneo.update"})
        EXPECT_FALSE(FileExists(Path(name))) << name;
}

// A user's own "Enneo.exe.old", and one put in the place of the update's after it was
// deleted (another size, and another index where the system gives it), are neither
// replaced nor removed; the record forgets the name.
TEST_F(UpdateFilesTest, FilesTheRecordDoesNotNameAsTheyAreStay) {
    WriteBytes(Path("Enneo.exe.old"), "the user's backup");
    EXPECT_FALSE(files_.Claim(files_.GetKeptProgram()));
    files_.Write(files_.GetUpdater(), "the update's updater", 20);
    ASSERT_TRUE(std::filesystem::remove(folder_.Folder() / "updater.exe"));
    WriteBytes(Path("updater.exe"), "another program's updater");
    EXPECT_FALSE(files_.Claim(files_.GetUpdater()));
    files_.RemoveRecorded();
    EXPECT_EQ("the user's backup", ReadBytes(Path("Enneo.exe.old")));
    EXPECT_EQ("another program's updater", ReadBytes(Path("updater.exe")));
    EXPECT_FALSE(FileExists(Path("Enneo.update")));
}

// A file of the record's name that is not a record (planted, broken, too large) is
// left alone, and so is every file it names; nothing is recorded in its place.
TEST_F(UpdateFilesTest, ARecordThatIsNotOneTouchesNothing) {
    WriteBytes(Path("Enneo.exe.old"), "kept");
    for (const std::string& planted :
         {std::string("Enneo Tessary update record\n17 4 Enneo.exe.old"),  // no line end
          std::string("Enneo Tessary update record\n17 4 ../Enneo.exe\n"), std::string("Enneo.exe.old\n"),
          std::string("Enneo Tessary update record\nx 4 Enneo.exe.old\n"), std::string(5000, 'a')}) {
        WriteBytes(Path("Enneo.update"), planted);
        files_.RemoveRecorded();
        EXPECT_EQ(planted, Record());
        EXPECT_FALSE(files_.Claim(files_.GetNewVersion()));
        EXPECT_NE(L"<nothing raised>", RaisedBy([&] { files_.Write(files_.GetNewVersion(), "new", 3); }));
        EXPECT_EQ("kept", ReadBytes(Path("Enneo.exe.old")));
    }
}

// The record of an earlier version names files without their identity: it reads as a
// record, but none of its files is the update's any more; the next entry rewrites it.
TEST_F(UpdateFilesTest, AnEarlierRecordIsOneWhoseFilesStay) {
    const std::string earlier("u\0p\0d\0a\0t\0e\0r\0.\0e\0x\0e\0\n\0E\0n\0n\0e\0o\0.\0e\0x\0e\0.\0o\0l\0d\0\n\0", 52);
    WriteBytes(Path("Enneo.update"), earlier);
    WriteBytes(Path("Enneo.exe.old"), "kept");
    files_.RemoveRecorded();
    EXPECT_EQ("kept", ReadBytes(Path("Enneo.exe.old")));
    EXPECT_FALSE(FileExists(Path("Enneo.update")));
    WriteBytes(Path("Enneo.update"), earlier);
    files_.Write(files_.GetNewVersion(), "new", 3);
    EXPECT_EQ(0u, Record().find("Enneo Tessary update record\n3 "));
}

}  // namespace
