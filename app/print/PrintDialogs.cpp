// PrintDialogs: the program's own small dialogs that come before the print dialog.
#include "PrintDialogs.h"

#include "common/String.h"
#include "resources/resource.h"

#include <iterator>

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

bool IsChecked(HWND dialog, int button) { return IsDlgButtonChecked(dialog, button) == BST_CHECKED; }

void Check(HWND dialog, int button, bool on) { CheckDlgButton(dialog, button, on ? BST_CHECKED : BST_UNCHECKED); }

INT_PTR CALLBACK PlayerDigitsProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        Check(dialog, IDC_PRINT_PLAYER_DIGITS, ValueOf<bool>(dialog));
        return TRUE;
    }
    if (message != WM_COMMAND || (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL)) return FALSE;
    if (LOWORD(wParam) == IDOK) ValueOf<bool>(dialog) = IsChecked(dialog, IDC_PRINT_PLAYER_DIGITS);
    EndDialog(dialog, LOWORD(wParam));
    return TRUE;
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
        ShowRequest(dialog, ValueOf<PrintJob::NewPuzzles>(dialog));
        return TRUE;
    }
    if (message != WM_COMMAND || (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL)) return FALSE;
    if (LOWORD(wParam) == IDOK) {
        PrintJob::NewPuzzles request = ReadRequest(dialog);
        if (!request.IsValid()) {
            String text;
            text.Format(L"Enter how many puzzles to print: a number from 1 to %d.", PrintJob::NewPuzzles::kMaxCount);
            MessageBoxW(dialog, text.GetText(), L"Print New Puzzles", MB_OK | MB_ICONEXCLAMATION);
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
