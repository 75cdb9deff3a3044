// GameFile: a whole game as plain text: its board, marks, selection and undo history.
#pragma once

#include "Game.h"
#include "Message.h"
#include "common/util/BackedUpFile.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// What a game file keeps of the play besides the board: the time the game's clock
// counted (a GameClock's elapsed milliseconds), and whether the game had help, or
// anything else that keeps it from the statistics.
struct GamePlay {
    uint64_t milliseconds = 0;
    bool assisted = false;
};

// Writes a game as text and reads it back, strictly. Version 1.1, every line ending in
// CR LF (LF alone is read too):
//
//   Enneo Tessary game 1.1
//   row +8 9 7 3 . 5 . 4 .              nine rows, top to bottom, each left to right
//   ...
//   selected r2c2                       the selected cell's row and column, or "-"
//   elapsed 754312                      the milliseconds the game's clock counted (1.1)
//   assisted                            only when the game no longer counts for the
//                                       statistics (1.1)
//   board-check 54f48159                CRC-32 of the lines above it, in hex
//   done r1c7 r1c7 r1c7:.>.8            a step that can be undone, oldest first
//   done r1c1 r1c1 r1c1:.28>+8 r1c7:.8>.
//   undone r2c2 r2c2 r2c2:.>+5          a step that can be redone, the next first
//   history-check 60ae663b              CRC-32 of the lines since the board-check
//
// A cell is "." when empty, followed by its pencil marks in ascending order (".28"),
// "+d" for a digit that the player or the solver set, and "d" for a given digit. A step
// names the selection before and after it, then each cell it changed, in reading order,
// as "rYcX:before>after". A check value covers each line of its part, without the line
// end, followed by LF; so a file changed by hand is taken as damaged.
//
// Versions are "MAJOR.MINOR". A later minor version adds only lines with keys of their
// own (such as how the puzzle was made), anywhere before a check line; this reader
// skips lines whose key it does not know. A later major version is refused. Version 1.1
// added "elapsed" and "assisted"; a file without "elapsed" (1.0) gives a game whose time
// is not known, played from zero and assisted.
//
// Reading trusts nothing. A text of more than kMaxBytes is not read. The board part
// must be whole, well formed and pass its check, and no digit may repeat in a row, a
// column or a block; otherwise nothing is taken. The history is kept only when it is
// whole (its check line ends the file), well formed, passes its check, holds at most
// GameHistory::kDefaultCapacity steps, and each step, taken back from the board (done)
// or again on it (undone), finds the cells as it says and leaves no repeated digit. A
// sound board with any other history is kept without one, and the reading says so:
// the board is the game itself, the history only the way to it.
class GameFile {
public:
    // Above the largest file a full history could make: 1,000 steps that each change
    // all 81 cells, with every mark on both sides, come to 2.2 MB.
    static const size_t kMaxBytes = 4 << 20;
    // The extension of game files ("Enneo game" in the file dialogs). Open tells a game
    // file by its first line, not by its name.
    static constexpr wchar_t kExtension[] = L".enneo-game";

    enum class Outcome {
        Whole,      // the game and its whole history
        BoardOnly,  // the board, without the history it had (see message)
        Refused,     // nothing to use (see message)
        NoFile,      // a file read from disk is not there
        Unreadable,  // a file read from disk is there but could not be read: nothing was judged
    };
    struct Reading {
        Outcome outcome = Outcome::Refused;
        std::optional<Game> game;  // with Whole and BoardOnly
        Message message;           // for the player; empty when there is nothing to say
        GamePlay play;             // with the game
    };

    static std::string Write(const Game& game, const GamePlay& play = GamePlay());
    static Reading Read(std::string_view text);
    // Reads one version of a file (the file itself or its backup): NoFile when it is not
    // there, Unreadable (kGameNotReadable) when it cannot be read (held open, an I/O
    // error, a folder or device of that name), refused when it holds more than kMaxBytes.
    static Reading Read(const util::BackedUpFile& file, util::BackedUpFile::Version version);
    // Whether text begins as a game file's first line does (the rest is Read's to judge).
    static bool IsGame(std::string_view text);
};
