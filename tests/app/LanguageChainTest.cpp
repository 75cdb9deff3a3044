// The program in the player's language, end to end: chosen at the start from Windows'
// display language or from Options / Language, and its menu, boxes and board's names in it.
// Each test runs in a process of its own under the locale that ctest gives it
// (tests/app/CMakeLists.txt): Wine takes Windows' display language from it.
#include "app/EnneoApp.h"
#include "languages/Language.h"
#include "resources/resource.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/ProgramUnderTest.h"

#include <oleacc.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Nothing listens on the discard port: the board window's update checks end at once.
const wchar_t kNoUpdateService[] = L"http://127.0.0.1:9/versions/index.php";

// The program's application object, as the program declares it: it chooses the language.
static EnneoApp application(kNoUpdateService, L"");

namespace {

const wchar_t kSettings[] = L"Software\\Enneo Project\\Enneo Tessary";

// The registry value "Language", or "<absent>".
std::wstring LanguageValue() {
    wchar_t value[32] = {};
    DWORD size = sizeof(value);
    LSTATUS status = RegGetValueW(HKEY_CURRENT_USER, kSettings, L"Language", RRF_RT_REG_SZ, nullptr, value, &size);
    return status == ERROR_SUCCESS ? value : L"<absent>";
}

std::wstring MenuText(HMENU menu, UINT item, UINT by) {
    wchar_t text[128] = {};
    GetMenuStringW(menu, item, text, 128, by);
    return text;
}

// A key as the menu names it in the language spoken: "Ctrl" + "+" + "Z".
std::wstring Ctrl(const wchar_t* key) { return Language::Text(TextId::kKeyCtrl) + L"+" + key; }

// The board window's menu speaks the language spoken now: the pop-ups, items with their
// keys, Options / Language after Theme with Follow Windows and each language by its own
// name, the chosen one (an index of Language, or -1 for Follow Windows) marked.
void ExpectMenuSpoken(HWND board, int chosen) {
    SCOPED_TRACE(Language::Code(Language::Current()));
    HMENU menu = GetMenu(board);
    const TextId bar[] = {TextId::kMenuFile, TextId::kMenuEdit, TextId::kMenuOptions, TextId::kMenuHelp};
    ASSERT_EQ(4, GetMenuItemCount(menu));
    for (int i = 0; i < 4; ++i) EXPECT_EQ(Language::Text(bar[i]), MenuText(menu, i, MF_BYPOSITION));
    EXPECT_EQ(Language::Text(TextId::kMenuUndo) + L"\t" + Ctrl(L"Z"), MenuText(menu, ID_EDIT_UNDO, MF_BYCOMMAND));
    EXPECT_EQ(Language::Text(TextId::kMenuShowTimer) + L"\t" + Ctrl(L"T"),
              MenuText(menu, ID_OPTIONS_SHOWTIMER, MF_BYCOMMAND));
    EXPECT_EQ(Language::Text(TextId::kMenuHint) + L"\t?", MenuText(menu, ID_OPTIONS_HINT, MF_BYCOMMAND));
    EXPECT_EQ(Language::Text(TextId::kMenuPause) + L"\t" + Language::Text(TextId::kKeyEsc),
              MenuText(menu, ID_OPTIONS_PAUSE, MF_BYCOMMAND));
    EXPECT_EQ(Language::Text(TextId::kMenuEasy) + L"\tF2", MenuText(menu, ID_MFILE_NEWPUZZLE_EASY, MF_BYCOMMAND));

    HMENU options = GetSubMenu(menu, 2);
    EXPECT_EQ(Language::Text(TextId::kMenuTheme), MenuText(options, 3, MF_BYPOSITION));
    EXPECT_EQ(Language::Text(TextId::kMenuLanguage), MenuText(options, 4, MF_BYPOSITION));
    HMENU languages = GetSubMenu(options, 4);
    ASSERT_NE(nullptr, languages);
    ASSERT_EQ(Language::OfferedCount() + 1, GetMenuItemCount(languages));
    for (int i = 0; i <= Language::OfferedCount(); ++i) {
        int language = i - 1;
        EXPECT_EQ(language < 0 ? Language::Text(TextId::kMenuLanguageFollowWindows) : Language::OwnName(language),
                  MenuText(languages, i, MF_BYPOSITION));
        MENUITEMINFOW item = {};
        item.cbSize = sizeof(item);
        item.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID;
        GetMenuItemInfoW(languages, i, TRUE, &item);
        EXPECT_EQ(static_cast<UINT>(ID_OPTIONS_LANGUAGE_FIRST + language), item.wID);
        EXPECT_NE(0u, item.fType & MFT_RADIOCHECK);
        EXPECT_EQ(language == chosen, (item.fState & MFS_CHECKED) != 0) << language;
    }
}

// A cell's name as a screen reader reads it through the window's accessible object.
std::wstring CellName(HWND board, LONG child) {
    IAccessible* table = nullptr;
    if (AccessibleObjectFromWindow(board, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&table)) !=
        S_OK) {
        return L"<no object>";
    }
    VARIANT cell;
    cell.vt = VT_I4;
    cell.lVal = child;
    BSTR name = nullptr;
    table->get_accName(cell, &name);
    std::wstring text = name != nullptr ? name : L"";
    SysFreeString(name);
    table->Release();
    return text;
}

// Row 1, column 1 of the sample, empty, as the catalogue names it.
std::wstring EmptyFirstCell() { return Language::Say(TextId::kCellEmpty, {L"1", L"1"}); }

// A German Windows (LANG and LC_ALL de_DE.UTF-8) and no "Language": German from the
// start, in the menu, the Hint box and a cell's name.
TEST(LanguageChainTest, GermanWindowsSpeaksGerman) {
    ASSERT_EQ(L"<absent>", LanguageValue());
    const int german = Language::Find(L"de");
    ASSERT_GE(german, 0);
    ASSERT_EQ(german, Language::Current());
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    {
        EnneoWindow window(kNoUpdateService, L"");
        HWND board = window.Create(nullptr);
        window.Show(SW_SHOWNORMAL);
        ExpectMenuSpoken(board, -1);
        EXPECT_EQ(0u, CellName(board, 1).find(EmptyFirstCell()));

        DialogDriver driver({{Language::Text(TextId::kCaptionHint), L"", IDOK}});
        SendMessageW(board, WM_CHAR, L'?', 0);
        std::vector<std::wstring> told = driver.Texts();
        ASSERT_EQ(1u, told.size());
        EXPECT_NE(L"<no dialog>", told.front());
        window.Destroy();
    }
    CoUninitialize();
}

// Takes the registry value "Language" away at the end of a test, whatever its outcome.
struct LanguageValueRemoved {
    ~LanguageValueRemoved() {
        RegDeleteKeyValueW(HKEY_CURRENT_USER, kSettings, L"Language");
        Language::Choose(Language::OfSystem());
    }
};

// An English Windows with Options / Language chosen from the menu: the menu in that
// language at once, its choice kept; the program started again speaks it from the start,
// in its Hint box and its cells' names. Follow Windows takes the value away again.
TEST(LanguageChainTest, ChosenLanguageOnEnglishWindows) {
    const wchar_t* const code = L"ru";
    ASSERT_EQ(L"<absent>", LanguageValue());
    LanguageValueRemoved removed;
    ASSERT_EQ(Language::kEnglish, Language::Current());
    const int chosen = Language::Find(code);
    ASSERT_GE(chosen, 0);
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    EnneoWindow window(kNoUpdateService, L"");
    HWND board = window.Create(nullptr);
    window.Show(SW_SHOWNORMAL);
    ExpectMenuSpoken(board, -1);
    SendMessageW(board, WM_KEYDOWN, 'P', 0);  // pencil mode: a check mark the new menu shows again
    SendMessageW(board, WM_COMMAND, IDM_HELP, 0);  // an open window that changes its language too

    SendMessageW(board, WM_COMMAND, ID_OPTIONS_LANGUAGE_FIRST + chosen, 0);
    EXPECT_EQ(code, LanguageValue());
    ASSERT_EQ(chosen, Language::Current());
    ExpectMenuSpoken(board, chosen);
    EXPECT_NE(0u, GetMenuState(GetMenu(board), ID_EDIT_PENCILMODE, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_NE(0u, GetMenuState(GetMenu(board), ID_EDIT_UNDO, MF_BYCOMMAND) & MF_GRAYED);
    wchar_t helpTitle[64] = {};
    GetWindowTextW(window.GetHelpWindow().GetHandle(), helpTitle, 64);
    EXPECT_EQ(Language::Text(TextId::kHelpTitle), helpTitle);
    std::wstring name = CellName(board, 1);
    EXPECT_EQ(0u, name.find(EmptyFirstCell()));

    {
        ProgramUnderTest program;
        ASSERT_TRUE(program.Start(ProgramUnderTest::WindowsPath(ENNEO_LANGUAGE_TEST_PROGRAM), L"C:\\"));
        HWND other = program.WaitForWindow(Language::Text(TextId::kTitle).c_str());
        ASSERT_NE(nullptr, other);
        EXPECT_EQ(name, CellName(other, 1));
        DialogDriver driver({{Language::Text(TextId::kCaptionHint), L"", IDOK}}, program.GetId());
        PostMessageW(other, WM_CHAR, L'?', 0);
        EXPECT_NE(L"<no dialog>", driver.Texts().front());
        program.Close(other);
    }

    SendMessageW(board, WM_COMMAND, ID_OPTIONS_LANGUAGE_FOLLOWWINDOWS, 0);
    EXPECT_EQ(L"<absent>", LanguageValue());
    EXPECT_EQ(Language::kEnglish, Language::Current());
    ExpectMenuSpoken(board, -1);
    EXPECT_EQ(L"&File", MenuText(GetMenu(board), 0, MF_BYPOSITION));
    window.Destroy();
    CoUninitialize();
}

}  // namespace
