// PrintDialogs: the program's own small dialogs that come before the print dialog.
#include "PrintDialogs.h"

#include "languages/Language.h"
#include "resources/resource.h"

#include <algorithm>
#include <initializer_list>
#include <iterator>
#include <string>

namespace {

const int kLevelButtons[] = {IDC_PRINT_EASY, IDC_PRINT_MEDIUM, IDC_PRINT_HARD, IDC_PRINT_EXPERT, IDC_PRINT_EXTREME};
// The buttons of PrintJob::NewPuzzles::kPerPageChoices, in their order.
const int kPerPageButtons[] = {IDC_PRINT_PER_PAGE_1, IDC_PRINT_PER_PAGE_2, IDC_PRINT_PER_PAGE_4,
                               IDC_PRINT_PER_PAGE_6};
static_assert(sizeof(kPerPageButtons) == sizeof(PrintJob::NewPuzzles::kPerPageChoices), "a button for each choice");

// What a dialog procedure answers about its value, which DialogBoxParam hands to
// WM_INITDIALOG and the dialog keeps in its DWLP_USER slot.
template <typename Value>
Value& ValueOf(HWND dialog) {
    return *reinterpret_cast<Value*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

// A control of a dialog and the catalogue's text it shows.
struct ControlText {
    int control;
    TextId text;
};

// Gives the dialog its caption and its controls their texts in the current language:
// the dialog templates hold the layout only.
void ShowTexts(HWND dialog, TextId caption, std::initializer_list<ControlText> texts) {
    SetWindowTextW(dialog, Language::Text(caption).c_str());
    for (const ControlText& text : texts) SetDlgItemTextW(dialog, text.control, Language::Text(text.text).c_str());
    SetDlgItemTextW(dialog, IDOK, Language::Text(TextId::kDialogOk).c_str());
    SetDlgItemTextW(dialog, IDCANCEL, Language::Text(TextId::kDialogCancel).c_str());
}

// The dialogs' layout, made for English, grows where a language's text needs more room;
// in pixels of the dialog.
int Across(HWND dialog, int dialogUnits) {
    RECT rect = {0, 0, dialogUnits, 0};
    MapDialogRect(dialog, &rect);
    return rect.right;
}

RECT PlaceOf(HWND dialog, int control) {
    RECT place;
    GetWindowRect(GetDlgItem(dialog, control), &place);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
    return place;
}

void Place(HWND dialog, int control, const RECT& place) {
    SetWindowPos(GetDlgItem(dialog, control), nullptr, place.left, place.top, place.right - place.left,
                 place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

// The width of the control's text on one line in its font, its access key's '&' not counted.
int TextWidth(HWND control) {
    std::wstring text(GetWindowTextLengthW(control) + 1, L'\0');
    text.resize(GetWindowTextW(control, &text[0], static_cast<int>(text.size())));
    HDC context = GetDC(control);
    HGDIOBJ before = SelectObject(context, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    RECT rect = {};
    DrawTextW(context, text.c_str(), -1, &rect, DT_SINGLELINE | DT_CALCRECT);
    SelectObject(context, before);
    ReleaseDC(control, context);
    return rect.right;
}

// The room a check box or a radio button takes beside its text: its box and the gap.
int BoxRoom() { return GetSystemMetrics(SM_CXMENUCHECK) + 6; }

// Widens each control of a row, left to right, that its text and room do not fit, and
// moves those after it right by as much.
void FitRow(HWND dialog, std::initializer_list<int> row, int room) {
    int shift = 0;
    for (int control : row) {
        RECT place = PlaceOf(dialog, control);
        OffsetRect(&place, shift, 0);
        int growth = TextWidth(GetDlgItem(dialog, control)) + room - (place.right - place.left);
        if (growth > 0) {
            place.right += growth;
            shift += growth;
        }
        Place(dialog, control, place);
    }
}

// A control and the room, in dialog units, it keeps to the dialog's right edge.
struct RightMargin {
    int control;
    int dialogUnits;
};

// Widens the dialog (still centred where it was) so that its rightmost controls keep
// their margins, with the frames that span it; the buttons at its bottom right move
// with its edge.
void WidenToFit(HWND dialog, std::initializer_list<RightMargin> rightmost, std::initializer_list<int> frames) {
    RECT client;
    GetClientRect(dialog, &client);
    LONG overflow = 0;
    for (const RightMargin& margin : rightmost) {
        overflow = std::max(overflow,
                            PlaceOf(dialog, margin.control).right + Across(dialog, margin.dialogUnits) - client.right);
    }
    if (overflow == 0) return;
    for (int control : frames) {
        RECT place = PlaceOf(dialog, control);
        place.right += overflow;
        Place(dialog, control, place);
    }
    for (int button : {IDOK, IDCANCEL}) {
        RECT place = PlaceOf(dialog, button);
        OffsetRect(&place, overflow, 0);
        Place(dialog, button, place);
    }
    RECT outer;
    GetWindowRect(dialog, &outer);
    SetWindowPos(dialog, nullptr, outer.left - overflow / 2, outer.top, outer.right - outer.left + overflow,
                 outer.bottom - outer.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

bool IsChecked(HWND dialog, int button) { return IsDlgButtonChecked(dialog, button) == BST_CHECKED; }

void Check(HWND dialog, int button, bool on) { CheckDlgButton(dialog, button, on ? BST_CHECKED : BST_UNCHECKED); }

INT_PTR CALLBACK PlayerDigitsProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        ShowTexts(dialog, TextId::kPrintPuzzleCaption, {{IDC_PRINT_PLAYER_DIGITS, TextId::kPrintPuzzleMyDigits}});
        FitRow(dialog, {IDC_PRINT_PLAYER_DIGITS}, BoxRoom());
        WidenToFit(dialog, {{IDC_PRINT_PLAYER_DIGITS, 7}}, {});
        Check(dialog, IDC_PRINT_PLAYER_DIGITS, ValueOf<bool>(dialog));
        return TRUE;
    }
    if (message != WM_COMMAND || (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL)) return FALSE;
    if (LOWORD(wParam) == IDOK) ValueOf<bool>(dialog) = IsChecked(dialog, IDC_PRINT_PLAYER_DIGITS);
    EndDialog(dialog, LOWORD(wParam));
    return TRUE;
}

void ShowNewPuzzlesTexts(HWND dialog) {
    ShowTexts(dialog, TextId::kPrintNewPuzzlesCaption,
              {{IDC_PRINT_LEVEL_GROUP, TextId::kPrintLevel},
               {IDC_PRINT_EASY, TextId::kPrintEasy},
               {IDC_PRINT_MEDIUM, TextId::kPrintMedium},
               {IDC_PRINT_HARD, TextId::kPrintHard},
               {IDC_PRINT_EXPERT, TextId::kPrintExpert},
               {IDC_PRINT_EXTREME, TextId::kPrintExtreme},
               {IDC_PRINT_COUNT_LABEL, TextId::kPrintCount},
               {IDC_PRINT_PER_PAGE_GROUP, TextId::kPrintPerPage},
               {IDC_PRINT_SOLUTIONS, TextId::kPrintSolutions}});
    // The counts on a page are their own access keys, in every language.
    for (size_t i = 0; i < std::size(kPerPageButtons); ++i) {
        std::wstring text = L"&" + std::to_wstring(PrintJob::NewPuzzles::kPerPageChoices[i]);
        SetDlgItemTextW(dialog, kPerPageButtons[i], text.c_str());
    }
    FitRow(dialog, {IDC_PRINT_EASY, IDC_PRINT_MEDIUM, IDC_PRINT_HARD, IDC_PRINT_EXPERT, IDC_PRINT_EXTREME}, BoxRoom());
    FitRow(dialog, {IDC_PRINT_COUNT_LABEL, IDC_PRINT_COUNT}, 0);
    FitRow(dialog, {IDC_PRINT_SOLUTIONS}, BoxRoom());
    // Margins as in the template: the levels inside their frame, the others at the edge.
    WidenToFit(dialog, {{IDC_PRINT_EXTREME, 11}, {IDC_PRINT_COUNT, 7}, {IDC_PRINT_SOLUTIONS, 7}},
               {IDC_PRINT_LEVEL_GROUP, IDC_PRINT_PER_PAGE_GROUP});
}

void ShowRequest(HWND dialog, const PrintJob::NewPuzzles& request) {
    for (size_t level = 0; level < std::size(kLevelButtons); ++level) {
        Check(dialog, kLevelButtons[level], static_cast<PuzzleLevel>(level) == request.level);
    }
    SetDlgItemInt(dialog, IDC_PRINT_COUNT, static_cast<UINT>(request.count), FALSE);
    for (size_t i = 0; i < std::size(kPerPageButtons); ++i) {
        Check(dialog, kPerPageButtons[i], PrintJob::NewPuzzles::kPerPageChoices[i] == request.perPage);
    }
    Check(dialog, IDC_PRINT_SOLUTIONS, request.solutions);
}

// The request the dialog shows; its count 0 when the field holds no number.
PrintJob::NewPuzzles ReadRequest(HWND dialog) {
    PrintJob::NewPuzzles request;
    for (size_t level = 0; level < std::size(kLevelButtons); ++level) {
        if (IsChecked(dialog, kLevelButtons[level])) request.level = static_cast<PuzzleLevel>(level);
    }
    BOOL read = FALSE;
    UINT count = GetDlgItemInt(dialog, IDC_PRINT_COUNT, &read, FALSE);
    request.count = read && count <= static_cast<UINT>(PrintJob::NewPuzzles::kMaxCount) ? static_cast<int>(count) : 0;
    for (size_t i = 0; i < std::size(kPerPageButtons); ++i) {
        if (IsChecked(dialog, kPerPageButtons[i])) request.perPage = PrintJob::NewPuzzles::kPerPageChoices[i];
    }
    request.solutions = IsChecked(dialog, IDC_PRINT_SOLUTIONS);
    return request;
}

INT_PTR CALLBACK NewPuzzlesProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        ShowNewPuzzlesTexts(dialog);
        ShowRequest(dialog, ValueOf<PrintJob::NewPuzzles>(dialog));
        return TRUE;
    }
    if (message != WM_COMMAND || (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL)) return FALSE;
    if (LOWORD(wParam) == IDOK) {
        PrintJob::NewPuzzles request = ReadRequest(dialog);
        if (!request.IsValid()) {
            std::wstring text =
                Language::Say(TextId::kPrintCountRefused, {std::to_wstring(PrintJob::NewPuzzles::kMaxCount)});
            MessageBoxW(dialog, text.c_str(), Language::Text(TextId::kPrintNewPuzzlesCaption).c_str(),
                        MB_OK | MB_ICONEXCLAMATION);
            HWND count = GetDlgItem(dialog, IDC_PRINT_COUNT);
            SetFocus(count);
            SendMessageW(count, EM_SETSEL, 0, -1);
            return TRUE;
        }
        ValueOf<PrintJob::NewPuzzles>(dialog) = request;
    }
    EndDialog(dialog, LOWORD(wParam));
    return TRUE;
}

}  // namespace

bool AskPlayerDigits(HWND owner, bool& playerDigits) {
    return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_PRINT_PUZZLE), owner,
                           &PlayerDigitsProcedure, reinterpret_cast<LPARAM>(&playerDigits)) == IDOK;
}

bool AskNewPuzzles(HWND owner, PrintJob::NewPuzzles& request) {
    return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_PRINT_NEW_PUZZLES), owner,
                           &NewPuzzlesProcedure, reinterpret_cast<LPARAM>(&request)) == IDOK;
}
