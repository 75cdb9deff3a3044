// PuzzleIntake: puzzles that come in and go out: files, the clipboard, lists, recent files.
#pragma once

#include "board/BoardAnswer.h"
#include "board/intake/ClipboardContent.h"
#include "board/intake/ListPlace.h"
#include "board/intake/RememberedFiles.h"
#include "board/play/PlaySession.h"
#include "puzzle/FileFormats.h"
#include "puzzle/PuzzleExchange.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// Puzzles come in by Open (the dialog, a drop, the command line, a recent file), Paste
// and the next puzzle of a list, all read by PuzzleExchange, and go onto the play
// session's board. A puzzle of the program's own file is put on the board as the file
// reader leaves it, as always; any other one is first checked (PuzzleCheck): one that
// breaks the rules is refused with its first clash and the board stays, and one without
// a single solution comes in with a box that says so. Each puzzle that comes in is one
// step, its digits givens. The files opened or saved are remembered (the latest
// kRecentFiles), and so is the puzzle last open in each of the latest kListPlaces lists.
class PuzzleIntake {
public:
    static const size_t kRecentFiles = 8;
    static const size_t kListPlaces = 20;
    // The settings' sections of the recent files and of the lists' places.
    static constexpr wchar_t kRecentFilesSection[] = L"Recent Files";
    static constexpr wchar_t kListPlacesSection[] = L"Puzzle Lists";

    // properties: the program's settings, which outlive the intake.
    explicit PuzzleIntake(util::IProperties& properties);

    // Installs the file at path as one step: a game file's board with its kinds of
    // digits, marks and selection (not its history), any other file's puzzle (of a list,
    // the one last open there, else the first). A file that cannot be read, or holds no
    // puzzle, leaves the board as it was, and the answer's error box says so.
    BoardAnswer Open(const std::wstring& path, PlaySession& session);
    // The first puzzle of what the clipboard holds in place of the game: the grid of a
    // web page's table when its HTML holds one (HtmlGrid), else the text's; a box says
    // why nothing came in. Text of several puzzles is a list, open at its first puzzle
    // and walked by the next puzzle command as a list file is, until something else
    // comes in.
    BoardAnswer Paste(const ClipboardContent& content, PlaySession& session);
    // Writes the whole game as a game file at path (kGameFile), or else the board as a
    // puzzle file, and remembers the file; the answer's error box says when it could not.
    BoardAnswer Save(const std::wstring& path, FileFormats::Saved type, const PlaySession& session);
    // The commands of puzzles in and out: Copy, Paste (which asks the window for the
    // clipboard), Make Digits Givens, the next puzzle of the list, a recent file.
    BoardAnswer Run(const BoardCommand& command, PlaySession& session);
    // A new puzzle came from elsewhere: no list is open any more.
    void ForgetList() {
        listPath_.clear();
        pastedList_.reset();
    }

    // The list's puzzle on the board, of a file or pasted; none while no list is open.
    std::optional<ListPlace> GetListPlace() const;
    // The files last opened or saved, the latest first.
    const std::vector<RememberedFiles::Entry>& GetRecentFiles() const { return recentFiles_.Get(); }

private:
    BoardAnswer OpenRecent(size_t index, PlaySession& session);
    BoardAnswer NextPuzzle(PlaySession& session);
    // The puzzle of a list file at index (clamped into it) in place of the game.
    BoardAnswer OpenListPuzzle(const std::wstring& path, const PuzzleExchange& list, size_t index,
                               PlaySession& session);
    // The puzzle of the list at index (clamped into it) in place of the game, its place
    // noted whether or not it comes in; caption: the box's.
    BoardAnswer InstallListPuzzle(const PuzzleExchange& list, size_t index, Message::Id caption,
                                  PlaySession& session);
    // A puzzle from outside in place of the game, as one step, unless it breaks the
    // rules; caption: the box's, when there is one to show. The refusal of a puzzle of a
    // list names its place.
    BoardAnswer Install(const EnneoPuzzle& puzzle, Message::Id caption, PlaySession& session,
                        const std::optional<ListPlace>& place = std::nullopt);
    BoardAnswer MakeGivens(PlaySession& session);
    // The answer after a file was opened or saved: the file first in the recent list,
    // and told to Windows.
    BoardAnswer Remembered(BoardAnswer answer, const std::wstring& path);

    RememberedFiles recentFiles_;
    RememberedFiles listPlaces_;  // each note the number of the puzzle last open
    std::wstring listPath_;       // the list file open; empty for none
    std::optional<PuzzleExchange> pastedList_;  // the pasted list open, while no file is
    ListPlace listPlace_ = {0, 0};
};
