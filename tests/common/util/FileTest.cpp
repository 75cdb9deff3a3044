// Tests of File and TextFile: marks, exact bytes, encoding detection, loading and deleting.
#include "common/util/File.h"
#include "common/util/TextFile.h"

#include "tests/common/RaisedBy.h"
#include "tests/common/TestFiles.h"

#include <gtest/gtest.h>

using util::File;
using util::FileAccess;
using util::FileCreation;
using util::FileEncoding;
using util::TextFile;

namespace {

std::string Bytes(std::initializer_list<unsigned char> bytes) {
    return std::string(bytes.begin(), bytes.end());
}

class FileTest : public ::testing::Test {
protected:
    TempFolder folder;
};

TEST_F(FileTest, OpenFileRefusesAMissingPathAndASecondOpen) {
    File noPath(nullptr);
    EXPECT_EQ(L"File::OpenFile()\nFile path not set",
              RaisedBy([&] { noPath.OpenFile(FileAccess::Read, FileCreation::OpenExisting); }));
    File emptyPath(L"");
    EXPECT_EQ(L"File::OpenFile()\nFile path not set",
              RaisedBy([&] { emptyPath.OpenFile(FileAccess::Read, FileCreation::OpenExisting); }));

    std::wstring path = folder.Path("twice.txt");
    File file(path.c_str());
    EXPECT_TRUE(File::IsValidHandle(file.OpenFile(FileAccess::Write, FileCreation::CreateAlways)));
    EXPECT_EQ(L"File::OpenFile()\nFile already oppened",
              RaisedBy([&] { file.OpenFile(FileAccess::Write, FileCreation::CreateAlways); }));
}

TEST_F(FileTest, CreateNewWritesTheMarkOfItsEncodingOverOldContent) {
    const struct {
        FileEncoding encoding;
        std::string mark;
    } cases[] = {
        {FileEncoding::Utf8, Bytes({0xEF, 0xBB, 0xBF})},
        {FileEncoding::Utf16BigEndian, Bytes({0xFE, 0xFF})},
        {FileEncoding::Utf16LittleEndian, Bytes({0xFF, 0xFE})},
        {FileEncoding::Utf32BigEndian, Bytes({0x00, 0x00, 0xFE, 0xFF})},
        {FileEncoding::Utf32LittleEndian, Bytes({0xFF, 0xFE, 0x00, 0x00})},
        {FileEncoding::Ascii, ""},
        {FileEncoding::Undetermined, ""},
    };
    std::wstring path = folder.Path("marked.txt");
    for (const auto& c : cases) {
        WriteBytes(path, "old content that must go");
        {
            File file(path.c_str());
            file.SetEncoding(c.encoding);
            EXPECT_TRUE(File::IsValidHandle(file.CreateNew()));
        }
        EXPECT_EQ(c.mark, ReadBytes(path)) << "encoding " << static_cast<int>(c.encoding);
    }
}

TEST_F(FileTest, CreateNewInAMissingFolderRaisesWithPathAndSystemText) {
    std::wstring path = folder.Path("no-such-folder/file.txt");
    File file(path.c_str());
    std::wstring message = RaisedBy([&] { file.CreateNew(); });
    std::wstring start = L"File::CreateNew()\nFile : " + path + L"\n";
    EXPECT_EQ(start, message.substr(0, start.size()));
    EXPECT_GT(message.size(), start.size() + 2);  // the system's text follows
    EXPECT_EQ(L"File::WriteTheBOM()\nFile handle is null or invalid.",
              RaisedBy([&] { file.WriteTheBOM(); }));
}

TEST_F(FileTest, WriteLineAppendsUtf8ForAsciiAndUtf16LittleEndianOtherwise) {
    std::wstring asciiPath = folder.Path("ascii.txt");
    {
        TextFile file(asciiPath.c_str());
        file.SetEncoding(FileEncoding::Ascii);
        file.CreateNew();
        file.WriteLine(L"ab");
        file.SetPointerToBeginning();  // lines go to the end all the same
        file.WriteLine(L"\u00e9");
    }
    EXPECT_EQ(Bytes({0x61, 0x62, 0x0D, 0x0A, 0xC3, 0xA9, 0x0D, 0x0A}), ReadBytes(asciiPath));

    std::wstring unicodePath = folder.Path("unicode.txt");
    {
        TextFile file(unicodePath.c_str());
        file.SetEncoding(FileEncoding::Utf16LittleEndian);
        file.CreateNew();
        file.WriteLine(L"a");
        file.WriteLine(L"\U0001F600");  // one code point beyond the basic plane: a surrogate pair
    }
    EXPECT_EQ(Bytes({0xFF, 0xFE, 0x61, 0x00, 0x0D, 0x00, 0x0A, 0x00, 0x3D, 0xD8, 0x00, 0xDE, 0x0D,
                     0x00, 0x0A, 0x00}),
              ReadBytes(unicodePath));

    // Undetermined is not Ascii: it takes UTF-16 too.
    std::wstring undeterminedPath = folder.Path("undetermined.txt");
    {
        TextFile file(undeterminedPath.c_str());
        file.CreateNew();
        file.WriteLine(L"ab");
        EXPECT_STREQ(L"TextFile", file.GetName());
    }
    EXPECT_EQ(Bytes({0x61, 0x00, 0x62, 0x00, 0x0D, 0x00, 0x0A, 0x00}), ReadBytes(undeterminedPath));
}

TEST_F(FileTest, WriteLineRefusesAClosedFile) {
    TextFile file(folder.Path("closed.txt").c_str());
    EXPECT_EQ(L"TextFile::WriteLine()\nFile is not open or invalid.",
              RaisedBy([&] { file.WriteLine(L"x"); }));
}

TEST_F(FileTest, DetectEncodingReadsMarksAndGuessesFromTwoBytes) {
    const struct {
        std::string head;
        FileEncoding expected;
    } cases[] = {
        {Bytes({0xFF, 0xFE, 0x00, 0x00}), FileEncoding::Utf32LittleEndian},
        {Bytes({0xFF, 0xFE, 0x41, 0x00}), FileEncoding::Utf16LittleEndian},
        {Bytes({0xFF, 0xFE}), FileEncoding::Utf16LittleEndian},
        {Bytes({0xFE, 0xFF, 0x00, 0x41}), FileEncoding::Utf16BigEndian},
        {Bytes({0xEF, 0xBB, 0xBF, 0x41}), FileEncoding::Utf8},
        {Bytes({0x00, 0x00, 0xFE, 0xFF}), FileEncoding::Utf32BigEndian},
        {Bytes({0x00, 0x00, 0x00, 0x41}), FileEncoding::Undetermined},  // no mark, no text
        {Bytes({0xEF, 0xBB, 0x41}), FileEncoding::Undetermined},        // half a mark
        {"\tx", FileEncoding::Ascii},
        {"<?xml", FileEncoding::Ascii},
        {"a\n", FileEncoding::Ascii},
        {std::string("<\0?\0", 4), FileEncoding::Undetermined},  // UTF-16 without a mark
        {"a", FileEncoding::Ascii},                              // one byte decides alone
        {Bytes({0xFF}), FileEncoding::Undetermined},
    };
    std::wstring path = folder.Path("detect.txt");
    for (const auto& c : cases) {
        WriteBytes(path, c.head);
        File file(path.c_str());
        file.SetEncoding(FileEncoding::Utf8);
        file.OpenFile(FileAccess::Read, FileCreation::OpenExisting);
        file.DetectEncoding();
        EXPECT_EQ(c.expected, file.GetEncoding())
            << "file of " << c.head.size() << " bytes: " << c.head;
    }

    WriteBytes(path, "");
    File empty(path.c_str());
    empty.SetEncoding(FileEncoding::Utf16BigEndian);
    empty.OpenFile(FileAccess::Read, FileCreation::OpenExisting);
    empty.DetectEncoding();
    EXPECT_EQ(FileEncoding::Utf16BigEndian, empty.GetEncoding());
}

TEST_F(FileTest, LoadIntoMemoryEndsTheDataAsNarrowAndUtf16Text) {
    std::wstring path = folder.Path("load.txt");
    WriteBytes(path, "");
    File empty(path.c_str());
    empty.OpenFile(FileAccess::Read, FileCreation::OpenExisting);
    std::unique_ptr<char[]> buffer;
    EXPECT_EQ(0u, empty.LoadIntoMemory(buffer));
    ASSERT_NE(nullptr, buffer);
    EXPECT_EQ(0, buffer[0]);
    EXPECT_EQ(0, buffer[1]);

    WriteBytes(path, "abc");  // odd: the zero UTF-16 unit sits at offset 4
    File odd(path.c_str());
    odd.OpenFile(FileAccess::Read, FileCreation::OpenExisting);
    odd.SetPointerToEnd();  // loading rewinds first
    EXPECT_EQ(3u, odd.LoadIntoMemory(buffer));
    EXPECT_EQ(std::string("abc\0\0\0", 6), std::string(buffer.get(), 6));

    // The terminator would carry the buffer's size past 4 GiB: refused before anything is read.
    std::filesystem::resize_file(path, 0xFFFFFFFEu);  // sparse: no disk space taken
    File huge(path.c_str());
    huge.OpenFile(FileAccess::Read, FileCreation::OpenExisting);
    EXPECT_EQ(L"File::LoadIntoMemory()\nFile : " + path + L"\nToo large to load.",
              RaisedBy([&] { huge.LoadIntoMemory(buffer); }));
}

TEST_F(FileTest, SizeAndLoadNeedAnOpenFile) {
    std::wstring path = folder.Path("closed.bin");
    File file(path.c_str());
    std::unique_ptr<char[]> buffer;
    std::wstring expected = L"File::GetSize()\nHandle for " + path + L" is not valid.";
    EXPECT_EQ(expected, RaisedBy([&] { file.LoadIntoMemory(buffer); }));
    EXPECT_EQ(expected, RaisedBy([&] { file.GetSize(); }));
    EXPECT_EQ(nullptr, buffer);
}

TEST_F(FileTest, ReadFromBeginningDetectsAndLoadsTheWholeFile) {
    std::wstring path = folder.Path("read.txt");
    WriteBytes(path, Bytes({0xEF, 0xBB, 0xBF}) + "<r/>");
    File file(path.c_str());
    std::unique_ptr<char[]> buffer;
    EXPECT_EQ(7u, file.ReadFromBeginning(buffer));
    EXPECT_EQ(FileEncoding::Utf8, file.GetEncoding());
    EXPECT_EQ(Bytes({0xEF, 0xBB, 0xBF}) + "<r/>", std::string(buffer.get()));
    EXPECT_EQ(7u, file.GetSize());

    std::wstring missing = folder.Path("missing.txt");
    File none(missing.c_str());
    std::wstring start = L"File::ReadFromBeginning()\nFile : " + missing + L"\n";
    EXPECT_EQ(start, RaisedBy([&] { none.ReadFromBeginning(buffer); }).substr(0, start.size()));
}

TEST_F(FileTest, DeleteRefusesAnOpenFileAndReportsAMissingOne) {
    std::wstring path = folder.Path("delete.txt");
    File file(path.c_str());
    file.CreateNew();
    EXPECT_EQ(L"File::Delete () - " + path + L" is still open.", RaisedBy([&] { file.Delete(); }));
    EXPECT_TRUE(FileExists(path));
    file.Close();
    EXPECT_TRUE(file.Delete());
    EXPECT_FALSE(FileExists(path));
    EXPECT_FALSE(file.Delete());  // gone already
}

}  // namespace
