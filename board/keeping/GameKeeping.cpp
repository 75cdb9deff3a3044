// GameKeeping: Resume Last Game: the game in progress kept as it is played, and taken up again.
#include "GameKeeping.h"

namespace {

using M = Message;

// answer with a box that says another copy of the program keeps the game.
BoardAnswer KeptElsewhere(BoardAnswer answer) {
    return answer.Boxed(BoardAnswer::kInformation, M::kCaptionLastGame, M::kKeptElsewhere);
}

}  // namespace

BoardAnswer GameKeeping::Switch() {
    on_ = !on_;
    BoardAnswer answer = BoardAnswer::MenuShown();
    // Another copy keeps the game, and this one none: only switched on is there news.
    if (!keeper_.HasFile()) return on_ ? KeptElsewhere(answer) : answer;
    // Off, the game in progress ends with the program: the player is told so, and how to
    // have it kept again.
    if (!on_) return answer.Boxed(BoardAnswer::kInformation, M::kCaptionResumeGame, M::kKeepingOff);
    answer.keep = keeper_.Changed();
    return answer;
}

BoardAnswer GameKeeping::Resume(const std::filesystem::path& gameFile, PlaySession& session) {
    keeper_ = GameKeeper(gameFile);
    if (!on_) return BoardAnswer();
    if (!keeper_.HasFile()) return KeptElsewhere(BoardAnswer());
    GameFile::Reading reading = keeper_.Resume();
    BoardAnswer answer;
    if (reading.game) {
        session.Resume(*reading.game, reading.play);
        Noted(session);
        answer = BoardAnswer::Shown();
        // A game taken from the backup, or without its history, is written again soundly.
        if (!reading.message.IsEmpty()) answer.keep = keeper_.Changed();
    }
    if (reading.message.IsEmpty()) return answer;
    return answer.Boxed(BoardAnswer::kInformation, M::kCaptionLastGame, reading.message);
}

void GameKeeping::Note(const PlaySession& session, bool clockStopped, BoardAnswer& answer) {
    const Game& game = session.GetGame();
    EnneoPuzzle::Cell selected = session.GetBoard().GetSelectedCell();
    if (!clockStopped && session.IsAssisted() == notedAssisted_ && game.GetChangeCount() == notedChange_ &&
        selected.x == notedSelection_.x && selected.y == notedSelection_.y) {
        return;
    }
    Noted(session);
    answer.keep = answer.keep || (on_ && keeper_.Changed());
}

void GameKeeping::Noted(const PlaySession& session) {
    notedChange_ = session.GetGame().GetChangeCount();
    notedSelection_ = session.GetBoard().GetSelectedCell();
    notedAssisted_ = session.IsAssisted();
}

BoardAnswer GameKeeping::Keep(const PlaySession& session) {
    if (!on_) return BoardAnswer();
    if (session.GetClock().IsRunning()) keeper_.Changed();  // the time has gone on since the last write
    Message failure = keeper_.Keep(session.GetGame(), session.Play());
    if (failure.IsEmpty()) return BoardAnswer();
    return BoardAnswer().Boxed(BoardAnswer::kError, M::kCaptionNotKept, failure);
}
