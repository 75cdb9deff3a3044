// Tests of the logging core and the file sink: fan-out order, repeats, exact file bytes.
#include "common/util/logging/DebugOutput.h"
#include "common/util/logging/FileLogger.h"
#include "common/util/logging/LoggerManager.h"

#include "tests/common/RaisedBy.h"
#include "tests/common/ScopedCall.h"
#include "tests/common/TestFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using util::logging::FileLogger;
using util::logging::ILogger;
using util::logging::LoggerManager;

namespace {

// What reached the sinks and the diagnostic channel, in order, as "name:text".
std::vector<std::wstring> journal;

void RecordDebugOutput(const wchar_t* text) { journal.push_back(std::wstring(L"debug:") + text); }

class RecordingLogger final : public ILogger {
public:
    explicit RecordingLogger(const wchar_t* name) : name_(name) {}
    void Log(const wchar_t* text) override { journal.push_back(name_ + L":" + text); }

private:
    std::wstring name_;
};

// The manager keeps its sinks for the whole process.
RecordingLogger first(L"first");
RecordingLogger second(L"second");

TEST(LoggerManagerTest, FansOutInRegistrationOrderThenToTheDiagnosticChannel) {
    ScopedCall<util::logging::DebugOutputWriter> debugWriter(&util::logging::SetDebugOutputWriter, &RecordDebugOutput);
    LoggerManager* manager = LoggerManager::GetInstance();
    EXPECT_EQ(manager, LoggerManager::GetInstance());
    journal.clear();
    manager->Log(L"alone\n");
    EXPECT_EQ(std::vector<std::wstring>({L"debug:alone\n"}), journal);

    manager->AddLogger(&first);
    manager->AddLogger(&second);
    manager->AddLogger(nullptr);
    manager->AddLogger(&first);  // registered twice: every text twice
    journal.clear();
    manager->Log(L"a");
    manager->Log(L"");
    EXPECT_EQ(std::vector<std::wstring>({L"first:a", L"second:a", L"first:a", L"debug:a", L"first:", L"second:",
                                         L"first:", L"debug:"}),
              journal);
}

class FileLoggerTest : public ::testing::Test {
protected:
    TempFolder folder;
};

TEST_F(FileLoggerTest, WritesTheMarkAndTheTextsAsTheyAre) {
    std::wstring path = folder.Path("log.txt");
    WriteBytes(path, "old content that must go");
    {
        FileLogger logger(path.c_str());
        logger.Log(L"a");
        logger.Log(L"\r\n");
    }
    EXPECT_EQ(std::string("\xFF\xFE" "a\0\r\0\n\0", 8), ReadBytes(path));

    {
        FileLogger logger(path.c_str());
        logger.Log(L"");
        logger.Log(L"\u00E9\U0001F600");  // beyond the basic plane: a surrogate pair
    }
    EXPECT_EQ(std::string("\xFF\xFE\xE9\0\x3D\xD8\x00\xDE", 8), ReadBytes(path));
}

TEST_F(FileLoggerTest, CreatesTheFileOnTheFirstTextOnly) {
    std::wstring path = folder.Path("never.txt");
    { FileLogger unused(path.c_str()); }
    EXPECT_FALSE(FileExists(path));

    FileLogger empty(L"");
    EXPECT_EQ(L"FileLogger::GetFile()\nLogFilePath not set", RaisedBy([&] { empty.Log(L"a"); }));
    FileLogger null(nullptr);
    EXPECT_EQ(L"FileLogger::GetFile()\nLogFilePath not set", RaisedBy([&] { null.Log(L"a"); }));

    std::wstring missing = folder.Path("no-such-folder/log.txt");
    FileLogger unwritable(missing.c_str());
    EXPECT_EQ(L"FileLogger::GetFile() - CreateFile (" + missing + L")", RaisedBy([&] { unwritable.Log(L"a"); }));
    EXPECT_FALSE(FileExists(missing));
}

}  // namespace
