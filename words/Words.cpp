// Words: every message of the board and the puzzle engine in the player's sentences.
#include "Words.h"

#include <algorithm>
#include <string>

namespace {

using M = Message;

// A message's sentence: "{N}" stands for its Nth value. Where a number decides the
// form, plural holds the form for any count but one, and count names that value.
struct Sentence {
    M::Id id;
    const wchar_t* text;
    const wchar_t* plural = nullptr;
    int count = 0;
};

constexpr Sentence kEnglish[] = {
    {M::kNone, L""},
    {M::kCaptionFileError, L"Error (not very fatal)"},
    {M::kCaptionLastGame, L"Last Game"},
    {M::kCaptionNotKept, L"Game Not Kept"},
    {M::kCaptionOpen, L"Open"},
    {M::kCaptionPaste, L"Paste Puzzle"},
    {M::kCaptionCopy, L"Copy Puzzle"},
    {M::kCaptionMakeGivens, L"Make Digits Givens"},
    {M::kCaptionStatistics, L"Statistics"},
    {M::kCaptionHint, L"Hint"},
    {M::kCaptionCheck, L"Check"},
    {M::kCaptionResumeGame, L"Resume Last Game"},
    {M::kCaptionSolved, L"Puzzle Solved"},
    {M::kTitle, L"Enneo Tessary"},
    {M::kTitleWithTime, L"Enneo Tessary - {1}"},
    {M::kTitlePencil, L"Enneo Tessary - Pencil"},
    {M::kTitleWithTimePencil, L"Enneo Tessary - {1} - Pencil"},
    {M::kHelpTitle, L"Enneo Tessary Help"},
    {M::kNoSelection, L"No cell is selected: an arrow key selects one."},
    {M::kPausedRefusal, L"The game is paused. Escape goes on."},
    {M::kPaused, L"Paused. Escape goes on."},
    {M::kCandidatesFilled, L"Every empty cell holds its candidates as marks."},
    {M::kNoMarks, L"No cell holds marks."},
    {M::kMarksCleared, L"All marks cleared."},
    {M::kMarksInEmptyCellsOnly, L"Marks go into empty cells only."},
    {M::kPencilModeOn, L"Pencil mode on: digits toggle marks."},
    {M::kPencilModeOff, L"Pencil mode off: digits go into cells."},
    {M::kUndoToCorrectUnavailable, L"Undo to Last Correct needs a mistake on a puzzle with one solution."},
    {M::kUndoneToCorrect, L"Back to the last board without a mistake."},
    {M::kTimerShown, L"The caption shows the time played: {1}."},
    {M::kTimerHidden, L"The caption no longer shows the time."},
    {M::kNoListOpen, L"No list of puzzles is open."},
    {M::kNoDigitToMakeGiven, L"The board holds no digit of yours to make a given."},
    {M::kGivenHere, L"{1} is given here and cannot be changed."},
    {M::kClashInRow, L"{1} not allowed here: row {2} holds a {1}"},
    {M::kClashInColumn, L"{1} not allowed here: column {2} holds a {1}"},
    {M::kClashInBlock, L"{1} not allowed here: the block holds a {1} in row {2}, column {3}"},
    {M::kAlreadyHere, L"{1} is here already."},
    {M::kLoadFailed, L"Your enneo has died.\nError loading Enneo from file."},
    {M::kSaveFailed, L"Your enneo has died.\nError saving Enneo to file."},
    {M::kNoPuzzleInFile, L"No puzzle was found in the file \"{1}\"."},
    {M::kNoPuzzleOnClipboard, L"The text on the clipboard holds no puzzle."},
    {M::kPuzzleForms,
     L"Enneo Tessary reads a puzzle as a line of 81 cells ('1' to '9' for a digit, '.' or '0' for an empty cell), as "
     L"a list of such lines, or as nine lines of nine cells."},
    {M::kClipboardEmpty, L"The clipboard is empty. Copy a puzzle as text first."},
    {M::kClipboardPicture,
     L"The clipboard holds a picture, not text. A puzzle is pasted as text, such as a web page or a collection shows "
     L"it."},
    {M::kClipboardFiles,
     L"The clipboard holds files, not text. To open a puzzle file, choose File / Open or drop the file on the board."},
    {M::kClipboardBusy, L"Another program is using the clipboard. Try again in a moment."},
    {M::kClipboardNoText, L"The clipboard holds no text."},
    {M::kNoLongerList, L"The file \"{1}\" no longer holds a list of puzzles."},
    {M::kRecentFileGone, L"The file \"{1}\" is no longer there, so it was taken off the list."},
    {M::kNotAFile, L"\"{1}\" is not a file but a device, a pipe or a folder, so nothing was read from it."},
    {M::kKeptElsewhere,
     L"Another Enneo Tessary that is running keeps the game in progress, so the game in this window is not kept."},
    {M::kTableNotGrid,
     L"The table on the clipboard has {1} rows and {2} cells, not the nine rows of nine cells of a puzzle's grid."},
    {M::kTableCellNotDigit,
     L"Row {1}, column {2} of the table on the clipboard holds \"{3}\", which is neither a digit nor an empty cell."},
    {M::kTableTooLarge, L"The web page on the clipboard is too large or too deeply nested to read a puzzle from."},
    {M::kPuzzleClash, L"This puzzle breaks the rules: {1} holds {2} {3}s."},
    {M::kPuzzleNoSolution, L"This puzzle has no solution."},
    {M::kPuzzleSeveralSolutions, L"This puzzle has more than one solution."},
    {M::kListPuzzleClash, L"Puzzle {1} of {2} breaks the rules: {3} holds {4} {5}s."},
    {M::kSolved, L"The grid is solved."},
    {M::kNoSolution, L"The puzzle has no solution."},
    {M::kNoSolutionFits, L"No solution of the puzzle fits the digits on the board."},
    {M::kSeveralSolutions, L"The puzzle has more than one solution."},
    {M::kUndecided, L"The program cannot tell quickly whether the puzzle has a solution."},
    {M::kHintSeveralSolutions,
     L"The puzzle has more than one solution, so no next step follows from the digits on the board."},
    {M::kHintMisfit, L"The {1} in row {2}, column {3} does not fit the puzzle's only solution."},
    {M::kHintSingleCandidate, L"{1} goes in row {2}, column {3}: it is the only digit left for that cell."},
    {M::kHintSingleInBlock, L"{1} goes in row {2}, column {3}: it is the only place for {1} in its block."},
    {M::kHintSingleInRow, L"{1} goes in row {2}, column {3}: it is the only place for {1} in row {2}."},
    {M::kHintSingleInColumn, L"{1} goes in row {2}, column {3}: it is the only place for {1} in column {3}."},
    {M::kHintTrial,
     L"No cell has a single digit left, and no digit has a single place in a block, a row or a column, so the next "
     L"step is a trial in row {1}, column {2}: of its candidates {3}, tried in turn, only {4} leads to a solution."},
    {M::kHintMissingMark, L"The marks in row {1}, column {2} leave out the digit that belongs there."},
    {M::kHintLookInUnit, L"Look at {1}: the technique to use is {2}."},
    {M::kHintLookAtCell, L"Look at row {1}, column {2}: the technique to use is {3}."},
    {M::kHintLookAtCells, L"Look at the tinted cells: the technique to use is {1}."},
    {M::kHintFullHouse, L"{1} goes in row {2}, column {3}: it is the last empty cell of {4}."},
    {M::kHintStepPlaces, L"{1}, on {2}: {3} goes in row {4}, column {5}."},
    {M::kHintStepRemovesInUnit, L"{1} in {2}, on {3}: remove {4}."},
    {M::kHintStepRemoves, L"{1}, on {2}: remove {3}."},
    {M::kHintStepMade, L"The hint's step is made."},
    {M::kCheckFits, L"Every digit so far fits the puzzle's only solution."},
    {M::kCellsLeft, L"{1} cell is left.", L"{1} cells are left.", 1},
    {M::kCheckLevel, L"Level: {1} ({2})."},
    {M::kCheckMisfits, L"{1} digit that is not a given does not fit the puzzle's only solution.",
     L"{1} digits that are not givens do not fit the puzzle's only solution.", 1},
    {M::kStatisticsNoGame, L"{1}: no game finished yet."},
    {M::kStatisticsLevel, L"{1}: {2} game finished, best time {3}, average time {4}.",
     L"{1}: {2} games finished, best time {3}, average time {4}.", 2},
    {M::kStatisticsRule,
     L"A game counts when the player completes a puzzle that has one solution without Solve, Hint, Fill In "
     L"Candidates or Undo to Last Correct."},
    {M::kNewBestTime, L"A new best time for {1}!"},
    {M::kSolvedIn, L"Solved in {1}."},
    {M::kGameNotReadable, L"The game file could not be read."},
    {M::kNotAGame, L"The file is not an Enneo Tessary game."},
    {M::kGameTooLarge, L"The game file is larger than any game can be ({1} MB), so it was not read."},
    {M::kGameDamaged, L"The game file is damaged at line {1}, so no game was taken from it."},
    {M::kGameBreaksRules,
     L"The game file's board repeats a digit in a row, a column or a block, so no game was taken from it."},
    {M::kGameFromBackup,
     L"The game file was missing or damaged, so the game was taken from its backup, which may be a moment older."},
    {M::kHistoryDropped, L"The game's board was kept, but its undo history was damaged at line {1} and has been dropped."},
    {M::kGameOfNewerVersion,
     L"The game was saved by a newer version of Enneo Tessary (game format {1}), which this one cannot open."},
    {M::kGameSetAside, L"The file was kept as \"{1}\"."},
    {M::kBackupSetAside, L"The game file's backup, from which no game was taken, was kept as \"{1}\"."},
    {M::kGameLeftInPlace,
     L"The file \"{1}\" was left as it is, and the game played now is not kept, so that nothing is written over "
     L"it. The next start of Enneo Tessary tries to read it again."},
    {M::kNotKeptNoFolder, L"The game could not be kept: the folder \"{1}\" could not be made."},
    {M::kNotKeptNoNewFile,
     L"The game could not be kept: no new file could be made in the folder \"{1}\" (it may be read-only)."},
    {M::kNotKeptNotWhole,
     L"The game could not be kept: a new file in the folder \"{1}\" could not be written whole (the disk may be "
     L"full)."},
    {M::kNotKeptNotReplaced,
     L"The game could not be kept: the file \"{1}\" could not be replaced (it may be read-only or open in another "
     L"program)."},
    {M::kPlayGoesOn, L"Play goes on, and the game is written again with the next change, without another word."},
    {M::kKeepingOff,
     L"The game in progress will no longer be kept: when Enneo Tessary ends, it is lost. Options / Resume Last Game "
     L"keeps it again."},
    {M::kCellHidden, L"Row {1}, column {2}, hidden by the pause"},
    {M::kCellDigit, L"Row {1}, column {2}, {3}"},
    {M::kCellEmpty, L"Row {1}, column {2}, empty"},
    {M::kCellGiven, L", given"},
    {M::kCellDoesNotFit, L", does not fit"},
    {M::kCellHinted, L", hinted"},
    {M::kCellMarks, L", marks {1}"},
    {M::kCellCandidates, L", candidates {1}"},
    {M::kCellNoCandidates, L", no candidates"},
    {M::kPrintPuzzleTitle, L"Puzzle {1} - {2}"},
    {M::kPrintSolutionTitle, L"Solution {1} - {2}"},
    {M::kPrintFooter, L"{1} - {2}"},
    {M::kPrintFooterLevel, L"{1} - {2} - {3}"},
    {M::kPrintPageOf, L"- page {1} of {2}"},
    {M::kListPlace, L"{1} (now {2} of {3})"},
    {M::kFileTypePuzzles, L"EnneoFiles"},
    {M::kFileTypeGame, L"Enneo game"},
    {M::kFileTypeSadMan, L"SadMan puzzle"},
    {M::kFileTypeSimpleSudoku, L"Simple Sudoku puzzle"},
    {M::kFileTypeList, L"Puzzle list"},
    {M::kFileTypeAllPuzzles, L"All puzzle files"},
    {M::kFileTypeAll, L"All files"},
    {M::kLevelEasy, L"Easy"},
    {M::kLevelMedium, L"Medium"},
    {M::kLevelHard, L"Hard"},
    {M::kLevelExpert, L"Expert"},
    {M::kLevelExtreme, L"Extreme"},
    {M::kRow, L"row {1}"},
    {M::kColumn, L"column {1}"},
    {M::kTopLeftBlock, L"the top left block"},
    {M::kTopMiddleBlock, L"the top middle block"},
    {M::kTopRightBlock, L"the top right block"},
    {M::kMiddleLeftBlock, L"the middle left block"},
    {M::kCentreBlock, L"the centre block"},
    {M::kMiddleRightBlock, L"the middle right block"},
    {M::kBottomLeftBlock, L"the bottom left block"},
    {M::kBottomMiddleBlock, L"the bottom middle block"},
    {M::kBottomRightBlock, L"the bottom right block"},
    {M::kCellPlace, L"row {1}, column {2}"},
    {M::kCellWithDigits, L"{1} ({2})"},
    {M::kDigitFromCells, L"{1} from {2}"},
    {M::kGroupSeparator, L"; "},
    {M::kTechniqueFullHouse, L"Full House"},
    {M::kTechniqueHiddenSingleBlock, L"Hidden Single"},
    {M::kTechniqueHiddenSingleRow, L"Hidden Single"},
    {M::kTechniqueHiddenSingleColumn, L"Hidden Single"},
    {M::kTechniqueNakedSingle, L"Naked Single"},
    {M::kTechniquePointing, L"Pointing"},
    {M::kTechniqueClaiming, L"Claiming"},
    {M::kTechniqueNakedPair, L"Naked Pair"},
    {M::kTechniqueHiddenPair, L"Hidden Pair"},
    {M::kTechniqueNakedTriple, L"Naked Triple"},
    {M::kTechniqueHiddenTriple, L"Hidden Triple"},
    {M::kTechniqueNakedQuad, L"Naked Quad"},
    {M::kTechniqueHiddenQuad, L"Hidden Quad"},
    {M::kTechniqueXWing, L"X-Wing"},
    {M::kTechniqueSwordfish, L"Swordfish"},
    {M::kTechniqueJellyfish, L"Jellyfish"},
    {M::kTechniqueSkyscraper, L"Skyscraper"},
    {M::kTechniqueTwoStringKite, L"Two-String Kite"},
    {M::kTechniqueFinnedXWing, L"Finned X-Wing"},
    {M::kTechniqueFinnedSwordfish, L"Finned Swordfish"},
    {M::kTechniqueFinnedJellyfish, L"Finned Jellyfish"},
    {M::kTechniqueXYWing, L"XY-Wing"},
    {M::kTechniqueXYZWing, L"XYZ-Wing"},
    {M::kTechniqueWWing, L"W-Wing"},
    {M::kTechniqueSimpleColouring, L"Simple Colouring"},
    {M::kTechniqueUniqueRectangleType1, L"Unique Rectangle Type 1"},
    {M::kTechniqueUniqueRectangleType2, L"Unique Rectangle Type 2"},
    {M::kTechniqueUniqueRectangleType3, L"Unique Rectangle Type 3"},
    {M::kTechniqueUniqueRectangleType4, L"Unique Rectangle Type 4"},
    {M::kTechniqueBugPlusOne, L"BUG+1"},
    {M::kTechniqueXCycle, L"X-Cycle"},
    {M::kTechniqueXChain, L"X-Chain"},
    {M::kTechniqueXYChain, L"XY-Chain"},
    {M::kTechniqueNiceLoop, L"Nice Loop"},
    {M::kTechniqueAlsXz, L"ALS-XZ"},
    {M::kTechniqueForcingChain, L"Forcing Chain"},
    {M::kTechniqueDynamicForcingChain, L"Dynamic Forcing Chain"},
    {M::kTwo, L"two"},
    {M::kThree, L"three"},
    {M::kFour, L"four"},
    {M::kFive, L"five"},
    {M::kSix, L"six"},
    {M::kSeven, L"seven"},
    {M::kEight, L"eight"},
    {M::kNine, L"nine"},
    {M::kListSeparator, L", "},
    {M::kListLastSeparator, L" and "},
    {M::kPausedHowToGoOn, L"Escape, Pause or a click goes on."},
    {M::kDigitPadName, L"Digits for row {1}, column {2}"},
    {M::kDigitPadEmpty, L"Empty"},
    {M::kDigitPadPencilMode, L"Pencil mode"},
};

// The table holds every message's sentence, in the order of the identifiers.
constexpr bool InOrder() {
    for (int id = 0; id < M::kIdCount; ++id) {
        if (kEnglish[id].id != id) return false;
    }
    return true;
}
static_assert(sizeof(kEnglish) / sizeof(kEnglish[0]) == M::kIdCount && InOrder(), "a sentence for every message");

const Sentence& SentenceOf(M::Id id) { return kEnglish[id]; }

std::wstring Text(M::Id id) { return SentenceOf(id).text; }

std::wstring DigitList(int mask) {
    std::wstring text;
    for (int digit = 1; digit <= 9; ++digit) {
        if ((mask & (1 << (digit - 1))) == 0) continue;
        mask &= ~(1 << (digit - 1));
        if (!text.empty()) text += Text(mask == 0 ? M::kListLastSeparator : M::kListSeparator);
        text += std::to_wstring(digit);
    }
    return text;
}

std::wstring DigitRun(int mask) {
    std::wstring text;
    for (int digit = 1; digit <= 9; ++digit) {
        if ((mask & (1 << (digit - 1))) == 0) continue;
        if (!text.empty()) text += L' ';
        text += std::to_wstring(digit);
    }
    return text;
}

std::wstring TimeText(uint64_t seconds) {
    std::wstring ss = std::to_wstring(seconds % 60);
    return std::to_wstring(seconds / 60) + L':' + (ss.size() < 2 ? L"0" : L"") + ss;
}

std::wstring Format(const Message& message);

// Items joined as a list: "a, b and c".
std::wstring ListOf(const std::vector<std::wstring>& items, M::Id separator = M::kListSeparator) {
    std::wstring text;
    for (size_t i = 0; i < items.size(); ++i) {
        if (i > 0) text += Text(i + 1 == items.size() && separator == M::kListSeparator ? M::kListLastSeparator : separator);
        text += items[i];
    }
    return text;
}

std::wstring CellPlace(int cell) {
    return Format(M(M::kCellPlace, {M::Value::Number(cell / 9 + 1), M::Value::Number(cell % 9 + 1)}));
}

// Candidates (cell * 16 + digit) grouped by cell, each cell with its digits ("row 3,
// column 1 (2 and 7)"), or by digit, each digit with its cells ("2 from row 3, column 2
// and row 3, column 8"); cells in reading order, digits ascending.
std::wstring CandidateGroups(std::vector<int> items, bool byCell) {
    auto keyOf = [byCell](int item) { return byCell ? item / 16 : item % 16; };
    std::stable_sort(items.begin(), items.end(), [&](int a, int b) { return keyOf(a) < keyOf(b); });
    std::vector<std::wstring> groups;
    for (size_t first = 0, end = 0; first < items.size(); first = end) {
        int key = keyOf(items[first]), digits = 0;
        std::vector<std::wstring> cells;
        for (end = first; end < items.size() && keyOf(items[end]) == key; ++end) {
            digits |= 1 << (items[end] % 16 - 1);
            cells.push_back(CellPlace(items[end] / 16));
        }
        groups.push_back(byCell ? Format(M(M::kCellWithDigits, {M::Value::Text(CellPlace(key)), M::Value::Digits(digits)}))
                                : Format(M(M::kDigitFromCells, {M::Value::Number(key), M::Value::Text(ListOf(cells))})));
    }
    return ListOf(groups, byCell ? M::kListSeparator : M::kGroupSeparator);
}

std::wstring ValueText(const M::Value& value) {
    switch (value.kind) {
    case M::Value::kNumber: return std::to_wstring(value.number);
    case M::Value::kText: return value.text;
    case M::Value::kTime: return TimeText(static_cast<uint64_t>(value.number));
    case M::Value::kLevel: return Text(static_cast<M::Id>(M::kLevelEasy + value.number));
    case M::Value::kRating: return std::to_wstring(value.number / 10) + L'.' + std::to_wstring(value.number % 10);
    case M::Value::kUnit: {
        int kind = static_cast<int>(value.number / 9), index = static_cast<int>(value.number % 9);
        if (kind == GridUnit::kBlock) return Text(static_cast<M::Id>(M::kTopLeftBlock + index));
        return Format(M(kind == GridUnit::kRow ? M::kRow : M::kColumn, {M::Value::Number(index + 1)}));
    }
    case M::Value::kCountWord: return Text(static_cast<M::Id>(M::kTwo + value.number - 2));
    case M::Value::kDigits: return DigitList(static_cast<int>(value.number));
    case M::Value::kDigitRun: return DigitRun(static_cast<int>(value.number));
    case M::Value::kTechnique: return Text(M::NameOf(static_cast<Technique>(value.number)));
    case M::Value::kCandidatesByCell: return CandidateGroups(value.items, true);
    case M::Value::kCandidatesByDigit: return CandidateGroups(value.items, false);
    }
    return L"";
}

// The message's own sentence, its values in their places.
std::wstring Format(const Message& message) {
    const Sentence& sentence = SentenceOf(message.id);
    const wchar_t* text = sentence.text;
    if (sentence.count > 0 && static_cast<size_t>(sentence.count) <= message.values.size() &&
        message.values[sentence.count - 1].number != 1) {
        text = sentence.plural;
    }
    std::wstring said;
    for (const wchar_t* c = text; *c != L'\0'; ++c) {
        size_t place = c[0] == L'{' && c[1] >= L'1' && c[1] <= L'9' && c[2] == L'}' ? c[1] - L'0' : 0;
        if (place == 0 || place > message.values.size()) {
            said += *c;
            continue;
        }
        said += ValueText(message.values[place - 1]);
        c += 2;
    }
    return said;
}

const wchar_t* JoinText(M::Join join) {
    switch (join) {
    case M::kLine: return L"\n";
    case M::kParagraph: return L"\n\n";
    default: return L" ";
    }
}

bool Holds(const std::vector<EnneoPuzzle::Cell>& cells, EnneoPuzzle::Cell cell) {
    return std::any_of(cells.begin(), cells.end(), [&](EnneoPuzzle::Cell c) { return c.x == cell.x && c.y == cell.y; });
}

}  // namespace

String Words::Say(const Message& message) {
    std::wstring said = Format(message);
    for (const Message& next : message.more) said += JoinText(next.join) + Format(next);
    return String(said.c_str());
}

std::wstring Words::FileFilter(const std::vector<FileFormats::Type>& types) {
    std::wstring filter;
    for (const FileFormats::Type& type : types) {
        filter += Text(type.name) + L'\0';
        filter += type.patterns + L'\0';
    }
    return filter;
}

String Words::CellName(const GameState& state, const BoardView& view, EnneoPuzzle::Cell cell) {
    const EnneoPuzzle& board = state.puzzle;
    std::vector<M::Value> place = {M::Value::Number(cell.y), M::Value::Number(cell.x)};
    if (view.paused) return Say(M(M::kCellHidden, place));
    int cellState = board.GetCellState(cell.x, cell.y);
    if (cellState != EnneoPuzzle::CELL_EMPTY) {
        place.push_back(M::Value::Number(board.GetCell(cell.x, cell.y)));
        std::wstring name = Format(M(M::kCellDigit, place));
        if (cellState == EnneoPuzzle::CELL_KNOWN) name += Text(M::kCellGiven);
        if (Holds(view.misfits, cell)) name += Text(M::kCellDoesNotFit);
        return String(name.c_str());
    }
    std::wstring name = Format(M(M::kCellEmpty, place));
    if (Holds(view.hinted, cell)) name += Text(M::kCellHinted);
    int marks = state.marks.Get(cell.x, cell.y);
    if (marks != 0) {
        name += Format(M(M::kCellMarks, {M::Value::DigitRun(marks)}));
    } else if (view.showHints) {
        int candidates = board.GetCandidatesMask(cell.x, cell.y);
        name += candidates == 0 ? Text(M::kCellNoCandidates)
                                : Format(M(M::kCellCandidates, {M::Value::DigitRun(candidates)}));
    }
    return String(name.c_str());
}
