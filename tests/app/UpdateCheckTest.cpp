// End-to-end tests of the update check: a test build of the program, whose service URL
// points at the local update service, is started and its message boxes are answered.
#include "common/io/ByteArrayOutputStream.h"
#include "common/net/http/HttpClient.h"
#include "common/util/Registry.h"
#include "resources/resource.h"
#include "tests/common/TestFiles.h"
#include "tests/common/net/TestServer.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/PlantedDll.h"
#include "tests/support/ProgramUnderTest.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <cwchar>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

const wchar_t kSettingsKey[] = L"Software\\Enneo Project\\Enneo Tessary";
const wchar_t kSetting[] = L"CheckForUpdates";
// The newest version seen, per architecture (CMakeLists.txt).
const wchar_t kNewestSeen[] = ENNEO_NEWEST_SEEN;
const wchar_t kOtherNewestSeen[] = ENNEO_OTHER_NEWEST_SEEN;
const char kIndexRequest[] = "GET /versions/index.php?name=Enneo HTTP/1.1\n";
const wchar_t kOfferCaption[] = L"Enneo update";
const wchar_t kErrorCaption[] = L"Error while installing update.";
// The versions come from CMakeLists.txt: the tree's own is the installed one, the
// service offers the next.
const wchar_t kOfferText[] =
    L"An update for "
    L"Enneo " ENNEO_INSTALLED_VERSION L" is available.\n\nDo you want to download Enneo " ENNEO_NEW_VERSION L"?";
const wchar_t kNotSigned[] = L" is not signed by the publisher of Enneo.";
const wchar_t kOutOfDate[] =
    L"The update service's answer is out of date, so it cannot tell whether a newer Enneo exists.";
const wchar_t kNoAnswer[] = L"The update service did not answer (";

// The paragraph a box from the menu adds when a release newer than the running one has
// been seen signed but not offered.
std::wstring NotOffered(const wchar_t* version) {
    return L"\n\nEnneo " + std::wstring(version) + L" has been released; this check could not offer it.";
}

// The user's proxy setting as Windows keeps it (and Wine's WinHTTP reads it): a binary
// value whose header is three 32-bit words (0x46, a counter, the flags), then the proxy
// list, the bypass list and the configuration script's URL, each a 32-bit length and
// that many ANSI bytes. The value the tests found is put back when the object goes, since
// every test of the tree shares the prefix.
class UserProxySetting {
public:
    static const DWORD kDirect = 1, kProxy = 2, kScript = 4;

    UserProxySetting(DWORD flags, const std::string& proxy, const std::string& script) {
        HKEY key = nullptr;
        EXPECT_EQ(ERROR_SUCCESS,
                  RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
        key_ = key;
        DWORD size = 0;
        had_ = RegQueryValueExW(key_, kValue, nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS;
        found_.resize(size);
        if (had_ && size > 0) RegQueryValueExW(key_, kValue, nullptr, nullptr, found_.data(), &size);
        std::vector<BYTE> blob;
        for (DWORD word : {DWORD{0x46}, DWORD{1}, flags}) Append(blob, word);
        const std::string bypass;  // not even "<local>": the service is on the loopback
        for (const std::string* text : {&proxy, &bypass, &script}) {
            Append(blob, static_cast<DWORD>(text->size()));
            blob.insert(blob.end(), text->begin(), text->end());
        }
        blob.resize(blob.size() + 32);  // the words Windows keeps after them, unused here
        EXPECT_EQ(ERROR_SUCCESS,
                  RegSetValueExW(key_, kValue, 0, REG_BINARY, blob.data(), static_cast<DWORD>(blob.size())));
    }
    ~UserProxySetting() {
        if (had_) {
            RegSetValueExW(key_, kValue, 0, REG_BINARY, found_.data(), static_cast<DWORD>(found_.size()));
        } else {
            RegDeleteValueW(key_, kValue);
        }
        RegCloseKey(key_);
    }
    UserProxySetting(const UserProxySetting&) = delete;
    UserProxySetting& operator=(const UserProxySetting&) = delete;

private:
    static constexpr const wchar_t* kKey =
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Connections";
    static constexpr const wchar_t* kValue = L"DefaultConnectionSettings";

    static void Append(std::vector<BYTE>& blob, DWORD word) {
        for (int shift = 0; shift < 32; shift += 8) blob.push_back(static_cast<BYTE>(word >> shift));
    }

    HKEY key_ = nullptr;
    bool had_ = false;
    std::vector<BYTE> found_;
};

// Each test starts the program in a folder of its own, with the service's answer and
// the "CheckForUpdates" setting chosen first. The tests share the service and the
// setting, so CTest runs them one at a time.
class UpdateCheckTest : public TestServerTest {
protected:
    // No release has been seen signed yet, and the HTTPS port speaks good TLS.
    void SetUp() override {
        TestServerTest::SetUp();
        SetValue(kNewestSeen, nullptr);
        SetValue(kOtherNewestSeen, nullptr);
        Fetch(L"/tls-control?mode=good");
    }

    std::string Fetch(const std::wstring& path) {
        net::http::HttpClient client;
        io::ByteArrayOutputStream body;
        EXPECT_TRUE(client.Get(Url(path).c_str(), &body)) << "the update service did not answer";
        return body.GetSize() == 0 ? std::string() : std::string(body.GetBuffer(), body.GetSize());
    }
    // Chooses the service's answer (see http_test_server.py) and forgets its requests.
    void Answer(const std::wstring& scenario) { Fetch(L"/update-control?scenario=" + scenario); }
    // The request lines the service received since the last Answer.
    std::string Requests() { return Fetch(L"/update-log"); }
    // The request lines the test proxy received, one per line (see http_test_server.py).
    std::string ProxyLog() { return Fetch(L"/proxy-log"); }
    // "127.0.0.1:<port>", narrow.
    static std::string Loopback(int port) { return "127.0.0.1:" + std::to_string(port); }

    // Sets a value of the program's settings; null removes it.
    static void SetValue(const wchar_t* name, const wchar_t* value) {
        if (value != nullptr) {
            ASSERT_TRUE(util::WriteRegistryString(HKEY_CURRENT_USER, kSettingsKey, name, value));
        } else {
            RegDeleteKeyValueW(HKEY_CURRENT_USER, kSettingsKey, name);
        }
    }
    static void SetSetting(const wchar_t* value) { SetValue(kSetting, value); }
    static std::wstring Value(const wchar_t* name) {
        String value;
        if (!util::ReadRegistryString(HKEY_CURRENT_USER, kSettingsKey, name, value)) return L"<none>";
        return value.GetText();
    }
    static std::wstring Setting() { return Value(kSetting); }
    // Chooses the answer, asks from the Help menu of the running program's board and
    // gives the text of the box that says so.
    std::wstring AskFromTheMenu(HWND board, const wchar_t* scenario) {
        Answer(scenario);
        DialogDriver boxes({{kOfferCaption, L"", IDOK}}, program_.GetId());
        PostMessageW(board, WM_COMMAND, IDM_CHECKUPDATES, 0);
        return boxes.Texts().at(0);
    }

    // Copies program into the program folder as "Enneo.exe" and starts it there, with
    // another folder as its current directory: downloads and their clean-up belong in
    // the program's folder, whatever the current directory is.
    // argument0: the first argument of its command line, the program's path when empty.
    void Start(const char* program = ENNEO_TEST_PROGRAM, const std::wstring& argument0 = L"") {
        ASSERT_TRUE(CopyFileW(ProgramUnderTest::WindowsPath(program).c_str(), Installed("Enneo.exe").c_str(), FALSE));
        ASSERT_TRUE(program_.Start(Installed("Enneo.exe"), work_.Path(""), argument0)) << "cannot start the program";
    }
    std::wstring Installed(const char* name) const { return folder_.Path(name); }
    // The board window once it is shown, or null after the time-out; the start-up
    // check has ended by then.
    HWND WaitForBoard(int seconds = 20) { return program_.WaitForWindow(L"Enneo Tessary", seconds); }

    // Starts the program against each answer of the service in turn: no box, and the
    // board window comes (the check's own bounds are seconds, far within the wait).
    void ExpectOnlyTheBoard(std::initializer_list<const wchar_t*> scenarios) {
        SetSetting(L"1");
        for (const wchar_t* scenario : scenarios) {
            SCOPED_TRACE(std::string(scenario, scenario + std::wcslen(scenario)));
            Answer(scenario);
            Start();
            HWND board = WaitForBoard();
            ASSERT_NE(nullptr, board) << "a box or nothing instead of the board";
            EXPECT_EQ(kIndexRequest, Requests().substr(0, std::strlen(kIndexRequest)));
            EXPECT_EQ(0, program_.Close(board));
        }
    }

    // Answers the offer with Yes and expects the error box with reason: the program
    // goes on, unchanged, nothing was started and no downloaded file is left.
    void ExpectRefused(const wchar_t* scenario, const std::wstring& reason, const char* program = ENNEO_TEST_PROGRAM) {
        SCOPED_TRACE(std::string(scenario, scenario + std::wcslen(scenario)));
        Answer(scenario);
        Start(program);
        DialogDriver boxes({{kOfferCaption, L"", IDYES}, {kErrorCaption, L"", IDOK}}, program_.GetId());
        EXPECT_EQ(
            L"Sorry, there was an error while installing the update.\n\n" + reason + L"\n\nYou may retry again later.",
            boxes.Texts().at(1));
        HWND board = WaitForBoard();
        ASSERT_NE(nullptr, board) << "the program goes on after the error";
        EXPECT_FALSE(FileExists(Installed("updater.exe")));
        EXPECT_FALSE(FileExists(Installed("Enneo.upd")));
        EXPECT_FALSE(FileExists(Installed("Enneo.upd.sig")));
        EXPECT_FALSE(FileExists(Installed("updater-ran")));
        EXPECT_FALSE(FileExists(Installed("Enneo.update"))) << "the record of the removed files";
        EXPECT_TRUE(ReadBytes(ProgramUnderTest::WindowsPath(program)) == ReadBytes(Installed("Enneo.exe")))
            << "the installed program changed";
        EXPECT_EQ(0, program_.Close(board));
    }

    TempFolder folder_;  // the program's folder
    TempFolder work_;    // its current directory
    ProgramUnderTest program_;
};

TEST_F(UpdateCheckTest, TheFirstStartWritesTheSettingAndChecks) {
    SetSetting(nullptr);
    Answer(L"same");
    Start();
    HWND board = WaitForBoard();
    ASSERT_NE(nullptr, board);
    EXPECT_EQ(kIndexRequest, Requests());
    EXPECT_EQ(L"1", Setting());
    EXPECT_EQ(0, program_.Close(board));
}

TEST_F(UpdateCheckTest, SwitchedOffTheStartDoesNotCheckButTheMenuCommandDoes) {
    SetSetting(L"0");
    Answer(L"newer");
    Start();
    HWND board = WaitForBoard();
    ASSERT_NE(nullptr, board);
    EXPECT_EQ("", Requests());
    {
        DialogDriver boxes({{kOfferCaption, L"", IDNO}}, program_.GetId());
        PostMessageW(board, WM_COMMAND, IDM_CHECKUPDATES, 0);
        EXPECT_EQ(kOfferText, boxes.Texts().at(0));
    }
    EXPECT_EQ(kIndexRequest, Requests());
    EXPECT_EQ(L"0", Setting());
    EXPECT_EQ(0, program_.Close(board));
}

TEST_F(UpdateCheckTest, ANewerReleaseIsOfferedBeforeTheBoardAndNoLeavesNoFile) {
    SetSetting(L"1");
    Answer(L"newer");
    Start();
    DialogDriver boxes({{kOfferCaption, L"", IDNO}}, program_.GetId());
    EXPECT_EQ(kOfferText, boxes.Texts().at(0));
    HWND board = WaitForBoard();
    ASSERT_NE(nullptr, board);
    EXPECT_EQ(kIndexRequest, Requests());
    EXPECT_FALSE(FileExists(folder_.Path("updater.exe")));
    EXPECT_FALSE(FileExists(folder_.Path("Enneo.upd")));
    EXPECT_EQ(0, program_.Close(board));
}

// A later start while a copy keeps the game (Resume Last Game on) hands its file over
// and ends before it makes the board window and its update check: the service hears
// nothing from it, though it would offer a newer release.
TEST_F(UpdateCheckTest, ASecondCopyHandsItsFileOverWithoutACheck) {
    SetSetting(L"1");
    Answer(L"same");
    Start();
    HWND board = WaitForBoard();
    ASSERT_NE(nullptr, board);
    EXPECT_EQ(kIndexRequest, Requests());
    Answer(L"newer");
    WriteBytes(work_.Folder() / "handed-over.txt", "1 2 3\r\n");
    SetValue(L"ResumeGame", L"1");
    const std::wstring program = Installed("Enneo.exe");
    std::wstring commandLine = L"\"" + program + L"\" \"" + work_.Path("handed-over.txt") + L"\"";
    // The null device as its standard handles, as ProgramUnderTest gives them.
    SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
    HANDLE null = CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited,
                              OPEN_EXISTING, 0, nullptr);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = startup.hStdOutput = startup.hStdError = null;
    PROCESS_INFORMATION second = {};
    BOOL started = CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr,
                                  work_.Path("").c_str(), &startup, &second);
    CloseHandle(null);
    DWORD code = STILL_ACTIVE;
    if (started) {
        if (WaitForSingleObject(second.hProcess, 30000) != WAIT_OBJECT_0) TerminateProcess(second.hProcess, 99);
        GetExitCodeProcess(second.hProcess, &code);
        CloseHandle(second.hProcess);
        CloseHandle(second.hThread);
    }
    SetValue(L"ResumeGame", L"0");  // as every other start of the tests has it
    ASSERT_TRUE(started);
    EXPECT_EQ(0u, code) << "the second copy did not end after its hand-over";
    EXPECT_EQ("", Requests());
    EXPECT_EQ(0, program_.Close(board));
}

// No newer release, a 404, no answer at all; a reply without a latest statement, with
// an expired one, or whose statement names another release than it offers: the start
// offers and installs nothing, and says nothing.
TEST_F(UpdateCheckTest, NothingIsShownWhenNothingNewerComes) {
    ExpectOnlyTheBoard({L"same", L"missing", L"silent", L"no-latest", L"expired", L"latest-other"});
}

// A message beside a valid latest statement of a newer release, which the reply offers,
// hides nothing: the start offers it.
TEST_F(UpdateCheckTest, AMessageDoesNotHideASignedNewerRelease) {
    SetSetting(L"1");
    Answer(L"message");
    Start();
    DialogDriver boxes({{kOfferCaption, L"", IDNO}}, program_.GetId());
    EXPECT_EQ(kOfferText, boxes.Texts().at(0));
    HWND board = WaitForBoard();
    ASSERT_NE(nullptr, board);
    EXPECT_EQ(ENNEO_NEW_VERSION, Value(kNewestSeen));
    EXPECT_EQ(L"<none>", Value(kOtherNewestSeen));
    EXPECT_EQ(0, program_.Close(board));
}

// A release is stated per architecture: the other one's newer release, though signed and
// carried with the valid signature of the older form that names no architecture, offers
// nothing and raises no newest version seen, the own architecture's or the other's.
TEST_F(UpdateCheckTest, TheOtherArchitecturesNewerReleaseOffersNothing) {
    SetSetting(L"0");
    Start();
    HWND board = WaitForBoard();
    ASSERT_NE(nullptr, board);
    EXPECT_EQ(L"Enneo " ENNEO_NEW_VERSION L" has been released, but the service offered it without a valid "
              L"statement; it was not installed.",
              AskFromTheMenu(board, L"latest-other-arch"));
    EXPECT_EQ(L"<none>", Value(kNewestSeen));
    EXPECT_EQ(L"<none>", Value(kOtherNewestSeen));
    EXPECT_EQ(0, program_.Close(board));
}

// Asked from the menu, every check ends in a box that says what it found: up to date
// (until the statement's expiry), no answer and why, a reply that is not one, an offer
// without a valid statement.
TEST_F(UpdateCheckTest, EveryCheckFromTheMenuEndsInABoxThatSaysWhatItFound) {
    SetSetting(L"0");
    Start();
    HWND board = WaitForBoard();
    ASSERT_NE(nullptr, board);
    EXPECT_EQ(0u, AskFromTheMenu(board, L"same")
                      .find(L"Enneo " ENNEO_INSTALLED_VERSION L" is up to date (the "
                            L"service's statement is valid until "));
    std::wstring missing = AskFromTheMenu(board, L"missing");
    EXPECT_EQ(0u, missing.find(kNoAnswer)) << missing;
    EXPECT_NE(std::wstring::npos, missing.find(L" answered with status 404).")) << missing;
    std::wstring silent = AskFromTheMenu(board, L"silent");
    EXPECT_EQ(0u, silent.find(kNoAnswer)) << silent;
    EXPECT_EQ(L"Enneo " ENNEO_NEW_VERSION L" has been released, but the service offered it without a valid "
              L"statement; it was not installed.",
              AskFromTheMenu(board, L"no-latest"));
    EXPECT_EQ(L"The update service did not answer (its answer is not an update reply)." + NotOffered(ENNEO_NEW_VERSION),
              AskFromTheMenu(board, L"not-a-version"));
    EXPECT_EQ(0, program_.Close(board));
}

// Once a newer release has been seen signed, a replay of an older one's answer, though
// signed and unexpired, offers nothing; asked from the menu, the program says that the
// service's answer is out of date, as for an expired one, and that a build without a
// key checks nothing.
TEST_F(UpdateCheckTest, AnOutOfDateAnswerOffersNothingAndTheMenuSaysSo) {
    SetSetting(L"0");
    Start();
    HWND board = WaitForBoard();
    ASSERT_NE(nullptr, board);
    EXPECT_EQ(kOutOfDate + NotOffered(ENNEO_NEW_VERSION), AskFromTheMenu(board, L"expired"));
    EXPECT_EQ(
        L"The update service's answer is out of date: it offers "
        L"Enneo " ENNEO_NEW_VERSION L", but Enneo " ENNEO_OTHER_VERSION L" has been released." +
            NotOffered(ENNEO_OTHER_VERSION),
        AskFromTheMenu(board, L"latest-other"));
    EXPECT_EQ(ENNEO_OTHER_VERSION, Value(kNewestSeen));
    EXPECT_EQ(
        L"The update service's answer is out of date: it names "
        L"Enneo " ENNEO_NEW_VERSION L", but Enneo " ENNEO_OTHER_VERSION L" has been released." +
            NotOffered(ENNEO_OTHER_VERSION),
        AskFromTheMenu(board, L"newer"));
    EXPECT_EQ(0, program_.Close(board));
    Start(ENNEO_KEYLESS_TEST_PROGRAM);
    board = WaitForBoard();
    ASSERT_NE(nullptr, board);
    EXPECT_EQ(L"This copy of Enneo has no publisher key to check updates with, so it installs none." +
                  NotOffered(ENNEO_OTHER_VERSION),
              AskFromTheMenu(board, L"newer"));
    EXPECT_EQ(0, program_.Close(board));
}

// A reply a byte a second, noise, a close inside the header block, a Content-Length
// never met, 100,000 header lines, redirects without end.
TEST_F(UpdateCheckTest, NothingIsShownWhenTheServiceMisbehaves) {
    ExpectOnlyTheBoard({L"drip", L"noise", L"cut-header", L"long-promise", L"many-headers", L"loop"});
}

// Replies made to harm: nesting that would exhaust the stack (9,000 levels, and one
// level past the limit), 64 MiB sent fast, a trickle that never ends, a version with a
// text of the service's after it, which would be shown.
TEST_F(UpdateCheckTest, NothingIsShownForHostileReplies) {
    ExpectOnlyTheBoard({L"deep", L"deep-65", L"huge", L"trickle", L"not-a-version"});
}

// An updater URL that would smuggle a header into the request is never requested.
TEST_F(UpdateCheckTest, AUrlWithALineBreakIsRefused) {
    SetSetting(L"1");
    Answer(L"crlf-url");
    Start();
    DialogDriver boxes({{kOfferCaption, L"", IDYES}, {kErrorCaption, L"", IDOK}}, program_.GetId());
    EXPECT_NE(std::wstring::npos, boxes.Texts().at(1).find(L"could not be saved to:"));
    HWND board = WaitForBoard();
    ASSERT_NE(nullptr, board);
    EXPECT_EQ(kIndexRequest, Requests());
    EXPECT_EQ(0, program_.Close(board));
}

TEST_F(UpdateCheckTest, AnUpdaterThatCannotBeFetchedShowsTheErrorAndFetchesNothingMore) {
    SetSetting(L"1");
    // The box names the file, not the reply's URL.
    ExpectRefused(L"no-updater", L"The updater could not be saved to:\n\n" + Installed("updater.exe"));
    EXPECT_EQ(kIndexRequest, Requests());
}

// A user's own "Enneo.exe.old" stays through the download and the next start, which
// removes what the update recorded, found by the program file's own name, not by the
// first argument of its command line.
TEST_F(UpdateCheckTest, YesDownloadsAndVerifiesBothFilesStartsTheUpdaterAndEndsTheProgram) {
    SetSetting(L"1");
    WriteBytes(Installed("Enneo.exe.old"), "the user's own backup");
    Answer(L"newer");
    Start();
    DialogDriver boxes({{kOfferCaption, L"", IDYES}}, program_.GetId());
    EXPECT_EQ(0, program_.WaitForExit());
    EXPECT_EQ(std::string(kIndexRequest) + "GET /files/updater.exe HTTP/1.1\nGET /files/Enneo.upd HTTP/1.1\n",
              Requests());
    EXPECT_EQ(ReadBytes(ProgramUnderTest::WindowsPath(ENNEO_TEST_UPDATER)), ReadBytes(Installed("updater.exe")));
    EXPECT_EQ(ReadBytes(ProgramUnderTest::WindowsPath(ENNEO_TEST_NEW_PROGRAM)), ReadBytes(Installed("Enneo.upd")));
    EXPECT_EQ(88u, ReadBytes(Installed("Enneo.upd.sig")).size()) << "the signature's base64 beside it";
    std::string record = ReadBytes(Installed("Enneo.update"));
    for (const char* line : {"Enneo Tessary update record\n", " updater.exe\n", " Enneo.upd\n", " Enneo.upd.sig\n"}) {
        EXPECT_NE(std::string::npos, record.find(line)) << record;
    }
    EXPECT_EQ(ENNEO_NEW_VERSION, Value(kNewestSeen));
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
    while (!FileExists(Installed("updater-ran")) && std::chrono::steady_clock::now() < deadline) Sleep(100);
    EXPECT_TRUE(FileExists(Installed("updater-ran"))) << "the updater was not started in the program's folder";

    SetSetting(L"0");
    ASSERT_TRUE(program_.Start(Installed("Enneo.exe"), work_.Path(""), L"C:\\elsewhere\\Other.exe"));
    HWND board = WaitForBoard();
    ASSERT_NE(nullptr, board);
    for (const char* left : {"updater.exe", "Enneo.upd", "Enneo.upd.sig", "Enneo.update"}) {
        EXPECT_FALSE(FileExists(Installed(left))) << left;
    }
    EXPECT_EQ("the user's own backup", ReadBytes(Installed("Enneo.exe.old")));
    EXPECT_EQ(0, program_.Close(board));
}

// Nothing is started unless both files carry the publisher's signature.
TEST_F(UpdateCheckTest, UpdatesThePublisherDidNotSignAreRefused) {
    SetSetting(L"1");
    ExpectRefused(L"tampered-updater", std::wstring(L"The downloaded updater") + kNotSigned);
    ExpectRefused(L"tampered-download", std::wstring(L"The downloaded new version") + kNotSigned);
    ExpectRefused(L"stranger", std::wstring(L"The downloaded updater") + kNotSigned);
    ExpectRefused(L"unsigned", L"The update service did not sign the update, so it is not installed.");
}

// A signature holds for the file's role, the program's architecture and the release
// offered: the publisher's own updater served as the new version, files signed for the
// other architecture or for another release are all refused.
TEST_F(UpdateCheckTest, ASignatureHoldsOnlyForItsRoleArchitectureAndRelease) {
    SetSetting(L"1");
    ExpectRefused(L"updater-as-program", std::wstring(L"The downloaded new version") + kNotSigned);
    ExpectRefused(L"other-arch", std::wstring(L"The downloaded updater") + kNotSigned);
    ExpectRefused(L"other-version", std::wstring(L"The downloaded updater") + kNotSigned);
}

// Should the publisher ever sign a wrong statement, the file itself must still be what
// it says: the updater signed as the program, a program for another machine, files of
// another version than the one offered.
TEST_F(UpdateCheckTest, FilesUnlikeTheirSignedStatementAreRefused) {
    SetSetting(L"1");
    ExpectRefused(L"mislabelled", L"The downloaded new version is \"updater.exe\", not Enneo.");
    ExpectRefused(L"wrong-machine", L"The downloaded new version is not a " ENNEO_ARCH L" program.");
    ExpectRefused(
        L"wrong-version",
        L"The downloaded updater is \"" ENNEO_NEW_VERSION L"\", not the Enneo " ENNEO_OTHER_VERSION L" offered.");
}

// A bcrypt.dll that accepts every signature, in the program's folder and its current
// directory, with a DLL override that prefers it: the program takes the system's all
// the same.
TEST_F(UpdateCheckTest, APlantedBcryptDllIsNeverUsed) {
    SetSetting(L"1");
    PlantedBcrypt planted(ENNEO_PLANTED_BCRYPT, L"Enneo.exe", {folder_.Path(""), work_.Path("")});
    ASSERT_TRUE(planted.IsPlanted());
    ExpectRefused(L"tampered-download", std::wstring(L"The downloaded new version") + kNotSigned);
}

// A download that takes a while shows its progress; Cancel ends it without a word and
// removes what came.
TEST_F(UpdateCheckTest, ASlowDownloadShowsItsProgressAndCanBeCancelled) {
    SetSetting(L"1");
    Answer(L"slow-download");
    Start();
    { DialogDriver boxes({{kOfferCaption, L"", IDYES}}, program_.GetId()); }
    HWND progress = nullptr;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (progress == nullptr && std::chrono::steady_clock::now() < deadline) {
        HWND window = FindWindowW(L"ProgressWindow", nullptr);
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (window != nullptr && process == program_.GetId() && IsWindowVisible(window)) progress = window;
        Sleep(100);
    }
    ASSERT_NE(nullptr, progress) << "no progress window";
    HWND cancel = FindWindowExW(progress, nullptr, L"Button", L"Cancel");
    ASSERT_NE(nullptr, cancel);
    PostMessageW(cancel, BM_CLICK, 0, 0);
    HWND board = WaitForBoard();
    ASSERT_NE(nullptr, board) << "the program goes on after Cancel";
    EXPECT_FALSE(IsWindow(progress));
    EXPECT_FALSE(FileExists(Installed("updater.exe")));
    EXPECT_FALSE(FileExists(Installed("Enneo.upd")));
    EXPECT_FALSE(FileExists(Installed("updater-ran")));
    EXPECT_EQ(0, program_.Close(board));
}

// A file of an update's names that no update recorded is someone else's: an unrelated
// "updater.exe" beside a portable copy in a shared folder, a file "Enneo.update" that is
// not a record. A start leaves it, and an update does not overwrite it but says so.
TEST_F(UpdateCheckTest, FilesThatAreNotTheUpdatesOwnAreNeitherRemovedNorReplaced) {
    SetSetting(L"1");
    for (const char* name : {"Enneo.update", "updater.exe"}) {
        SCOPED_TRACE(name);
        WriteBytes(Installed(name), "someone else's");
        Answer(L"newer");
        Start();
        DialogDriver boxes({{kOfferCaption, L"", IDYES}, {kErrorCaption, L"", IDOK}}, program_.GetId());
        EXPECT_NE(std::wstring::npos,
                  boxes.Texts().at(1).find(Installed(name) + L" does not come from an update of Enneo, so it is "
                                                             L"not replaced."));
        HWND board = WaitForBoard();
        ASSERT_NE(nullptr, board);
        EXPECT_EQ("someone else's", ReadBytes(Installed(name)));
        EXPECT_FALSE(FileExists(Installed("Enneo.upd")));
        EXPECT_EQ(kIndexRequest, Requests()) << "nothing downloaded";
        EXPECT_EQ(0, program_.Close(board));
        DeleteFileW(Installed(name).c_str());
    }
}

// A release whose update URL is https: the offer, the updater and the new version all
// come over TLS, from a server whose certificate the system trusts.
TEST_F(UpdateCheckTest, AnHttpsServiceOffersAndDeliversTheUpdateOverTls) {
    SetSetting(L"1");
    Answer(L"newer");
    Start(ENNEO_HTTPS_TEST_PROGRAM);
    DialogDriver boxes({{kOfferCaption, L"", IDYES}}, program_.GetId());
    EXPECT_EQ(kOfferText, boxes.Texts().at(0));
    EXPECT_EQ(0, program_.WaitForExit());
    EXPECT_EQ(std::string("https ") + kIndexRequest +
                  "https GET /files/updater.exe HTTP/1.1\nhttps GET /files/Enneo.upd HTTP/1.1\n",
              Requests());
    EXPECT_EQ(ReadBytes(ProgramUnderTest::WindowsPath(ENNEO_TEST_UPDATER)), ReadBytes(Installed("updater.exe")));
    EXPECT_EQ(ReadBytes(ProgramUnderTest::WindowsPath(ENNEO_TEST_NEW_PROGRAM)), ReadBytes(Installed("Enneo.upd")));
}

// The service's certificate has expired: asked from the menu, the program says that the
// service did not answer, and why.
TEST_F(UpdateCheckTest, AnExpiredCertificateEndsTheMenuCheckInABoxThatSaysSo) {
    SetSetting(L"0");
    Start(ENNEO_HTTPS_TEST_PROGRAM);
    HWND board = WaitForBoard();
    ASSERT_NE(nullptr, board);
    Fetch(L"/tls-control?mode=expired");
    std::wstring text = AskFromTheMenu(board, L"newer");
    EXPECT_EQ(0u, text.find(L"The update service did not answer (no secure connection to localhost: ")) << text;
    EXPECT_NE(std::wstring::npos, text.find(L"expired")) << text;
    EXPECT_EQ(text.size() - 2, text.rfind(L").")) << text;
    EXPECT_EQ("", Requests()) << "nothing reached the service";
    EXPECT_EQ(0, program_.Close(board));
}

// The menu's boxes belong to the board, which they disable; a check asked for while one
// stands (a command that still reaches the board) does not start a second one.
TEST_F(UpdateCheckTest, TheMenuChecksBoxBelongsToTheBoardAndNoSecondCheckStarts) {
    SetSetting(L"0");
    Start();
    HWND board = WaitForBoard();
    ASSERT_NE(nullptr, board);
    Answer(L"newer");
    PostMessageW(board, WM_COMMAND, IDM_CHECKUPDATES, 0);
    HWND offer = nullptr;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (offer == nullptr && std::chrono::steady_clock::now() < deadline) {
        Sleep(100);
        HWND box = FindWindowW(L"#32770", kOfferCaption);
        DWORD process = 0;
        GetWindowThreadProcessId(box, &process);
        if (box != nullptr && process == program_.GetId() && IsWindowVisible(box)) offer = box;
    }
    ASSERT_NE(nullptr, offer) << "no offer";
    EXPECT_EQ(board, GetWindow(offer, GW_OWNER));
    EXPECT_FALSE(IsWindowEnabled(board));
    PostMessageW(board, WM_COMMAND, IDM_CHECKUPDATES, 0);
    Sleep(2000);  // time enough for a second check's request
    EXPECT_EQ(kIndexRequest, Requests());
    PostMessageW(offer, WM_COMMAND, IDNO, 0);
    deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (IsWindow(offer) && std::chrono::steady_clock::now() < deadline) Sleep(100);
    Sleep(500);
    EXPECT_FALSE(DialogDriver::HasDialog(program_.GetId())) << "a second offer";
    EXPECT_TRUE(IsWindowEnabled(board));
    EXPECT_EQ(0, program_.Close(board));
}

// The shipped program asks a service that does not resolve: it starts all the same, and
// its Check for Updates command says that the service did not answer.
TEST_F(UpdateCheckTest, TheProgramRunsWhenItsServiceCannotBeReached) {
    SetSetting(L"1");
    Start(ENNEO_PROGRAM);
    HWND board = WaitForBoard();
    ASSERT_NE(nullptr, board);
    std::wstring text = AskFromTheMenu(board, L"same");
    EXPECT_EQ(0u, text.find(kNoAnswer)) << text;
    EXPECT_EQ(0, program_.Close(board));
}

// The user's proxy, set as a configuration script that names the test proxy: the
// start-up check's question reaches the service through the proxy, which saw it in the
// absolute form. Set as a fixed proxy: the question and both downloads go through it.
TEST_F(UpdateCheckTest, TheCheckAndItsDownloadsGoThroughTheUsersProxy) {
    SetSetting(L"1");
    std::string service = "http://" + Loopback(port_);
    {
        UserProxySetting script(UserProxySetting::kDirect | UserProxySetting::kScript, "",
                                service + "/proxy.pac?port=" + std::to_string(proxyPort_));
        Answer(L"same");
        size_t seen = ProxyLog().size();
        Start();
        HWND board = WaitForBoard();
        ASSERT_NE(nullptr, board);
        EXPECT_EQ(kIndexRequest, Requests());
        EXPECT_NE(std::string::npos,
                  ProxyLog().find("GET " + service + "/versions/index.php?name=Enneo HTTP/1.1\n", seen));
        EXPECT_EQ(0, program_.Close(board));
    }
    UserProxySetting fixed(UserProxySetting::kDirect | UserProxySetting::kProxy, Loopback(proxyPort_), "");
    Answer(L"newer");
    size_t seen = ProxyLog().size();
    Start();
    { DialogDriver boxes({{kOfferCaption, L"", IDYES}}, program_.GetId()); }
    EXPECT_EQ(0, program_.WaitForExit());
    std::string log = ProxyLog().substr(seen);
    for (const char* path : {"/versions/index.php?name=Enneo", "/files/updater.exe", "/files/Enneo.upd"}) {
        EXPECT_NE(std::string::npos, log.find("GET " + service + path + " HTTP/1.1\n")) << log;
    }
    EXPECT_EQ(std::string(kIndexRequest) + "GET /files/updater.exe HTTP/1.1\nGET /files/Enneo.upd HTTP/1.1\n",
              Requests());
    // The updater it started ends before its folder goes.
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
    while (!FileExists(Installed("updater-ran")) && std::chrono::steady_clock::now() < deadline) Sleep(100);
    EXPECT_TRUE(FileExists(Installed("updater-ran")));
}

// A proxy that refuses: the menu's check ends in the box that says the service did not
// answer, naming the proxy.
TEST_F(UpdateCheckTest, TheMenusCheckNamesAProxyThatRefuses) {
    UserProxySetting proxy(UserProxySetting::kDirect | UserProxySetting::kProxy, Loopback(refusingProxyPort_), "");
    SetSetting(L"0");
    Start();
    HWND board = WaitForBoard();
    ASSERT_NE(nullptr, board);
    std::wstring text = AskFromTheMenu(board, L"same");
    EXPECT_EQ(0u, text.find(L"The update service did not answer (")) << text;
    EXPECT_NE(std::wstring::npos, text.find(L"127.0.0.1:" + std::to_wstring(refusingProxyPort_))) << text;
    EXPECT_EQ(0, program_.Close(board));
}

}  // namespace
