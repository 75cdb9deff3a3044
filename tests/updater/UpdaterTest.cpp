// Tests of updater.exe: test builds of it install stand-ins of the program in folders of their own.
#include "common/util/Registry.h"
#include "common/util/version/UpdateLock.h"
#include "languages/Language.h"
#include "tests/common/TestFiles.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/PlantedDll.h"
#include "tests/support/ProgramUnderTest.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>

namespace {

const wchar_t kCaption[] = L"Enneo update";
const wchar_t kNotSigned[] = L"it is not signed by the publisher of Enneo";

std::string BuiltFile(const std::string& unixPath) {
    return ReadBytes(ProgramUnderTest::WindowsPath(unixPath.c_str()));
}
// A signature text made when the tests were built (see CMakeLists.txt).
std::string Signature(const char* name) { return BuiltFile(std::string(ENNEO_SIGNATURES) + "/" + name); }
// The program's settings, where the newest version seen is kept.
const wchar_t kSettingsKey[] = L"Software\\Enneo Project\\Enneo Tessary";

// The box of an update that is not installed, while the installed program is the
// tree's own release (the versions come from CMakeLists.txt).
std::wstring Refusal(const wchar_t* update, const wchar_t* reason) {
    return std::wstring(L"The update to ") + update + L" could not be installed: " + reason +
           L".\n\nEnneo " ENNEO_INSTALLED_VERSION L" stays installed.";
}

// Each test stages a folder the way the program leaves it for the updater: the updater,
// the installed program "Enneo.exe" (a stand-in of the tree's release), the new version
// "Enneo.upd" (a stand-in of the next one) and its signature copy. The updater is started with
// another folder as its current directory: it must find its work from its own path.
// Both stand-ins leave "updater-ran" in their current directory when they start.
class UpdaterTest : public ::testing::Test {
protected:
    // An empty signature writes no signature copy.
    void Stage(const std::string& update, const std::string& signature, const char* updater = ENNEO_TEST_UPDATER) {
        WriteBytes(Path("updater.exe"), BuiltFile(updater));
        WriteBytes(Path("Enneo.exe"), installed_);
        WriteBytes(Path("Enneo.upd"), update);
        if (!signature.empty()) WriteBytes(Path("Enneo.upd.sig"), signature);
    }
    // Stages the next case in a folder of its own.
    void Restage(const std::string& update, const std::string& signature, const char* updater = ENNEO_TEST_UPDATER) {
        updater_.End();
        folder_ = std::make_unique<TempFolder>();
        Stage(update, signature, updater);
    }
    void StartUpdater() { ASSERT_TRUE(updater_.Start(Path("updater.exe"), work_.Path(""))); }
    std::wstring Path(const char* name) const { return folder_->Path(name); }
    // Whether the program was started in its folder, within ten seconds.
    bool ProgramRan() const {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!FileExists(Path("updater-ran")) && std::chrono::steady_clock::now() < deadline) Sleep(100);
        return FileExists(Path("updater-ran"));
    }
    // Whether the updater holds the folder's update lock, within ten seconds.
    bool UpdaterHoldsTheLock() const {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        for (;;) {
            if (!util::version::UpdateLock(Path("").c_str()).Acquire(0)) return true;
            if (std::chrono::steady_clock::now() >= deadline) return false;
            Sleep(50);
        }
    }
    // Holds the program file open as a program that has not ended yet does.
    HANDLE HoldProgramFile() const {
        return CreateFileW(Path("Enneo.exe").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    }

    const std::string installed_ = BuiltFile(ENNEO_INSTALLED_PROGRAM);
    const std::string new_ = BuiltFile(ENNEO_NEW_PROGRAM);
    const std::string signature_ = Signature("new-by-publisher.sig");
    std::unique_ptr<TempFolder> folder_ = std::make_unique<TempFolder>();  // the program's folder
    TempFolder work_;                                                      // the updater's current directory
    ProgramUnderTest updater_;
};

// The kept program and the updater are recorded for the program's next start to remove,
// and the signature copy goes.
TEST_F(UpdaterTest, ASignedNewerVersionReplacesTheProgramWhichStartsAgain) {
    Stage(new_, signature_);
    StartUpdater();
    EXPECT_EQ(0, updater_.WaitForExit()) << "a box, or no exit";
    EXPECT_EQ(new_, ReadBytes(Path("Enneo.exe")));
    EXPECT_EQ(installed_, ReadBytes(Path("Enneo.exe.old")));
    EXPECT_FALSE(FileExists(Path("Enneo.upd")));
    EXPECT_FALSE(FileExists(Path("Enneo.upd.sig")));
    std::string record = ReadBytes(Path("Enneo.update"));
    EXPECT_EQ(0u, record.find("Enneo Tessary update record\n")) << record;
    EXPECT_NE(std::string::npos, record.find(" Enneo.exe.old\n")) << record;
    EXPECT_NE(std::string::npos, record.find(" updater.exe\n")) << record;
    EXPECT_TRUE(ProgramRan()) << "the new version was not started in its folder";
}

// A user's own "Enneo.exe.old", which no update recorded, is kept: the update is refused
// with a box that names it. So is an update to a release below the newest seen signed,
// in the language the program's settings choose.
TEST_F(UpdaterTest, NeitherAUsersOwnKeptProgramNorAnOlderReleaseIsReplaced) {
    Stage(new_, signature_);
    WriteBytes(Path("Enneo.exe.old"), "the user's own backup");
    StartUpdater();
    {
        DialogDriver boxes({{kCaption, L"", IDOK}}, updater_.GetId());
        EXPECT_EQ(Refusal(L"Enneo " ENNEO_NEW_VERSION,
                          (Path("Enneo.exe.old") + L" does not come from an update, so it is not replaced").c_str()),
                  boxes.Texts().at(0));
    }
    EXPECT_EQ(1, updater_.WaitForExit());
    EXPECT_EQ("the user's own backup", ReadBytes(Path("Enneo.exe.old")));
    EXPECT_EQ(installed_, ReadBytes(Path("Enneo.exe")));
    EXPECT_TRUE(ProgramRan());

    Restage(new_, signature_);
    ASSERT_TRUE(util::WriteRegistryString(HKEY_CURRENT_USER, kSettingsKey, ENNEO_NEWEST_SEEN, ENNEO_OTHER_VERSION));
    StartUpdater();
    {
        DialogDriver boxes({{kCaption, L"", IDOK}}, updater_.GetId());
        EXPECT_EQ(Refusal(L"Enneo " ENNEO_NEW_VERSION,
                          L"it is older than Enneo " ENNEO_OTHER_VERSION L", which has been released"),
                  boxes.Texts().at(0));
    }
    EXPECT_EQ(1, updater_.WaitForExit());
    EXPECT_EQ(installed_, ReadBytes(Path("Enneo.exe")));
    EXPECT_FALSE(FileExists(Path("Enneo.upd")));

    // The box speaks the language of the program's "Language" setting.
    Restage(new_, signature_);
    ASSERT_TRUE(util::WriteRegistryString(HKEY_CURRENT_USER, kSettingsKey, L"Language", L"de"));
    Language::Choose(Language::Find(L"de"));
    const std::wstring caption = Language::Say(TextId::kUpdateCaption, {L"Enneo"});
    const std::wstring refusal = Language::Say(
        TextId::kUpdaterRefused, {L"Enneo " ENNEO_NEW_VERSION,
                                  Language::Say(TextId::kUpdaterOlder, {L"Enneo", ENNEO_OTHER_VERSION}),
                                  L"Enneo " ENNEO_INSTALLED_VERSION});
    Language::Choose(Language::kEnglish);
    StartUpdater();
    {
        DialogDriver boxes({{caption, L"", IDOK}}, updater_.GetId());
        EXPECT_EQ(refusal, boxes.Texts().at(0));
    }
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kSettingsKey, L"Language");
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kSettingsKey, ENNEO_NEWEST_SEEN);
    EXPECT_EQ(1, updater_.WaitForExit());
}

// A read-only program file is replaced all the same, by a read-only new version; the
// kept copy, which the next start removes, is not read-only.
TEST_F(UpdaterTest, AReadOnlyProgramIsReplacedAndTheNewOneIsReadOnly) {
    Stage(new_, signature_);
    ASSERT_TRUE(SetFileAttributesW(Path("Enneo.exe").c_str(), FILE_ATTRIBUTE_READONLY));
    StartUpdater();
    EXPECT_EQ(0, updater_.WaitForExit()) << "a box, or no exit";
    EXPECT_TRUE(new_ == ReadBytes(Path("Enneo.exe"))) << "the new version is not in place";
    EXPECT_NE(0u, GetFileAttributesW(Path("Enneo.exe").c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(0u, GetFileAttributesW(Path("Enneo.exe.old").c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(ProgramRan());
    SetFileAttributesW(Path("Enneo.exe").c_str(), FILE_ATTRIBUTE_NORMAL);  // for the folder's removal
}

// The program may not have ended yet when the updater starts: it waits, holding the
// folder's update lock, so that no other copy updates meanwhile.
TEST_F(UpdaterTest, TheUpdaterWaitsUntilTheProgramLetsGoOfItsFile) {
    Stage(new_, signature_);
    HANDLE program = HoldProgramFile();
    ASSERT_NE(INVALID_HANDLE_VALUE, program);
    StartUpdater();
    ASSERT_TRUE(UpdaterHoldsTheLock());
    updater_.End();  // killed while it waits: nothing has changed
    EXPECT_EQ(installed_, ReadBytes(Path("Enneo.exe")));
    EXPECT_EQ(new_, ReadBytes(Path("Enneo.upd")));
    StartUpdater();
    ASSERT_TRUE(UpdaterHoldsTheLock());
    EXPECT_TRUE(updater_.IsRunning());
    CloseHandle(program);
    EXPECT_EQ(0, updater_.WaitForExit());
    EXPECT_EQ(new_, ReadBytes(Path("Enneo.exe")));
}

// Unsigned, signed with another key or for another use (the publisher's updater, the
// other architecture, another release), older, or nothing to check with: the box says
// why, the update and its signature copy go, and the installed program starts again.
TEST_F(UpdaterTest, RefusedUpdatesLeaveTheInstalledProgram) {
    struct Case {
        const char* what;
        std::string update;
        std::string signature;
        const char* updater;
        std::wstring message;
    };
    const std::wstring notSigned = Refusal(L"Enneo " ENNEO_NEW_VERSION, kNotSigned);
    const Case cases[] = {
        {"tampered", new_ + "x", signature_, ENNEO_TEST_UPDATER, notSigned},
        {"another key", new_, Signature("new-by-stranger.sig"), ENNEO_TEST_UPDATER, notSigned},
        {"the updater", BuiltFile(ENNEO_NEW_UPDATER), Signature("updater-by-publisher.sig"), ENNEO_TEST_UPDATER,
         notSigned},
        {"the other architecture", new_, Signature("new-for-other-arch.sig"), ENNEO_TEST_UPDATER, notSigned},
        {"another release", new_, Signature("new-as-other-version.sig"), ENNEO_TEST_UPDATER, notSigned},
        {"no signature copy", new_, "", ENNEO_TEST_UPDATER,
         Refusal(L"Enneo " ENNEO_NEW_VERSION, L"its signature, Enneo.upd.sig, cannot be read")},
        {"not newer", installed_, Signature("installed-by-publisher.sig"), ENNEO_TEST_UPDATER,
         Refusal(L"Enneo " ENNEO_INSTALLED_VERSION, L"it is not newer than Enneo " ENNEO_INSTALLED_VERSION)},
        {"no key", new_, signature_, ENNEO_KEYLESS_TEST_UPDATER,
         Refusal(L"Enneo " ENNEO_NEW_VERSION, L"this updater has no publisher key to check it with")},
    };
    for (const Case& refused : cases) {
        SCOPED_TRACE(refused.what);
        Restage(refused.update, refused.signature, refused.updater);
        StartUpdater();
        DialogDriver boxes({{kCaption, L"", IDOK}}, updater_.GetId());
        EXPECT_EQ(refused.message, boxes.Texts().at(0));
        EXPECT_EQ(1, updater_.WaitForExit());
        EXPECT_EQ(installed_, ReadBytes(Path("Enneo.exe")));
        EXPECT_FALSE(FileExists(Path("Enneo.upd")));
        EXPECT_FALSE(FileExists(Path("Enneo.upd.sig")));
        EXPECT_FALSE(FileExists(Path("Enneo.exe.old")));
        EXPECT_TRUE(ProgramRan()) << "the installed program was not started again";
    }
}

// A bcrypt.dll that accepts every signature, beside the updater and in its current
// directory, with a DLL override that prefers it: the updater takes the system's.
TEST_F(UpdaterTest, APlantedBcryptDllIsNeverUsed) {
    Stage(new_ + "x", signature_);
    PlantedBcrypt planted(ENNEO_PLANTED_BCRYPT, L"updater.exe", {Path(""), work_.Path("")});
    ASSERT_TRUE(planted.IsPlanted());
    StartUpdater();
    DialogDriver boxes({{kCaption, L"", IDOK}}, updater_.GetId());
    EXPECT_EQ(Refusal(L"Enneo " ENNEO_NEW_VERSION, kNotSigned), boxes.Texts().at(0));
    EXPECT_EQ(1, updater_.WaitForExit());
    EXPECT_TRUE(installed_ == ReadBytes(Path("Enneo.exe"))) << "the installed program changed";
}

// Whenever the updater is killed, "Enneo.exe" is a whole program, the old or the new.
// One whole update is timed, from the updater's start until the new version is in
// place; then the updater is killed at moments spread evenly over that time, so that
// the test starts as many updaters on a slow machine as on a fast one. The old program
// is large, so that some kills land while it is kept. Once the new version is in place
// the updater is not killed but left to start it and end (a kill in the middle of a
// start leaves the started program waiting for ever under Wine; ProgramUnderTest keeps
// it off the test's output).
TEST_F(UpdaterTest, KilledAtAnyMomentTheUpdaterLeavesAWholeProgram) {
    using Clock = std::chrono::steady_clock;
    const std::string large = installed_ + std::string(32 << 20, '\0');
    auto inPlace = [this] {
        WIN32_FILE_ATTRIBUTE_DATA data = {};
        return GetFileAttributesExW(Path("Enneo.exe").c_str(), GetFileExInfoStandard, &data) &&
               data.nFileSizeHigh == 0 && data.nFileSizeLow == new_.size();
    };
    // One update, whose updater is killed after killAfter unless the new version is in
    // place by then; how long it ran until then.
    auto update = [&](Clock::duration killAfter) {
        Restage(new_, signature_);
        WriteBytes(Path("Enneo.exe"), large);
        StartUpdater();
        auto started = Clock::now();
        while (!inPlace() && Clock::now() - started < killAfter) Sleep(1);
        Clock::duration ran = Clock::now() - started;
        if (inPlace()) {
            EXPECT_EQ(0, updater_.WaitForExit()) << "the new version is started";
        }
        updater_.End();
        std::string left = ReadBytes(Path("Enneo.exe"));
        EXPECT_TRUE(left == large || left == new_)
            << "killed after " << std::chrono::duration_cast<std::chrono::milliseconds>(killAfter).count() << " ms";
        return ran;
    };
    const Clock::duration whole = update(std::chrono::seconds(30));
    ASSERT_TRUE(inPlace()) << "no update within 30 s";
    const int kKills = 20;
    for (int kill = 0; kill < kKills; ++kill) update(whole * kill / kKills);
}

// An update without its program is no work; of updates for two programs, neither is
// installed.
TEST_F(UpdaterTest, OnlyTheOneUpdateBesideItsProgramIsInstalled) {
    WriteBytes(Path("updater.exe"), BuiltFile(ENNEO_TEST_UPDATER));
    WriteBytes(Path("Other.upd"), new_);
    StartUpdater();
    EXPECT_EQ(0, updater_.WaitForExit());
    EXPECT_EQ(new_, ReadBytes(Path("Other.upd")));

    Stage(new_, signature_);
    WriteBytes(Path("Other.exe"), installed_);
    StartUpdater();
    DialogDriver boxes({{L"Update", L"", IDOK}}, updater_.GetId());
    EXPECT_EQ(L"Updates for more than one program wait in " + Path("") + L", so none of them is installed.",
              boxes.Texts().at(0));
    EXPECT_EQ(1, updater_.WaitForExit());
    EXPECT_EQ(installed_, ReadBytes(Path("Enneo.exe")));
    EXPECT_EQ(installed_, ReadBytes(Path("Other.exe")));
}

}  // namespace
