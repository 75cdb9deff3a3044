// ReaderNews: what a screen reader must be told after a command.
#pragma once

#include "board/BoardAnswer.h"
#include "board/BoardView.h"
#include "puzzle/Game.h"

#include <vector>

// A screen reader reads the board as a table of cells. The selected cell is its focus,
// spoken again when the pause ends; every cell's name holds its digits, marks,
// candidates, what Hint and Check found and whether the pause hides it, in the language
// spoken, so a change of any of these renames cells. Hear what the reader was told before a command, then Tell
// the answer what changed since; the last announcement is kept until the next command.
class ReaderNews {
public:
    // What a screen reader was told of, to compare with after a command.
    struct Heard {
        EnneoPuzzle::Cell selected;
        int digit;  // the selected cell's
        unsigned changes;
        bool showHints;
        bool paused;
        std::vector<EnneoPuzzle::Cell> misfits;
        std::vector<EnneoPuzzle::Cell> hinted;
        int language;  // every name is in it
    };

    static Heard Hear(const Game& game, const BoardView& view);
    // answer with what a screen reader must be told since before, now that the game and
    // the view are so.
    BoardAnswer Tell(const Heard& before, const Game& game, const BoardView& view, BoardAnswer answer);
    const Message& GetAnnouncement() const { return announcement_; }

private:
    Message announcement_;
};
