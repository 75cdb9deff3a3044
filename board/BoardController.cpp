// BoardController: runs the player's commands on the board's parts and says what they changed.
#include "BoardController.h"

#include "languages/Language.h"

#include <functional>
#include <utility>

namespace {

using M = Message;

// What the window tells of itself, which the board does not show.
bool FromTheWindow(BoardCommand::Kind kind) {
    return kind == BoardCommand::kWindowActive || kind == BoardCommand::kWindowMinimized ||
           kind == BoardCommand::kSessionLocked || kind == BoardCommand::kTick;
}

bool SameMessage(const Message& a, const Message& b) { return a.id == b.id && a.values == b.values; }

}  // namespace

BoardController::BoardController(const EnneoPuzzle& start, util::IProperties& properties, GameClock::TimeSource now)
    : settings_(properties),
      showTimer_(settings_.IsOn(BoardSettings::kShowTimer)),
      language_(settings_.GetLanguage()),
      session_(start, properties, std::move(now)),
      intake_(properties),
      keeping_(settings_.IsOn(BoardSettings::kResumeGame)) {
    view_.markSelection = settings_.IsOn(BoardSettings::kMarkSelection);
    view_.theme = static_cast<BoardTheme::Choice>(settings_.Get(BoardSettings::kTheme));
    title_ = GetTitle();
}

BoardAnswer BoardController::Execute(const BoardCommand& command) {
    // What the window tells of itself changes nothing that a screen reader reads, and
    // leaves the last announcement as it was.
    if (FromTheWindow(command.kind)) {
        unsigned installs = session_.GetInstallCount();
        return Answered(installs, Run(command));
    }
    return Told([&] {
        if (!view_.paused || RunsWhilePaused(command.kind)) return Run(command);
        // A click on the picture of the pause goes on; nothing else reaches the board.
        if (command.kind == BoardCommand::kSelectCell) return Run(BoardCommand::Of(BoardCommand::kPause));
        return BoardAnswer().Announced(M::kPausedRefusal);
    });
}

BoardAnswer BoardController::Told(const std::function<BoardAnswer()>& run) {
    ReaderNews::Heard before = ReaderNews::Hear(GetGame(), GetView());
    unsigned installs = session_.GetInstallCount();
    BoardAnswer answer = run();
    return news_.Tell(before, GetGame(), GetView(), Answered(installs, answer));
}

bool BoardController::RunsWhilePaused(BoardCommand::Kind kind) {
    switch (kind) {
    case BoardCommand::kNewEmpty:
    case BoardCommand::kNewPuzzle:
    case BoardCommand::kPaste:
    case BoardCommand::kNextPuzzle:
    case BoardCommand::kOpenRecent:
    case BoardCommand::kStatistics:
    case BoardCommand::kShowHints:
    case BoardCommand::kMarkSelection:
    case BoardCommand::kPencilMode:
    case BoardCommand::kShowTimer:
    case BoardCommand::kPause:
    case BoardCommand::kWindowActive:
    case BoardCommand::kWindowMinimized:
    case BoardCommand::kSessionLocked:
    case BoardCommand::kTick:
    case BoardCommand::kLanguage:
    case BoardCommand::kHelp: return true;
    default: return false;
    }
}

BoardAnswer BoardController::Run(const BoardCommand& command) {
    switch (command.kind) {
    case BoardCommand::kSelectCell:
    case BoardCommand::kMoveSelection: {
        // With Mark Selection off the selection shows nowhere, and the board is not
        // repainted for it.
        BoardAnswer answer = session_.Run(command, view_.pencilMode);
        answer.repaint = view_.markSelection;
        return answer;
    }
    case BoardCommand::kNewEmpty:
        intake_.ForgetList();
        session_.Install(EnneoPuzzle());
        return BoardAnswer::Shown();
    case BoardCommand::kNewPuzzle: return MakePuzzle(command.level, [] { return true; });
    case BoardCommand::kShowHints:
    case BoardCommand::kMarkSelection:
    case BoardCommand::kPencilMode:
    case BoardCommand::kShowTimer:
    case BoardCommand::kPause:
    case BoardCommand::kTheme: return Switch(command);
    case BoardCommand::kLanguage: return ChooseLanguage(command.digit);
    case BoardCommand::kResumeGame: {
        BoardAnswer answer = keeping_.Switch();
        settings_.Set(BoardSettings::kResumeGame, keeping_.IsOn());
        return answer;
    }
    case BoardCommand::kCopyPuzzle:
    case BoardCommand::kCopyBoard:
    case BoardCommand::kPaste:
    case BoardCommand::kMakeGivens:
    case BoardCommand::kNextPuzzle:
    case BoardCommand::kOpenRecent: return intake_.Run(command, session_);
    default: return session_.Run(command, view_.pencilMode);
    }
}

BoardAnswer BoardController::MakePuzzle(PuzzleLevel level, const PuzzleGenerator::KeepGoing& keepGoing) {
    // Seeded from the clock, so that each choice brings another puzzle.
    std::optional<EnneoPuzzle> puzzle = PuzzleGenerator(PuzzleGenerator::SeedFromClock()).Generate(level, keepGoing);
    if (!puzzle) return BoardAnswer();
    intake_.ForgetList();
    session_.Install(*puzzle);
    return BoardAnswer::Shown();
}

BoardAnswer BoardController::Switch(const BoardCommand& command) {
    switch (command.kind) {
    case BoardCommand::kShowHints: {
        view_.showHints = !view_.showHints;
        BoardAnswer answer;
        answer.repaint = true;
        return answer;
    }
    case BoardCommand::kMarkSelection:
        view_.markSelection = !view_.markSelection;
        settings_.Set(BoardSettings::kMarkSelection, view_.markSelection);
        return BoardAnswer::Shown();
    case BoardCommand::kPencilMode:
        view_.pencilMode = !view_.pencilMode;
        return BoardAnswer::MenuShown().Announced(view_.pencilMode ? M::kPencilModeOn : M::kPencilModeOff);
    case BoardCommand::kShowTimer: {
        // The caption shows the time played, or no longer; a screen reader hears which.
        showTimer_ = !showTimer_;
        settings_.Set(BoardSettings::kShowTimer, showTimer_);
        Message told(M::kTimerHidden);
        if (showTimer_) told = M(M::kTimerShown, {M::Value::Time(GetClock().GetElapsed() / 1000)});
        return BoardAnswer::MenuShown().Announced(told);
    }
    case BoardCommand::kPause:
        view_.paused = !view_.paused;
        return view_.paused ? BoardAnswer::Shown().Announced(M::kPaused) : BoardAnswer::Shown();
    default: {  // kTheme
        view_.theme = command.theme;
        settings_.Set(BoardSettings::kTheme, command.theme);
        BoardAnswer answer = BoardAnswer::Shown();
        answer.look = true;
        return answer;
    }
    }
}

BoardAnswer BoardController::ChooseLanguage(int language) {
    if (language != BoardSettings::kFollowWindows && (language < 0 || language >= Language::Count())) {
        return BoardAnswer();
    }
    settings_.SetLanguage(language);
    language_ = language;
    Language::Choose(settings_.GetSpokenLanguage());
    BoardAnswer answer = BoardAnswer::Shown();
    answer.language = answer.title = true;
    return answer;
}

BoardAnswer BoardController::Answered(unsigned installs, BoardAnswer answer) {
    if (session_.GetInstallCount() != installs) view_.paused = false;  // the player asked to see a new board
    bool wasRunning = GetClock().IsRunning();
    answer = session_.Settle(answer, view_.paused);
    Message title = GetTitle();
    if (!SameMessage(title, title_)) {
        title_ = title;
        answer.title = true;
    }
    keeping_.Note(session_, wasRunning && !GetClock().IsRunning(), answer);
    return answer;
}

BoardAnswer BoardController::NewPuzzle(PuzzleLevel level, const PuzzleGenerator::KeepGoing& keepGoing) {
    return Told([&] { return MakePuzzle(level, keepGoing); });
}

BoardAnswer BoardController::Open(const wchar_t* path) {
    return Told([&] { return intake_.Open(path, session_); });
}

BoardAnswer BoardController::Paste(const ClipboardContent& content) {
    return Told([&] { return intake_.Paste(content, session_); });
}

BoardAnswer BoardController::Save(const wchar_t* path, FileFormats::Saved type) {
    return intake_.Save(path, type, session_);
}

FileFormats::Saved BoardController::ProposedSaveType() const {
    const EnneoPuzzle& board = session_.GetBoard();
    bool played = false;
    for (int y = 1; y <= 9 && !played; ++y) {
        for (int x = 1; x <= 9 && !played; ++x) played = board.GetCellState(x, y) == EnneoPuzzle::CELL_SET;
    }
    return keeping_.IsOn() && played ? FileFormats::kGameFile : FileFormats::kPuzzleFile;
}

BoardAnswer BoardController::CopyRefused() {
    return BoardAnswer().Boxed(BoardAnswer::kError, M::kCaptionCopy, M::kClipboardBusy);
}

BoardAnswer BoardController::Resume(const std::filesystem::path& gameFile) {
    unsigned installs = session_.GetInstallCount();
    BoardAnswer answer = keeping_.Resume(gameFile, session_);
    if (!answer.repaint) return answer;
    return Answered(installs, answer);  // the clock and the caption
}

BoardAnswer BoardController::Keep() { return keeping_.Keep(session_); }

bool BoardController::IsAvailable(BoardCommand::Kind kind) const {
    if (view_.paused && !RunsWhilePaused(kind)) return false;
    if (kind == BoardCommand::kNextPuzzle) return intake_.GetListPlace().has_value();
    return session_.IsAvailable(kind);
}

bool BoardController::IsOn(BoardCommand::Kind kind) const {
    switch (kind) {
    case BoardCommand::kShowHints: return view_.showHints;
    case BoardCommand::kMarkSelection: return view_.markSelection;
    case BoardCommand::kPencilMode: return view_.pencilMode;
    case BoardCommand::kShowTimer: return showTimer_;
    case BoardCommand::kPause: return view_.paused;
    case BoardCommand::kResumeGame: return keeping_.IsOn();
    default: return false;
    }
}

Message BoardController::GetTitle() const {
    if (!showTimer_) return view_.pencilMode ? M::kTitlePencil : M::kTitle;
    return M(view_.pencilMode ? M::kTitleWithTimePencil : M::kTitleWithTime,
             {M::Value::Time(GetClock().GetElapsed() / 1000)});
}

unsigned BoardController::GetTickDelay() const {
    if (!showTimer_ || !GetClock().IsRunning()) return 0;
    return static_cast<unsigned>(1000 - GetClock().GetElapsed() % 1000);
}

BoardView BoardController::GetView() const {
    BoardView view = view_;
    view.misfits = session_.GetFindings().misfits;
    view.hinted = session_.GetFindings().hinted;
    return view;
}

BoardSnapshot BoardController::Snapshot() const {
    BoardSnapshot snapshot{GetGame().GetState(),     GetView(), news_.GetAnnouncement(), {}, {}, intake_.GetListPlace(),
                           intake_.GetRecentFiles(), language_};
    for (int kind = 0; kind < BoardCommand::kKindCount; ++kind) {
        snapshot.available[kind] = IsAvailable(static_cast<BoardCommand::Kind>(kind));
        snapshot.on[kind] = IsOn(static_cast<BoardCommand::Kind>(kind));
    }
    return snapshot;
}
