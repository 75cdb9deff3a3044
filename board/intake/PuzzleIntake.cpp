// PuzzleIntake: puzzles that come in and go out: files, the clipboard, lists, recent files.
#include "PuzzleIntake.h"

#include "common/FilePath.h"
#include "common/util/RegularFile.h"
#include "common/util/SafeSave.h"
#include "puzzle/GameFile.h"
#include "puzzle/HtmlGrid.h"
#include "puzzle/PuzzleCheck.h"
#include "puzzle/PuzzleLine.h"

#include <filesystem>

namespace {

using M = Message;
using V = Message::Value;

BoardAnswer FileError(Message sentence) {
    return BoardAnswer().Boxed(BoardAnswer::kError, M::kCaptionFileError, std::move(sentence));
}

BoardAnswer OpenError(Message sentence, bool menu = false) {
    BoardAnswer answer;
    answer.menu = menu;
    return answer.Boxed(BoardAnswer::kError, M::kCaptionOpen, std::move(sentence));
}

// The file's name without its folder, as a box names it.
std::wstring NameOf(const std::wstring& path) { return path.substr(path.find_last_of(L"\\/") + 1); }

// Why a paste of something other than text brings no puzzle.
Message NotText(ClipboardContent::Kind kind) {
    switch (kind) {
    case ClipboardContent::kNothing: return M::kClipboardEmpty;
    case ClipboardContent::kPicture: return M::kClipboardPicture;
    case ClipboardContent::kFiles: return M::kClipboardFiles;
    case ClipboardContent::kBusy: return M::kClipboardBusy;
    case ClipboardContent::kText:
    case ClipboardContent::kOther: break;
    }
    return M::kClipboardNoText;
}

// The puzzle number a list place note holds, from 1; 0 for none.
size_t NumberOf(const std::optional<std::wstring>& note) {
    if (!note || note->empty() || note->size() > 9 || note->find_first_not_of(L"0123456789") != std::wstring::npos) {
        return 0;
    }
    return std::stoul(*note);
}

}  // namespace

PuzzleIntake::PuzzleIntake(util::IProperties& properties)
    : recentFiles_(properties, kRecentFilesSection, kRecentFiles),
      listPlaces_(properties, kListPlacesSection, kListPlaces) {}

BoardAnswer PuzzleIntake::Run(const BoardCommand& command, PlaySession& session) {
    switch (command.kind) {
    case BoardCommand::kCopyPuzzle:
    case BoardCommand::kCopyBoard: {
        BoardAnswer answer;
        answer.copyText = PuzzleExchange::CopyText(
            session.GetBoard(), command.kind == BoardCommand::kCopyPuzzle ? PuzzleExchange::kGivens
                                                                          : PuzzleExchange::kAllDigits);
        return answer;
    }
    case BoardCommand::kPaste: {
        BoardAnswer answer;
        answer.readClipboard = true;
        return answer;
    }
    case BoardCommand::kMakeGivens: return MakeGivens(session);
    case BoardCommand::kNextPuzzle: return NextPuzzle(session);
    case BoardCommand::kOpenRecent: return OpenRecent(static_cast<size_t>(command.digit), session);
    default: return BoardAnswer();
    }
}

// The board stays when the file cannot be read: an unreadable file must not cost the
// player's work. A device, a pipe or a folder is refused before any read, which could
// wait for ever (a serial port, a pipe that no one writes to).
BoardAnswer PuzzleIntake::Open(const std::wstring& path, PlaySession& session) {
    // One byte past the larger bound tells a game file that is too large.
    const size_t most = (GameFile::kMaxBytes > PuzzleExchange::kMaxBytes ? GameFile::kMaxBytes
                                                                         : PuzzleExchange::kMaxBytes) + 1;
    std::string bytes;
    switch (util::ReadRegularFile(ToFilePath(path.c_str()), most, bytes)) {
    case util::RegularRead::Read: break;
    case util::RegularRead::NotAFile: return OpenError(M(M::kNotAFile, {V::Text(path)}));
    case util::RegularRead::Missing:
    case util::RegularRead::Failed: return FileError(M::kLoadFailed);
    }
    if (GameFile::IsGame(bytes)) {
        GameFile::Reading reading = GameFile::Read(bytes);
        if (!reading.game) return FileError(reading.message);
        ForgetList();
        session.Install(reading.game->GetState(), reading.play);
        return Remembered(BoardAnswer::Shown(), path);
    }
    const PuzzleExchange text{std::string_view(bytes)};
    switch (text.GetForm()) {
    case PuzzleExchange::kNoPuzzle:
        return OpenError(M(M::kNoPuzzleInFile, {V::Text(NameOf(path))}).Then(M::kPuzzleForms));
    case PuzzleExchange::kOwnFile:
        // Read as the program's own files always were: unchecked, and without a word.
        ForgetList();
        session.Install(text.GetPuzzle(0));
        return Remembered(BoardAnswer::Shown(), path);
    default:
        if (text.GetCount() > 1) {
            size_t lastOpen = NumberOf(listPlaces_.Find(path));
            return OpenListPuzzle(path, text, lastOpen == 0 ? 0 : lastOpen - 1, session);
        }
        BoardAnswer answer = Install(text.GetPuzzle(0), M::kCaptionOpen, session);
        if (!answer.repaint) return answer;
        ForgetList();
        return Remembered(answer, path);
    }
}

BoardAnswer PuzzleIntake::OpenListPuzzle(const std::wstring& path, const PuzzleExchange& list, size_t index,
                                         PlaySession& session) {
    pastedList_.reset();
    listPath_ = path;
    BoardAnswer answer = InstallListPuzzle(list, index, M::kCaptionOpen, session);
    listPlaces_.Put(path, std::to_wstring(listPlace_.number));
    return Remembered(answer, path);
}

BoardAnswer PuzzleIntake::InstallListPuzzle(const PuzzleExchange& list, size_t index, Message::Id caption,
                                            PlaySession& session) {
    if (index >= list.GetCount()) index = 0;
    // The place moves on past a puzzle that is refused, so that the next one follows it.
    listPlace_ = {index + 1, list.GetCount()};
    BoardAnswer answer = Install(list.GetPuzzle(index), caption, session, listPlace_);
    answer.menu = true;
    return answer;
}

BoardAnswer PuzzleIntake::NextPuzzle(PlaySession& session) {
    if (pastedList_) return InstallListPuzzle(*pastedList_, listPlace_.number, M::kCaptionPaste, session);
    if (listPath_.empty()) return BoardAnswer().Announced(M::kNoListOpen);
    // Read again: the file may have changed since.
    std::optional<PuzzleExchange> list = PuzzleExchange::FromFile(ToFilePath(listPath_.c_str()));
    if (!list || list->GetForm() != PuzzleExchange::kLines || list->GetCount() < 2) {
        std::wstring name = NameOf(listPath_);
        listPath_.clear();
        return OpenError(M(M::kNoLongerList, {V::Text(name)}), true);
    }
    return OpenListPuzzle(listPath_, *list, listPlace_.number, session);
}

BoardAnswer PuzzleIntake::OpenRecent(size_t index, PlaySession& session) {
    if (index >= recentFiles_.Get().size()) return BoardAnswer();
    std::wstring path = recentFiles_.Get()[index].path;
    std::error_code error;
    if (std::filesystem::exists(ToFilePath(path.c_str()), error) || error) return Open(path, session);
    recentFiles_.Remove(path);
    return OpenError(M(M::kRecentFileGone, {V::Text(path)}), true);
}

BoardAnswer PuzzleIntake::Install(const EnneoPuzzle& puzzle, Message::Id caption, PlaySession& session,
                                  const std::optional<ListPlace>& place) {
    PuzzleCheck check(puzzle);
    if (!check.MayLoad()) {
        Message refusal = check.GetMessage();
        if (place) {
            std::vector<V> values = {V::Number(static_cast<int64_t>(place->number)),
                                     V::Number(static_cast<int64_t>(place->count))};
            values.insert(values.end(), refusal.values.begin(), refusal.values.end());
            refusal = Message(M::kListPuzzleClash, std::move(values));
        }
        return BoardAnswer().Boxed(BoardAnswer::kError, caption, std::move(refusal));
    }
    session.Install(puzzle);
    BoardAnswer answer = BoardAnswer::Shown();
    if (check.GetMessage().IsEmpty()) return answer;
    return answer.Boxed(BoardAnswer::kInformation, caption, check.GetMessage());
}

BoardAnswer PuzzleIntake::Paste(const ClipboardContent& content, PlaySession& session) {
    if (content.kind != ClipboardContent::kText) {
        return BoardAnswer().Boxed(BoardAnswer::kError, M::kCaptionPaste, NotText(content.kind));
    }
    // A page's table is read first: its text (the cells parted by tabs) may read too,
    // but the table tells rows and blocks apart for certain.
    HtmlGrid table(content.html);
    std::optional<PuzzleExchange> text;
    if (table.GetCells().empty()) text.emplace(std::wstring_view(content.text));
    if (text && text->GetForm() == PuzzleExchange::kNoPuzzle) {
        Message refusal = table.GetRefusal().IsEmpty() ? M(M::kNoPuzzleOnClipboard) : table.GetRefusal();
        return BoardAnswer().Boxed(BoardAnswer::kError, M::kCaptionPaste, refusal.Then(M::kPuzzleForms));
    }
    if (text && text->GetCount() > 1) {
        ForgetList();
        pastedList_ = std::move(text);
        return InstallListPuzzle(*pastedList_, 0, M::kCaptionPaste, session);
    }
    BoardAnswer answer =
        Install(text ? text->GetPuzzle(0) : ReadPuzzleLine(table.GetCells()), M::kCaptionPaste, session);
    if (answer.repaint) ForgetList();
    return answer;
}

// The givens must keep the rules; nothing happens without a digit of the player's, and
// a screen reader hears so.
BoardAnswer PuzzleIntake::MakeGivens(PlaySession& session) {
    const EnneoPuzzle& board = session.GetBoard();
    bool anySet = false;
    for (int y = 1; y <= 9; ++y) {
        for (int x = 1; x <= 9; ++x) anySet = anySet || board.GetCellState(x, y) == EnneoPuzzle::CELL_SET;
    }
    if (!anySet) return BoardAnswer().Announced(M::kNoDigitToMakeGiven);
    PuzzleCheck check(Game::DigitsAsGivens(board));
    if (!check.MayLoad()) return BoardAnswer().Boxed(BoardAnswer::kError, M::kCaptionMakeGivens, check.GetMessage());
    session.MakeGivens();
    BoardAnswer answer = BoardAnswer::Shown();
    if (check.GetMessage().IsEmpty()) return answer;
    return answer.Boxed(BoardAnswer::kInformation, M::kCaptionMakeGivens, check.GetMessage());
}

BoardAnswer PuzzleIntake::Remembered(BoardAnswer answer, const std::wstring& path) {
    recentFiles_.Put(path);
    answer.menu = true;
    answer.recentFile = path;
    return answer;
}

std::optional<ListPlace> PuzzleIntake::GetListPlace() const {
    if (listPath_.empty() && !pastedList_) return std::nullopt;
    return listPlace_;
}

BoardAnswer PuzzleIntake::Save(const std::wstring& path, FileFormats::Saved type, const PlaySession& session) {
    bool saved = false;
    if (type == FileFormats::kGameFile) {
        std::string text = GameFile::Write(session.GetGame(), session.Play());
        saved = util::SafeSave(ToFilePath(path.c_str()), text.data(), text.size());
    } else {
        // Save prints into the puzzle's own buffer: a copy leaves the game's board untouched.
        EnneoPuzzle board = session.GetBoard();
        saved = board.Save(path.c_str());
    }
    if (!saved) return FileError(M::kSaveFailed);
    return Remembered(BoardAnswer(), path);
}
