// ReaderNews: what a screen reader must be told after a command.
#include "ReaderNews.h"

#include "languages/Language.h"

#include <algorithm>

namespace {

bool SameCell(EnneoPuzzle::Cell a, EnneoPuzzle::Cell b) { return a.x == b.x && a.y == b.y; }

bool SameCells(const std::vector<EnneoPuzzle::Cell>& a, const std::vector<EnneoPuzzle::Cell>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), SameCell);
}

}  // namespace

ReaderNews::Heard ReaderNews::Hear(const Game& game, const BoardView& view) {
    const EnneoPuzzle& board = game.GetState().puzzle;
    EnneoPuzzle::Cell selected = board.GetSelectedCell();
    int digit = selected.x == 0 ? 0 : board.GetCell(selected.x, selected.y);
    return {selected,    digit,        game.GetChangeCount(), view.showHints,
            view.paused, view.misfits, view.hinted,           Language::Current()};
}

BoardAnswer ReaderNews::Tell(const Heard& before, const Game& game, const BoardView& view, BoardAnswer answer) {
    Heard now = Hear(game, view);
    BoardAnswer::Reader& reader = answer.reader;
    bool sameCell = SameCell(now.selected, before.selected);
    bool resumed = before.paused && !now.paused;
    reader.focusMoved = (!sameCell || resumed) && now.selected.x != 0;
    reader.valueChanged = sameCell && now.selected.x != 0 && now.digit != before.digit;
    reader.namesChanged = now.changes != before.changes || now.showHints != before.showHints ||
                          now.paused != before.paused || !SameCells(now.hinted, before.hinted) ||
                          !SameCells(now.misfits, before.misfits) || now.language != before.language;
    announcement_ = reader.announcement;
    return answer;
}
