// BoardMenu: the board menu, made in the language spoken, its commands and their states.
#include "BoardMenu.h"

#include "board/BoardSettings.h"
#include "board/intake/PuzzleIntake.h"  // kRecentFiles: the items kept for the recent files
#include "languages/Language.h"
#include "resources/resource.h"
#include "words/Words.h"

#include <algorithm>
#include <cassert>
#include <iterator>
#include <string>
#include <utility>

namespace {

using Command = BoardCommand;

// A row of the menu's table: an item, a separator, a pop-up (its rows follow, up to its
// kEnd), or the language items (Follow Windows, then each language offered by its own
// name).
enum Shape { kItem, kSeparator, kPopup, kEnd, kLanguages };

struct Row {
    Shape shape;
    TextId text;  // an item's or a pop-up's
    UINT id;
    const wchar_t* key;  // the key an item shows, in English ("Ctrl+Shift+N"); nullptr for none
    Command command;
    bool checkMark;  // Show Hints, as first designed, shows none
};

constexpr Row Item(TextId text, UINT id, const wchar_t* key, Command command, bool checkMark = false) {
    return {kItem, text, id, key, command, checkMark};
}
constexpr Row Item(TextId text, UINT id, const wchar_t* key, Command::Kind kind, bool checkMark = false) {
    return Item(text, id, key, Command::Of(kind), checkMark);
}
constexpr Row Popup(TextId text) { return {kPopup, text, 0, nullptr, Command::Of(Command::kHelp), false}; }
constexpr Row Other(Shape shape) { return {shape, TextId::kMenuFile, 0, nullptr, Command::Of(Command::kHelp), false}; }

using T = TextId;
using C = Command;

// clang-format off
const Row kMenu[] = {
    Popup(T::kMenuFile),
        Item(T::kMenuNew, ID_MFILE_NEW, L"Ctrl+N", C::kNewEmpty),
        Popup(T::kMenuNewPuzzle),
            Item(T::kMenuEasy, ID_MFILE_NEWPUZZLE_EASY, L"F2", C::NewPuzzle(PuzzleLevel::kEasy)),
            Item(T::kMenuMedium, ID_MFILE_NEWPUZZLE_MEDIUM, L"F3", C::NewPuzzle(PuzzleLevel::kMedium)),
            Item(T::kMenuHard, ID_MFILE_NEWPUZZLE_HARD, L"F4", C::NewPuzzle(PuzzleLevel::kHard)),
            Item(T::kMenuExpert, ID_MFILE_NEWPUZZLE_EXPERT, nullptr, C::NewPuzzle(PuzzleLevel::kExpert)),
            Item(T::kMenuExtreme, ID_MFILE_NEWPUZZLE_EXTREME, nullptr, C::NewPuzzle(PuzzleLevel::kExtreme)),
        Other(kEnd),
        Item(T::kMenuOpen, ID_MFILE_OPEN, L"Ctrl+O", C::kOpen),
        Item(T::kMenuNextPuzzle, ID_MFILE_NEXTPUZZLE, L"Ctrl+Shift+N", C::kNextPuzzle),
        Item(T::kMenuSave, ID_MFILE_Save, L"Ctrl+S", C::kSave),
        Other(kSeparator),
        Item(T::kMenuPrint, ID_MFILE_PRINT, L"Ctrl+P", C::kPrint),
        Item(T::kMenuPrintNewPuzzles, ID_MFILE_PRINTNEWPUZZLES, L"Ctrl+Shift+P", C::kPrintNewPuzzles),
        Other(kSeparator),
        // The recent files come before Exit (ShowRecentFiles).
        Item(T::kMenuExit, ID_MFILE_EXIT, L"Alt+F4", C::kExit),
    Other(kEnd),
    Popup(T::kMenuEdit),
        Item(T::kMenuUndo, ID_EDIT_UNDO, L"Ctrl+Z", C::kUndo),
        Item(T::kMenuRedo, ID_EDIT_REDO, L"Ctrl+Y", C::kRedo),
        Item(T::kMenuUndoToCorrect, ID_EDIT_UNDOTOCORRECT, L"Ctrl+B", C::kUndoToCorrect),
        Other(kSeparator),
        Item(T::kMenuCopyPuzzle, ID_EDIT_COPYPUZZLE, L"Ctrl+C", C::kCopyPuzzle),
        Item(T::kMenuCopyBoard, ID_EDIT_COPYBOARD, L"Ctrl+Shift+C", C::kCopyBoard),
        Item(T::kMenuPastePuzzle, ID_EDIT_PASTEPUZZLE, L"Ctrl+V", C::kPaste),
        Item(T::kMenuMakeGivens, ID_EDIT_MAKEGIVENS, L"Ctrl+G", C::kMakeGivens),
        Other(kSeparator),
        Item(T::kMenuFillCandidates, ID_EDIT_FILLCANDIDATES, L"Ctrl+F", C::kFillInCandidates),
        Item(T::kMenuClearMarks, ID_EDIT_CLEARMARKS, L"Ctrl+E", C::kClearAllMarks),
        Item(T::kMenuPencilMode, ID_EDIT_PENCILMODE, L"P", C::kPencilMode, true),
    Other(kEnd),
    Popup(T::kMenuOptions),
        Item(T::kMenuShowHints, ID_OPTIONS_SHOWHINTS, L"F6", C::kShowHints),
        Item(T::kMenuMarkSelection, ID_OPTIONS_MARKSELECTION, L"F7", C::kMarkSelection, true),
        Item(T::kMenuResumeGame, ID_OPTIONS_RESUMEGAME, nullptr, C::kResumeGame, true),
        Popup(T::kMenuTheme),
            Item(T::kMenuThemeLight, ID_OPTIONS_THEME_LIGHT, L"Ctrl+Shift+L", C::Theme(BoardTheme::kLight)),
            Item(T::kMenuThemeDark, ID_OPTIONS_THEME_DARK, L"Ctrl+Shift+D", C::Theme(BoardTheme::kDark)),
            Item(T::kMenuThemeFollowWindows, ID_OPTIONS_THEME_FOLLOWWINDOWS, L"Ctrl+Shift+W",
                 C::Theme(BoardTheme::kFollowWindows)),
        Other(kEnd),
        Popup(T::kMenuLanguage),
            Other(kLanguages),
        Other(kEnd),
        Item(T::kMenuReset, ID_OPTIONS_Reset, L"Ctrl+R", C::kReset),
        Item(T::kMenuSolve, ID_OPTIONS_Solve, L"F9", C::kSolve),
        Item(T::kMenuHint, ID_OPTIONS_HINT, L"?", C::kHint),
        Item(T::kMenuCheck, ID_OPTIONS_CHECK, L"!", C::kCheck),
        Item(T::kMenuShowTimer, ID_OPTIONS_SHOWTIMER, L"Ctrl+T", C::kShowTimer, true),
        Item(T::kMenuPause, ID_OPTIONS_PAUSE, L"Esc", C::kPause, true),
        Item(T::kMenuShowLog, ID_OPTIONS_SHOWLOG, L"Ctrl+L", C::kShowLog),
    Other(kEnd),
    Popup(T::kMenuHelp),
        Item(T::kMenuHelpContents, IDM_HELP, L"F1", C::kHelp),
        Other(kSeparator),
        Item(T::kMenuStatistics, ID_HELP_STATISTICS, L"Ctrl+Shift+T", C::kStatistics),
        Item(T::kMenuCheckForUpdates, IDM_CHECKUPDATES, L"Ctrl+U", C::kCheckForUpdates),
        Other(kSeparator),
        Item(T::kMenuAbout, IDM_ABOUT, nullptr, C::kAbout),
    Other(kEnd),
};
// clang-format on

// A key as the menu shows it: the modifiers and Esc by the catalogue's names, "Ctrl" +
// "+" + "N"; F-keys, letters and characters as they are.
std::wstring KeyText(const wchar_t* key) {
    const std::pair<const wchar_t*, TextId> named[] = {
        {L"Ctrl", T::kKeyCtrl}, {L"Shift", T::kKeyShift}, {L"Alt", T::kKeyAlt}, {L"Esc", T::kKeyEsc}};
    std::wstring text;
    std::wstring rest = key;
    while (!rest.empty()) {
        size_t plus = rest.find(L'+');
        std::wstring part = rest.substr(0, plus);
        rest = plus == std::wstring::npos ? std::wstring() : rest.substr(plus + 1);
        for (const auto& [english, id] : named) {
            if (part == english) part = Language::Text(id);
        }
        text += text.empty() ? part : L"+" + part;
    }
    return text;
}

std::wstring ItemText(const Row& row) {
    std::wstring text = Language::Text(row.text);
    return row.key == nullptr ? text : text + L"\t" + KeyText(row.key);
}

static_assert(ID_OPTIONS_LANGUAGE_FIRST + BoardSettings::kFollowWindows == ID_OPTIONS_LANGUAGE_FOLLOWWINDOWS,
              "the language items by the choice");

// Options / Language's items, each with the radio mark's look.
void AppendLanguages(HMENU menu) {
    assert(Language::OfferedCount() <= ID_OPTIONS_LANGUAGE_ROOM);
    for (int language = BoardSettings::kFollowWindows; language < Language::OfferedCount(); ++language) {
        std::wstring text = language < 0 ? Language::Text(T::kMenuLanguageFollowWindows) : Language::OwnName(language);
        MENUITEMINFOW item = {};
        item.cbSize = sizeof(item);
        item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
        item.fType = MFT_STRING | MFT_RADIOCHECK;
        item.wID = ID_OPTIONS_LANGUAGE_FIRST + language;
        item.dwTypeData = &text[0];
        InsertMenuItemW(menu, GetMenuItemCount(menu), TRUE, &item);
    }
}

// Appends rows from row on to menu, up to the kEnd of menu's pop-up or end; the row
// where it stopped.
const Row* Append(HMENU menu, const Row* row, const Row* end) {
    for (; row != end && row->shape != kEnd; ++row) {
        switch (row->shape) {
        case kItem: AppendMenuW(menu, MF_STRING, row->id, ItemText(*row).c_str()); break;
        case kSeparator: AppendMenuW(menu, MF_SEPARATOR, 0, nullptr); break;
        case kLanguages: AppendLanguages(menu); break;
        case kPopup: {
            HMENU popup = CreatePopupMenu();
            std::wstring text = Language::Text(row->text);
            row = Append(popup, row + 1, end);
            AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), text.c_str());
            break;
        }
        case kEnd: break;
        }
    }
    return row;
}

static_assert(PuzzleIntake::kRecentFiles <= 9, "a digit of its own for each recent file");

// The name of Next Puzzle in File while a list is open: "Next Puzzle in &File (now 3 of 7)".
std::wstring WithListPlace(const std::wstring& name, const ListPlace& place) {
    using V = Message::Value;
    Message named(Message::kListPlace, {V::Text(name), V::Number(static_cast<int64_t>(place.number)),
                                        V::Number(static_cast<int64_t>(place.count))});
    return Words::Say(named).GetText();
}

// The recent files as numbered items before Exit, with a separator after them; none
// without a recent file.
void ShowRecentFiles(HMENU menu, const BoardSnapshot& board) {
    DeleteMenu(menu, ID_MFILE_RECENT_SEPARATOR, MF_BYCOMMAND);
    for (UINT id = ID_MFILE_RECENT_FIRST; id < ID_MFILE_RECENT_FIRST + PuzzleIntake::kRecentFiles; ++id) {
        DeleteMenu(menu, id, MF_BYCOMMAND);
    }
    const auto& files = board.recentFiles;
    for (size_t i = 0; i < files.size(); ++i) {
        std::wstring text = RememberedFiles::MenuText(i, files[i].path);
        InsertMenuW(menu, ID_MFILE_EXIT, MF_BYCOMMAND | MF_STRING, ID_MFILE_RECENT_FIRST + i, text.c_str());
    }
    if (files.empty()) return;
    MENUITEMINFOW separator = {};
    separator.cbSize = sizeof(separator);
    separator.fMask = MIIM_FTYPE | MIIM_ID;
    separator.fType = MFT_SEPARATOR;
    separator.wID = ID_MFILE_RECENT_SEPARATOR;
    InsertMenuItemW(menu, ID_MFILE_EXIT, FALSE, &separator);
}

}  // namespace

BoardMenu::BoardMenu() : menu_(CreateMenu()) {
    Append(menu_, std::begin(kMenu), std::end(kMenu));
    for (const Row& row : kMenu) {
        if (row.shape == kItem && row.id == ID_MFILE_NEXTPUZZLE) nextPuzzle_ = ItemText(row);
    }
}

std::optional<BoardCommand> BoardMenu::CommandOf(WPARAM wParam) {
    for (const Row& row : kMenu) {
        if (row.shape == kItem && row.id == wParam) return row.command;
    }
    if (wParam >= ID_OPTIONS_LANGUAGE_FOLLOWWINDOWS &&
        wParam < static_cast<WPARAM>(ID_OPTIONS_LANGUAGE_FIRST + Language::OfferedCount())) {
        return Command::Language(static_cast<int>(wParam) - ID_OPTIONS_LANGUAGE_FIRST);  // Follow Windows: -1
    }
    if (wParam >= ID_MFILE_RECENT_FIRST && wParam < ID_MFILE_RECENT_FIRST + PuzzleIntake::kRecentFiles) {
        return Command::OpenRecent(static_cast<int>(wParam - ID_MFILE_RECENT_FIRST));
    }
    return std::nullopt;
}

void BoardMenu::Update(const BoardSnapshot& board) const {
    for (const Row& row : kMenu) {
        if (row.shape != kItem) continue;
        EnableMenuItem(menu_, row.id, MF_BYCOMMAND | (board.IsAvailable(row.command.kind) ? MF_ENABLED : MF_GRAYED));
        if (row.checkMark) {
            CheckMenuItem(menu_, row.id, MF_BYCOMMAND | (board.IsOn(row.command.kind) ? MF_CHECKED : MF_UNCHECKED));
        }
    }
    static_assert(ID_OPTIONS_THEME_DARK == ID_OPTIONS_THEME_LIGHT + BoardTheme::kDark &&
                      ID_OPTIONS_THEME_FOLLOWWINDOWS == ID_OPTIONS_THEME_LIGHT + BoardTheme::kFollowWindows,
                  "the theme items in the order of the choices");
    CheckMenuRadioItem(menu_, ID_OPTIONS_THEME_LIGHT, ID_OPTIONS_THEME_FOLLOWWINDOWS,
                       ID_OPTIONS_THEME_LIGHT + board.view.theme, MF_BYCOMMAND);
    // The pseudo-language, which no item offers, marks none.
    for (int language = BoardSettings::kFollowWindows; language < Language::OfferedCount(); ++language) {
        CheckMenuItem(menu_, ID_OPTIONS_LANGUAGE_FIRST + language,
                      MF_BYCOMMAND | (board.language == language ? MF_CHECKED : MF_UNCHECKED));
    }
    ShowListPlace(board);
    ShowRecentFiles(menu_, board);
}

void BoardMenu::ShowListPlace(const BoardSnapshot& board) const {
    std::wstring text = nextPuzzle_;
    if (board.listPlace) {
        size_t tab = std::min(text.find(L'\t'), text.size());  // the key follows the name
        text = WithListPlace(text.substr(0, tab), *board.listPlace) + text.substr(tab);
    }
    MENUITEMINFOW item = {};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_STRING;  // the text alone: the item stays greyed or not
    item.dwTypeData = &text[0];
    SetMenuItemInfoW(menu_, ID_MFILE_NEXTPUZZLE, FALSE, &item);
}
