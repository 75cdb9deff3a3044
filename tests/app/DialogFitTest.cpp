// Tests that every dialog of the program shows its texts whole in every language.
#include "app/print/PrintDialogs.h"
#include "languages/Language.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Room a control needs beside its text, in pixels at the test's 96 DPI: a check box's or
// radio button's box and the gap after it, a push button's frame and a group box's
// frame with the gap before its caption.
int BoxRoom() { return GetSystemMetrics(SM_CXMENUCHECK) + 4; }
const int kButtonRoom = 8;
const int kGroupRoom = 12;

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

std::wstring TextOf(HWND window) {
    std::wstring text(GetWindowTextLengthW(window) + 1, L'\0');
    text.resize(GetWindowTextW(window, &text[0], static_cast<int>(text.size())));
    return text;
}

std::string Narrow(const std::wstring& text) {
    std::string utf8(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &utf8[0], static_cast<int>(utf8.size()), nullptr, nullptr);
    utf8.resize(utf8.size() - 1);
    return utf8;
}

// The rectangle text takes in font (its '&' an access key), laid out by DrawText with
// flags within width.
SIZE Extent(HWND window, HFONT font, const std::wstring& text, UINT flags, int width) {
    HDC context = GetDC(window);
    HGDIOBJ before = SelectObject(context, font);
    RECT rect = {0, 0, width, 0};
    DrawTextW(context, text.c_str(), -1, &rect, flags | DT_CALCRECT);
    SelectObject(context, before);
    ReleaseDC(window, context);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

struct Control {
    HWND window;
    int id;
    std::wstring kind;
    std::wstring text;
    RECT place;  // in the dialog's client coordinates
};

BOOL CALLBACK CollectControl(HWND window, LPARAM controls) {
    if (!IsWindowVisible(window)) return TRUE;
    RECT place;
    GetWindowRect(window, &place);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&place), 2);
    reinterpret_cast<std::vector<Control>*>(controls)->push_back(
        {window, GetDlgCtrlID(window), ClassOf(window), TextOf(window), place});
    return TRUE;
}

bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

std::string Describe(const Control& control) {
    std::ostringstream out;
    out << "control " << control.id << " (" << Narrow(control.kind) << " \"" << Narrow(control.text) << "\")";
    return out.str();
}

// Each fault of the dialog's layout, as a line naming the dialog, the control and the
// sizes: a text wider or taller than its control leaves room for, a control outside the
// client area, two controls that overlap (a group box holds those inside it), a caption
// wider than the title bar leaves room for.
std::vector<std::string> LayoutFaults(HWND dialog, const char* name) {
    std::vector<std::string> faults;
    auto fault = [&](const std::string& what, SIZE needed, SIZE room) {
        std::ostringstream out;
        out << name << ": " << what << " needs " << needed.cx << " x " << needed.cy << " pixels, has " << room.cx
            << " x " << room.cy;
        faults.push_back(out.str());
    };

    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    HFONT captionFont = CreateFontIndirectW(&metrics.lfCaptionFont);
    RECT outer;
    GetWindowRect(dialog, &outer);
    SIZE caption = Extent(dialog, captionFont, TextOf(dialog), DT_SINGLELINE | DT_NOPREFIX, 0);
    DeleteObject(captionFont);
    int captionRoom = outer.right - outer.left - 2 * GetSystemMetrics(SM_CXDLGFRAME) - GetSystemMetrics(SM_CXSIZE) - 8;
    if (caption.cx > captionRoom) fault("the caption", caption, {captionRoom, caption.cy});

    std::vector<Control> controls;
    EnumChildWindows(dialog, &CollectControl, reinterpret_cast<LPARAM>(&controls));
    RECT client;
    GetClientRect(dialog, &client);
    for (const Control& control : controls) {
        SIZE room = {control.place.right - control.place.left, control.place.bottom - control.place.top};
        if (!Inside(control.place, client))
            fault(Describe(control) + " within the client area", room, {client.right, client.bottom});
        auto font = reinterpret_cast<HFONT>(SendMessageW(control.window, WM_GETFONT, 0, 0));
        LONG style = GetWindowLongW(control.window, GWL_STYLE);
        SIZE needed = {0, 0};
        if (control.kind == L"Static" && (style & SS_TYPEMASK) <= SS_RIGHT) {
            needed = Extent(control.window, font, control.text, DT_WORDBREAK, room.cx);
        } else if (control.kind == L"Button") {
            needed = Extent(control.window, font, control.text, DT_SINGLELINE, 0);
            LONG type = style & BS_TYPEMASK;
            if (type == BS_GROUPBOX) {
                needed.cx += 2 * kGroupRoom;
                needed.cy = 0;  // its caption sits on its frame
            } else if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON ||
                       type == BS_AUTORADIOBUTTON || type == BS_3STATE || type == BS_AUTO3STATE) {
                needed.cx += BoxRoom();
            } else {
                needed.cx += 2 * kButtonRoom;
            }
        }
        if (needed.cx > room.cx || needed.cy > room.cy) fault(Describe(control), needed, room);
    }

    for (size_t i = 0; i < controls.size(); ++i) {
        for (size_t j = i + 1; j < controls.size(); ++j) {
            const Control& a = controls[i];
            const Control& b = controls[j];
            RECT common;
            if (!IntersectRect(&common, &a.place, &b.place)) continue;
            auto holds = [](const Control& box, const Control& inner) {
                return box.kind == L"Button" && (GetWindowLongW(box.window, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX &&
                       Inside(inner.place, box.place);
            };
            if (holds(a, b) || holds(b, a)) continue;
            faults.push_back(std::string(name) + ": " + Describe(a) + " overlaps " + Describe(b));
        }
    }
    return faults;
}

// What to do with the dialog that the modal loop of this thread shows: a timer of the
// thread, which the loop dispatches, inspects it and cancels it.
std::function<void(HWND)>* inspectDialog = nullptr;
bool dialogInspected = false;

BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
    if (ClassOf(window) != L"#32770" || !IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

void CALLBACK InspectOpenDialog(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &FindDialog, reinterpret_cast<LPARAM>(&dialog));
    if (dialog == nullptr || dialogInspected) return;
    KillTimer(nullptr, timer);
    dialogInspected = true;
    (*inspectDialog)(dialog);
    EndDialog(dialog, IDCANCEL);
}

// Opens a dialog with open (which returns once it is closed) and hands it to inspect
// while it shows, then cancels it; false when no dialog showed.
bool WhileShowing(const std::function<void()>& open, std::function<void(HWND)> inspect) {
    inspectDialog = &inspect;
    dialogInspected = false;
    UINT_PTR timer = SetTimer(nullptr, 0, 10, &InspectOpenDialog);
    open();
    KillTimer(nullptr, timer);
    inspectDialog = nullptr;
    return dialogInspected;
}

// The program's dialogs, by template, and how each is opened.
struct DialogOfProgram {
    int templateId;
    const char* name;
    int width;  // the template's, in dialog units
    std::function<void()> open;
};

std::vector<DialogOfProgram> ProgramDialogs() {
    return {
        {IDD_PRINT_PUZZLE, "Print Puzzle", 196,
         [] {
             bool playerDigits = true;
             AskPlayerDigits(nullptr, playerDigits);
         }},
        {IDD_PRINT_NEW_PUZZLES, "Print New Puzzles", 236,
         [] {
             PrintJob::NewPuzzles request;
             AskNewPuzzles(nullptr, request);
         }},
    };
}

BOOL CALLBACK CollectTemplate(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR templates) {
    if (IS_INTRESOURCE(name)) reinterpret_cast<std::set<int>*>(templates)->insert(static_cast<int>(LOWORD(name)));
    return TRUE;
}

// Speaks one language for a test, English again after it.
class DialogFitTest : public ::testing::Test {
protected:
    void TearDown() override { Language::Choose(Language::kEnglish); }
};

// The check knows every dialog template the program holds: a new dialog is checked too.
TEST_F(DialogFitTest, EveryDialogTemplateIsChecked) {
    std::set<int> templates;
    EnumResourceNamesW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(5) /* RT_DIALOG */, &CollectTemplate,
                       reinterpret_cast<LONG_PTR>(&templates));
    std::set<int> checked;
    for (const DialogOfProgram& dialog : ProgramDialogs()) checked.insert(dialog.templateId);
    EXPECT_EQ(templates, checked);
}

// In every language the program has, English and the pseudo-language (accented texts
// 40 % longer) among them, each dialog shows its caption and each control's text whole,
// in the control's font, and no two controls overlap; English keeps the template's width.
TEST_F(DialogFitTest, EveryDialogFitsItsTextsInEveryLanguage) {
    ASSERT_GE(Language::Find(L"qps-ploc"), 0);
    for (int language = 0; language < Language::Count(); ++language) {
        SCOPED_TRACE(Language::Code(language));
        Language::Choose(language);
        for (const DialogOfProgram& dialog : ProgramDialogs()) {
            std::vector<std::string> faults;
            LONG width = 0;
            LONG templateWidth = 0;
            EXPECT_TRUE(WhileShowing(dialog.open, [&](HWND shown) {
                faults = LayoutFaults(shown, dialog.name);
                RECT client, units = {0, 0, dialog.width, 0};
                GetClientRect(shown, &client);
                MapDialogRect(shown, &units);
                width = client.right;
                templateWidth = units.right;
            })) << dialog.name;
            if (language == Language::kEnglish) {
                EXPECT_NEAR(templateWidth, width, 1) << dialog.name;  // the system rounds the template's size
            }
            for (const std::string& fault : faults) ADD_FAILURE() << fault;
        }
    }
}

// The dialogs take their texts from the catalogue when they open: the pseudo-language's
// captions, and no control without a text but the count's field.
TEST_F(DialogFitTest, DialogsShowTheCataloguesTexts) {
    Language::Choose(Language::Find(L"qps-ploc"));
    std::vector<std::wstring> captions;
    std::vector<std::string> untitled;
    for (const DialogOfProgram& dialog : ProgramDialogs()) {
        WhileShowing(dialog.open, [&](HWND shown) {
            captions.push_back(TextOf(shown));
            std::vector<Control> controls;
            EnumChildWindows(shown, &CollectControl, reinterpret_cast<LPARAM>(&controls));
            for (const Control& control : controls) {
                if (control.kind != L"Edit" && control.text.empty()) untitled.push_back(Describe(control));
            }
        });
    }
    EXPECT_EQ((std::vector<std::wstring>{Language::Text(TextId::kPrintPuzzleCaption),
                                         Language::Text(TextId::kPrintNewPuzzlesCaption)}),
              captions);
    EXPECT_EQ(std::vector<std::string>{}, untitled);
}

}  // namespace
