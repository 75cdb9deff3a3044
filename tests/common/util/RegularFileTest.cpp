// Tests of RegularFile: only ordinary files are read, a device, pipe or folder never.
#include "common/util/RegularFile.h"

#include "tests/common/TestFiles.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

using util::RegularRead;

namespace {

TEST(RegularFileTest, DeviceNamesAreToldFromFileNames) {
    for (const wchar_t* device :
         {L"COM1", L"com9", L"NUL", L"nul.txt", L"C:\\puzzles\\aux.enn", L"C:/puzzles/Prn", L"lpt1 ", L"CON:",
          L"CONIN$", L"c:com3", L"COM\u00B9", L"\\\\.\\COM1", L"\\\\.\\pipe\\enneo", L"\\\\.\\PhysicalDrive0",
          L"//./C:/game", L"\\\\?\\GLOBALROOT\\Device\\Null", L"\\\\?\\Volume{0}\\"}) {
        EXPECT_TRUE(util::NamesDevice(device)) << std::string(device, device + std::wcslen(device));
    }
    for (const wchar_t* file :
         {L"puzzle.enn", L"COM10", L"console.txt", L"nullish", L"C:\\com1x\\LPTX", L"C:\\aux dir\\x.enn",
          L"\\\\?\\C:\\games\\com.enn", L"\\\\?\\UNC\\server\\share\\a.enn", L"\\\\server\\share\\nul-games.txt", L"",
          L"COM", L"LPTA"}) {
        EXPECT_FALSE(util::NamesDevice(file)) << std::string(file, file + std::wcslen(file));
    }
}

// An ordinary file is read up to the bound; a missing one, a folder and (where the
// system has them) a FIFO or a pipe are told apart, at once and with nothing read.
TEST(RegularFileTest, OnlyOrdinaryFilesAreRead) {
    TempFolder folder;
    WriteBytes(folder.Folder() / "puzzle.enn", "123456789");
    std::string bytes = "left over";
    EXPECT_EQ(RegularRead::Read, util::ReadRegularFile(folder.Folder() / "puzzle.enn", 100, bytes));
    EXPECT_EQ("123456789", bytes);
    EXPECT_EQ(RegularRead::Read, util::ReadRegularFile(folder.Folder() / "puzzle.enn", 4, bytes));
    EXPECT_EQ("1234", bytes);
    EXPECT_EQ(RegularRead::Missing, util::ReadRegularFile(folder.Folder() / "gone.enn", 100, bytes));
    EXPECT_EQ(RegularRead::Missing, util::ReadRegularFile(folder.Folder() / "gone" / "x.enn", 100, bytes));
    EXPECT_EQ(RegularRead::NotAFile, util::ReadRegularFile(folder.Folder(), 100, bytes));
    EXPECT_EQ("", bytes);
#ifdef _WIN32
    // A pipe with an instance waiting for its client, and the null device.
    HANDLE pipe = CreateNamedPipeW(L"\\\\.\\pipe\\enneo-regular-file-test", PIPE_ACCESS_DUPLEX,
                                   PIPE_TYPE_BYTE | PIPE_WAIT, 1, 0, 0, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, pipe);
    EXPECT_EQ(RegularRead::NotAFile,
              util::ReadRegularFile(L"\\\\.\\pipe\\enneo-regular-file-test", 100, bytes));
    CloseHandle(pipe);
    EXPECT_EQ(RegularRead::NotAFile, util::ReadRegularFile(L"NUL", 100, bytes));
#else
    // No process writes to it: a read, or a blocking open, would wait for ever.
    std::filesystem::path fifo = folder.Folder() / "fifo.enn";
    ASSERT_EQ(0, mkfifo(fifo.c_str(), 0600));
    EXPECT_EQ(RegularRead::NotAFile, util::ReadRegularFile(fifo, 100, bytes));
    EXPECT_EQ(RegularRead::NotAFile, util::ReadRegularFile("/dev/zero", 100, bytes));
#endif
}

}  // namespace
