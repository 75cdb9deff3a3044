// Message: what the program tells the player, as data: which sentence, and its values.
#pragma once

#include "GridUnit.h"
#include "PuzzleLevel.h"
#include "Technique.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// The parts of puzzle/ and board/ answer with messages, never with English: the words
// layer (words/Words) puts each into the sentence of its identifier, with the values in
// the places its text gives them, so that a sentence's parts can be reordered and a
// language is a table. Values are kept typed (a level, a time, a unit, a set of digits),
// so that the words layer names them in the sentence's language.
struct Message {
    enum Id {
        kNone,  // nothing to tell
        // Box captions.
        kCaptionFileError,
        kCaptionLastGame,
        kCaptionNotKept,
        kCaptionOpen,
        kCaptionPaste,
        kCaptionCopy,
        kCaptionMakeGivens,
        kCaptionStatistics,
        kCaptionHint,
        kCaptionCheck,
        kCaptionResumeGame,
        kCaptionSolved,
        // The window's caption: the program's name, with the timer its time, and in
        // pencil mode the word that says so; the help window's.
        kTitle,
        kTitleWithTime,  // time
        kTitlePencil,
        kTitleWithTimePencil,  // time
        kHelpTitle,
        // What a screen reader hears after a command.
        kNoSelection,
        kPausedRefusal,
        kPaused,
        kCandidatesFilled,
        kNoMarks,
        kMarksCleared,
        kMarksInEmptyCellsOnly,
        kPencilModeOn,
        kPencilModeOff,
        kUndoToCorrectUnavailable,
        kUndoneToCorrect,
        kTimerShown,  // time
        kTimerHidden,
        kNoListOpen,
        kNoDigitToMakeGiven,
        // A digit refused in a cell.
        kGivenHere,     // digit: the given's
        kClashInRow,    // digit, row number
        kClashInColumn, // digit, column number
        kClashInBlock,  // digit, row and column numbers of the other cell
        kAlreadyHere,   // digit
        // Open, Save, Paste, Copy and the lists.
        kLoadFailed,
        kSaveFailed,
        kNoPuzzleInFile,       // file name; followed by kPuzzleForms
        kNoPuzzleOnClipboard,  // followed by kPuzzleForms
        kPuzzleForms,
        kClipboardEmpty,
        kClipboardPicture,
        kClipboardFiles,
        kClipboardBusy,
        kClipboardNoText,
        kNoLongerList,     // file name
        kRecentFileGone,   // path
        kNotAFile,         // path
        kKeptElsewhere,
        kTableNotGrid,       // rows, cells
        kTableCellNotDigit,  // row, column, the cell's text
        kTableTooLarge,
        // What the check of a puzzle that comes in finds.
        kPuzzleClash,  // unit, count word, digit
        kPuzzleNoSolution,
        kPuzzleSeveralSolutions,
        kListPuzzleClash,  // number, count of the list; unit, count word, digit
        // The coach: Hint and Check.
        kSolved,
        kNoSolution,
        kNoSolutionFits,
        kSeveralSolutions,
        kUndecided,
        kHintSeveralSolutions,
        kHintMisfit,            // digit, row, column
        kHintSingleCandidate,   // digit, row, column
        kHintSingleInBlock,     // digit, row, column
        kHintSingleInRow,       // digit, row, column
        kHintSingleInColumn,    // digit, row, column
        kHintTrial,             // row, column, candidates, digit
        kHintMissingMark,       // row, column
        // Hint in stages: where to look, then the whole step; the step made.
        kHintLookInUnit,        // unit, technique
        kHintLookAtCell,        // row, column, technique
        kHintLookAtCells,       // technique
        kHintFullHouse,         // digit, row, column, unit
        kHintStepPlaces,        // technique, pattern, digit, row, column
        kHintStepRemovesInUnit, // technique, unit, pattern, removals
        kHintStepRemoves,       // technique, pattern, removals
        kHintStepMade,
        kCheckFits,
        kCellsLeft,             // count
        kCheckLevel,            // level, rating
        kCheckMisfits,          // count
        // Statistics.
        kStatisticsNoGame,      // level
        kStatisticsLevel,       // level, games, best time, average time
        kStatisticsRule,
        kNewBestTime,           // level; follows kSolvedIn
        kSolvedIn,              // time
        // The game file and the keeping of the game.
        kGameNotReadable,
        kNotAGame,
        kGameTooLarge,          // megabytes
        kGameDamaged,           // line
        kGameBreaksRules,
        kGameFromBackup,
        kHistoryDropped,        // line
        kGameOfNewerVersion,    // the file's format version
        kGameSetAside,          // path
        kBackupSetAside,        // path
        kGameLeftInPlace,       // path
        kNotKeptNoFolder,       // folder
        kNotKeptNoNewFile,      // folder
        kNotKeptNotWhole,       // folder
        kNotKeptNotReplaced,    // file
        kPlayGoesOn,
        kKeepingOff,
        // A cell as a screen reader names it: its place and what it shows.
        kCellHidden,            // row, column
        kCellDigit,             // row, column, digit
        kCellEmpty,             // row, column
        kCellGiven,
        kCellDoesNotFit,
        kCellHinted,
        kCellMarks,             // digits
        kCellCandidates,        // digits
        kCellNoCandidates,
        // The titles and footer of printed pages.
        kPrintPuzzleTitle,      // number, level
        kPrintSolutionTitle,    // number, level
        kPrintFooter,           // program, date
        kPrintFooterLevel,      // program, level, date
        kPrintPageOf,           // page, pages
        // The menu's item of the next puzzle of a list.
        kListPlace,             // the item's text, number, count
        // The file types of the file dialogs.
        kFileTypePuzzles,
        kFileTypeGame,
        kFileTypeSadMan,
        kFileTypeSimpleSudoku,
        kFileTypeList,
        kFileTypeAllPuzzles,
        kFileTypeAll,
        // The names of values.
        kLevelEasy,
        kLevelMedium,
        kLevelHard,
        kLevelExpert,
        kLevelExtreme,
        kRow,                   // number
        kColumn,                // number
        kTopLeftBlock,          // the blocks in reading order
        kTopMiddleBlock,
        kTopRightBlock,
        kMiddleLeftBlock,
        kCentreBlock,
        kMiddleRightBlock,
        kBottomLeftBlock,
        kBottomMiddleBlock,
        kBottomRightBlock,
        // Candidates in a hint's step: a cell with its digits, a digit with its cells,
        // and the separator of such groups.
        kCellPlace,             // row, column
        kCellWithDigits,        // cell, digits
        kDigitFromCells,        // digit, cells
        kGroupSeparator,
        // The techniques, in the order of Technique.
        kTechniqueFullHouse,      // the first
        kTechniqueHiddenSingleBlock,
        kTechniqueHiddenSingleRow,
        kTechniqueHiddenSingleColumn,
        kTechniqueNakedSingle,
        kTechniquePointing,
        kTechniqueClaiming,
        kTechniqueNakedPair,
        kTechniqueHiddenPair,
        kTechniqueNakedTriple,
        kTechniqueHiddenTriple,
        kTechniqueNakedQuad,
        kTechniqueHiddenQuad,
        kTechniqueXWing,
        kTechniqueSwordfish,
        kTechniqueJellyfish,
        kTechniqueSkyscraper,
        kTechniqueTwoStringKite,
        kTechniqueFinnedXWing,
        kTechniqueFinnedSwordfish,
        kTechniqueFinnedJellyfish,
        kTechniqueXYWing,
        kTechniqueXYZWing,
        kTechniqueWWing,
        kTechniqueSimpleColouring,
        kTechniqueUniqueRectangleType1,
        kTechniqueUniqueRectangleType2,
        kTechniqueUniqueRectangleType3,
        kTechniqueUniqueRectangleType4,
        kTechniqueBugPlusOne,
        kTechniqueXCycle,
        kTechniqueXChain,
        kTechniqueXYChain,
        kTechniqueNiceLoop,
        kTechniqueAlsXz,
        kTechniqueForcingChain,
        kTechniqueDynamicForcingChain,
        kTwo,                   // the count words, two to nine
        kThree,
        kFour,
        kFive,
        kSix,
        kSeven,
        kEight,
        kNine,
        kListSeparator,         // between items of a list
        kListLastSeparator,     // before its last item
        // The line under the word "Paused" on the picture of the pause.
        kPausedHowToGoOn,
        // The digit pad: its name for the cell it is open on, its button that empties
        // the cell and its switch of Pencil Mode.
        kDigitPadName,          // row, column
        kDigitPadEmpty,
        kDigitPadPencilMode,
        kIdCount
    };

    // One value of a message, named by the words layer in the sentence's language.
    struct Value {
        enum Kind {
            kNumber,     // as digits
            kText,       // as it stands: a file's name, a version
            kTime,       // seconds, as minutes and seconds
            kLevel,      // a PuzzleLevel, by its name
            kRating,     // a rating in tenths, with one decimal
            kUnit,       // a GridUnit, kind * 9 + index
            kCountWord,  // a small number in words ("two")
            kDigits,     // a set of digits, bit d - 1 for digit d, as a list ("2, 5 and 7")
            kDigitRun,   // a set of digits as a screen reader reads marks ("2 5 7")
            kTechnique,  // a Technique, by its name
            kCandidatesByCell,   // candidates (items), grouped by cell
            kCandidatesByDigit,  // candidates (items), grouped by digit
        };

        static Value Number(int64_t number) { return {kNumber, number, {}}; }
        static Value Text(std::wstring text) { return {kText, 0, std::move(text)}; }
        static Value Time(uint64_t seconds) { return {kTime, static_cast<int64_t>(seconds), {}}; }
        static Value Level(PuzzleLevel level) { return {kLevel, static_cast<int64_t>(level), {}}; }
        // Rounded to tenths, as the rating is shown.
        static Value Rating(double rating) { return {kRating, std::llround(rating * 10), {}}; }
        static Value Unit(GridUnit unit) { return {kUnit, unit.kind * 9 + unit.index, {}}; }
        static Value CountWord(int count) { return {kCountWord, count, {}}; }
        static Value Digits(int mask) { return {kDigits, mask, {}}; }
        static Value DigitRun(int mask) { return {kDigitRun, mask, {}}; }
        static Value Technique(::Technique technique) { return {kTechnique, static_cast<int64_t>(technique), {}}; }
        // Candidates as items, each a cell (reading order, 0 to 80) times 16 plus a digit.
        static Value CandidatesByCell(std::vector<int> items) { return {kCandidatesByCell, 0, {}, std::move(items)}; }
        static Value CandidatesByDigit(std::vector<int> items) {
            return {kCandidatesByDigit, 0, {}, std::move(items)};
        }

        bool operator==(const Value& other) const {
            return kind == other.kind && number == other.number && text == other.text && items == other.items;
        }

        Kind kind;
        int64_t number;
        std::wstring text;
        std::vector<int> items = {};
    };

    // How a sentence that follows another joins it: after a blank, on the next line, or
    // after an empty line.
    enum Join { kBlank, kLine, kParagraph };

    // The message that names a technique.
    static Id NameOf(::Technique technique) { return static_cast<Id>(kTechniqueFullHouse + static_cast<int>(technique)); }

    Message() = default;
    Message(Id id, std::vector<Value> values = {}) : id(id), values(std::move(values)) {}

    bool IsEmpty() const { return id == kNone; }
    bool operator==(const Message& other) const {
        return id == other.id && values == other.values && more == other.more && join == other.join;
    }
    // This message, then next after it, joined so.
    Message& Then(Message next, Join join = kBlank) {
        next.join = join;
        more.push_back(std::move(next));
        return *this;
    }

    Id id = kNone;
    std::vector<Value> values;
    // Sentences that follow this one in the same text, in order.
    std::vector<Message> more;
    Join join = kBlank;  // how this one joins the sentence before it, when it follows one
};

static_assert(Message::kTechniqueFullHouse + kTechniqueCount == Message::kTwo, "a name for every technique, in its order");
