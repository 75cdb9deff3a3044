// PrintCommands: File / Print and File / Print New Puzzles, each run whole.
#include "PrintCommands.h"

#include "PrintDialogs.h"
#include "common/IApplication.h"
#include "common/util/DateText.h"
#include "languages/Language.h"
#include "puzzle/PuzzleGenerator.h"

namespace {

// The name that printed pages and print jobs carry: the version resource's product name.
const wchar_t* ProgramName() { return IApplication::GetCurrent()->GetProductName(); }

// Today's date as the user reads dates ("Tuesday, 9 December 2025"); in another language
// than English, as that language's locale writes it.
String Today() {
    if (Language::Current() != Language::kEnglish) {
        SYSTEMTIME local = {};
        GetLocalTime(&local);
        return util::DateText(local.wYear, local.wMonth, local.wDay).InCurrentLanguage();
    }
    wchar_t date[128] = {};
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_LONGDATE, nullptr, nullptr, date, 128);
    return String(date);
}

// Shows text ("{1} of {2}" with step and steps) as the progress of a print job; false
// when the user cancelled it.
bool Report(gui::ProgressFeedback& feedback, TextId text, int step, int steps) {
    std::wstring shown = Language::Say(text, {std::to_wstring(step), std::to_wstring(steps)});
    return feedback.Update(shown.c_str(), step, steps);
}

}  // namespace

void PrintCommands::PrintBoard(HWND owner, const EnneoPuzzle& board) {
    bool playerDigits = false;
    if (PrintJob::HasPlayerDigits(board)) {
        playerDigits = playerDigits_;
        if (!AskPlayerDigits(owner, playerDigits)) return;
        playerDigits_ = playerDigits;
    }
    Print(owner, TextId::kPrintJobCaption, [&](gui::ProgressFeedback&) {
        return std::optional<PrintJob>(PrintJob::OfBoard(board, playerDigits, ProgramName(), Today().GetText()));
    });
}

void PrintCommands::PrintNewPuzzles(HWND owner) {
    PrintJob::NewPuzzles request = newPuzzles_;
    if (!AskNewPuzzles(owner, request)) return;
    newPuzzles_ = request;
    Print(owner, TextId::kPrintNewPuzzlesCaption, [&](gui::ProgressFeedback& feedback) {
        return PrintJob::OfNewPuzzles(
            request, PuzzleGenerator::SeedFromClock(), ProgramName(), Today().GetText(),
            [&](int made, int count) { return Report(feedback, TextId::kPrintMakingPuzzle, made, count); });
    });
}

void PrintCommands::Print(HWND owner, TextId caption, const JobMaker& makeJob) {
    String error;
    BoardPrinter::Context printer = printer_.Choose(owner, error);
    if (printer == nullptr) return ShowError(owner, error);
    {
        gui::ProgressFeedback feedback(Language::Text(caption).c_str());
        if (std::optional<PrintJob> job = makeJob(feedback)) {
            BoardPrinter::Print(
                printer.get(), *job, ProgramName(),
                [&](int page, int pages) { return Report(feedback, TextId::kPrintPrintingPage, page, pages); }, error);
        }
    }
    ShowError(owner, error);
}

void PrintCommands::ShowError(HWND owner, const String& reason) {
    if (reason.IsEmpty()) return;
    std::wstring text = Language::Say(TextId::kPrintJobFailed, {reason.GetText()});
    MessageBoxW(owner, text.c_str(), Language::Text(TextId::kPrintJobCaption).c_str(), MB_OK | MB_ICONERROR);
}
