// GameFile: a whole game as plain text: its board, marks, selection and undo history.
#include "GameFile.h"

#include "GridClash.h"
#include "common/util/Crc32.h"

#include <cstdint>
#include <cstdio>
#include <deque>
#include <functional>
#include <utility>
#include <vector>

namespace {

const std::string_view kFirstLinePrefix = "Enneo Tessary game ";
const char kVersion[] = "1.1";
const uint64_t kMajorVersion = 1;
const size_t kHighestDigits = 3;   // of each number in a version
const size_t kElapsedDigits = 15;  // of the milliseconds played: more than 30,000 years
const size_t kMostTokens = 3 + 81;  // of a line: a step's key, two selections and 81 cells

Message TooLarge() { return Message(Message::kGameTooLarge, {Message::Value::Number(GameFile::kMaxBytes >> 20)}); }
Message Damaged(int line) { return Message(Message::kGameDamaged, {Message::Value::Number(line)}); }

GameFile::Reading Refusal(Message message) {
    return {GameFile::Outcome::Refused, std::nullopt, std::move(message), {}};
}

bool BreaksTheRule(const GameState& state) { return GridClash::FirstRepeat(state.puzzle).has_value(); }

// Writing.

char DigitChar(int digit) { return static_cast<char>('0' + digit); }

void AppendSelection(std::string& out, EnneoPuzzle::Cell cell) {
    if (cell.x == 0) {
        out += '-';
        return;
    }
    out += 'r';
    out += DigitChar(cell.y);
    out += 'c';
    out += DigitChar(cell.x);
}

void AppendContent(std::string& out, const GameState::CellContent& content) {
    if (content.state == EnneoPuzzle::CELL_EMPTY) {
        out += '.';
        for (int digit = 1; digit <= 9; ++digit) {
            if (content.marks & (1 << (digit - 1))) out += DigitChar(digit);
        }
        return;
    }
    if (content.state == EnneoPuzzle::CELL_SET) out += '+';
    out += DigitChar(content.digit);
}

std::string StepLine(const char* key, const GameStep& step) {
    std::string line = key;
    line += ' ';
    AppendSelection(line, step.selectionBefore);
    line += ' ';
    AppendSelection(line, step.selectionAfter);
    for (const GameStep::CellChange& change : step.cells) {
        line += ' ';
        AppendSelection(line, {change.x, change.y});
        line += ':';
        AppendContent(line, change.before);
        line += '>';
        AppendContent(line, change.after);
    }
    return line;
}

uint32_t CheckLine(uint32_t check, std::string_view line) { return util::Crc32("\n", util::Crc32(line, check)); }

std::string CheckValueText(uint32_t check) {
    char text[9];
    std::snprintf(text, sizeof(text), "%08x", static_cast<unsigned>(check));
    return text;
}

// The file's text, each part closed by a line with the check value of its lines.
class CheckedText {
public:
    void Add(std::string_view line) {
        check_ = CheckLine(check_, line);
        text_ += line;
        text_ += "\r\n";
    }
    void AddCheck(const char* key) {
        text_ += key;
        text_ += ' ';
        text_ += CheckValueText(check_);
        text_ += "\r\n";
        check_ = 0;
    }
    std::string Take() { return std::move(text_); }

private:
    std::string text_;
    uint32_t check_ = 0;
};

// Reading. Each parse answers false for anything but the exact form the writer makes.

// The text's lines one at a time, numbered from 1, without their line ends.
class LineReader {
public:
    explicit LineReader(std::string_view text) : text_(text) {}

    // False at the end of the text, and for a last line cut short (without its LF):
    // Number() is then the line that is missing or incomplete.
    bool Next(std::string_view& line) {
        ++number_;
        size_t end = text_.find('\n', position_);
        if (end == std::string_view::npos) return false;
        line = text_.substr(position_, end - position_);
        position_ = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        return true;
    }
    bool AtEnd() const { return position_ == text_.size(); }
    int Number() const { return number_; }

private:
    std::string_view text_;
    size_t position_ = 0;
    int number_ = 0;
};

// A line of the file: its key, and what follows it.
struct Line {
    std::string_view key;
    std::string_view rest;  // empty, or a space and the line's tokens
};

bool IsBoardKey(std::string_view key) {
    return key == "row" || key == "selected" || key == "elapsed" || key == "assisted" || key == "board-check";
}
bool IsHistoryKey(std::string_view key) { return key == "done" || key == "undone" || key == "history-check"; }

bool IsKeyCharacter(char c) { return (c >= 'a' && c <= 'z') || c == '-'; }

// False for control characters and an empty or malformed key. Lines of keys this
// reader does not know go no further, so a later version's may hold any other text.
bool ParseLine(std::string_view text, Line& line) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
    }
    line.key = text.substr(0, text.find(' '));
    line.rest = text.substr(line.key.size());
    if (line.key.empty()) return false;
    for (char c : line.key) {
        if (!IsKeyCharacter(c)) return false;
    }
    return true;
}

// The tokens after a known key, separated by single spaces: false for an empty token or
// more than a line of the format holds.
bool SplitTokens(const Line& line, std::vector<std::string_view>& tokens) {
    tokens.clear();
    size_t space = line.rest.empty() ? std::string_view::npos : 0;
    while (space != std::string_view::npos) {
        if (tokens.size() == kMostTokens) return false;
        size_t next = line.rest.find(' ', space + 1);
        std::string_view token = line.rest.substr(space + 1, next == std::string_view::npos ? next : next - space - 1);
        if (token.empty()) return false;
        tokens.push_back(token);
        space = next;
    }
    return true;
}

bool ParseDigit(char c, int& digit) {
    if (c < '1' || c > '9') return false;
    digit = c - '0';
    return true;
}

bool ParseCell(std::string_view text, EnneoPuzzle::Cell& cell) {
    return text.size() == 4 && text[0] == 'r' && text[2] == 'c' && ParseDigit(text[1], cell.y) &&
           ParseDigit(text[3], cell.x);
}

bool ParseSelection(std::string_view text, EnneoPuzzle::Cell& cell) {
    cell = {0, 0};
    return text == "-" || ParseCell(text, cell);
}

bool ParseContent(std::string_view text, GameState::CellContent& content) {
    content = GameState::CellContent();
    int digit = 0;
    if (text.size() == 1 && ParseDigit(text[0], digit)) {
        content.state = EnneoPuzzle::CELL_KNOWN;
    } else if (text.size() == 2 && text[0] == '+' && ParseDigit(text[1], digit)) {
        content.state = EnneoPuzzle::CELL_SET;
    } else if (!text.empty() && text[0] == '.') {
        int previous = 0;
        for (char c : text.substr(1)) {
            if (!ParseDigit(c, digit) || digit <= previous) return false;
            content.marks = static_cast<uint16_t>(content.marks | (1 << (digit - 1)));
            previous = digit;
        }
        return true;
    } else {
        return false;
    }
    content.digit = static_cast<uint8_t>(digit);
    return true;
}

bool ParseCheck(const std::vector<std::string_view>& tokens, uint32_t check) {
    return tokens.size() == 1 && tokens[0] == CheckValueText(check);
}

// "rYcX:before>after", with before and after different.
bool ParseChange(std::string_view text, GameStep::CellChange& change) {
    size_t arrow = text.find('>');
    EnneoPuzzle::Cell cell{0, 0};
    if (text.size() < 5 || text[4] != ':' || arrow == std::string_view::npos || !ParseCell(text.substr(0, 4), cell) ||
        !ParseContent(text.substr(5, arrow - 5), change.before) || !ParseContent(text.substr(arrow + 1), change.after)) {
        return false;
    }
    change.x = static_cast<uint8_t>(cell.x);
    change.y = static_cast<uint8_t>(cell.y);
    return change.before != change.after;
}

// At least one cell, each once, in reading order.
bool ParseStep(const std::vector<std::string_view>& tokens, GameStep& step) {
    if (tokens.size() < 3 || !ParseSelection(tokens[0], step.selectionBefore) ||
        !ParseSelection(tokens[1], step.selectionAfter)) {
        return false;
    }
    int previous = -1;
    for (size_t i = 2; i < tokens.size(); ++i) {
        GameStep::CellChange change{};
        if (!ParseChange(tokens[i], change)) return false;
        int index = (change.y - 1) * 9 + (change.x - 1);
        if (index <= previous) return false;
        previous = index;
        step.cells.push_back(change);
    }
    return true;
}

// A decimal number of one to most digits, without leading zeros: a version's, or the
// milliseconds played.
bool ParseNumber(std::string_view text, size_t most, uint64_t& number) {
    if (text.empty() || text.size() > most || (text.size() > 1 && text[0] == '0')) return false;
    number = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        number = number * 10 + static_cast<uint64_t>(c - '0');
    }
    return true;
}

// "Enneo Tessary game MAJOR.MINOR", into line: nothing when this reader reads that
// version, else the refusal.
std::optional<Message> ReadFirstLine(LineReader& lines, std::string_view& line) {
    if (!lines.Next(line)) return Damaged(lines.Number());
    if (line.substr(0, kFirstLinePrefix.size()) != kFirstLinePrefix) return Message(Message::kNotAGame);
    std::string_view version = line.substr(kFirstLinePrefix.size());
    size_t dot = version.find('.');
    uint64_t major = 0;
    uint64_t minor = 0;
    if (dot == std::string_view::npos || !ParseNumber(version.substr(0, dot), kHighestDigits, major) ||
        !ParseNumber(version.substr(dot + 1), kHighestDigits, minor) || major < kMajorVersion) {
        return Damaged(lines.Number());
    }
    if (major > kMajorVersion) {
        return Message(Message::kGameOfNewerVersion,
                       {Message::Value::Text(std::wstring(version.begin(), version.end()))});
    }
    return std::nullopt;
}

// One part of the file, up to its check line: each line with one of the part's keys
// goes to take, with its tokens; a key of the other part's is a fault, and a line of
// a key neither knows is skipped. 0 when take takes every line and the check value is
// right (Number() is then the check line's), else the number of the first line at
// fault.
using PartKeys = bool (*)(std::string_view key);
using TakeLine = std::function<bool(std::string_view key, const std::vector<std::string_view>& tokens)>;
int ReadPart(LineReader& lines, uint32_t check, PartKeys isOwnKey, PartKeys isOtherKey, std::string_view checkKey,
             const TakeLine& take) {
    std::string_view text;
    Line line;
    std::vector<std::string_view> tokens;
    while (lines.Next(text)) {
        if (!ParseLine(text, line) || isOtherKey(line.key)) return lines.Number();
        bool own = isOwnKey(line.key);
        if (own && !SplitTokens(line, tokens)) return lines.Number();
        if (line.key == checkKey) return ParseCheck(tokens, check) ? 0 : lines.Number();
        check = CheckLine(check, text);
        if (own && !take(line.key, tokens)) return lines.Number();
    }
    return lines.Number();
}

// Row y of the board: nine cells.
bool ReadRow(const std::vector<std::string_view>& tokens, int y, GameState& state) {
    if (tokens.size() != 9) return false;
    for (int x = 1; x <= 9; ++x) {
        GameState::CellContent content;
        if (!ParseContent(tokens[x - 1], content)) return false;
        state.PutContent(x, y, content);
    }
    return true;
}

// The board part after the first line: 0 when it is sound, else the number of the
// first line at fault. Without an "elapsed" line the time is not known, and the game
// counts as assisted.
int ReadBoard(LineReader& lines, uint32_t check, GameState& state, GamePlay& play) {
    int rows = 0;
    bool selected = false;
    bool elapsed = false;
    bool assisted = false;
    auto take = [&](std::string_view key, const std::vector<std::string_view>& tokens) {
        if (key == "row") return rows < 9 && ReadRow(tokens, ++rows, state);
        if (key == "elapsed") {
            elapsed = !elapsed && tokens.size() == 1 && ParseNumber(tokens[0], kElapsedDigits, play.milliseconds);
            return elapsed;
        }
        if (key == "assisted") {
            assisted = !assisted && tokens.empty();
            return assisted;
        }
        EnneoPuzzle::Cell cell;  // "selected"
        if (selected || tokens.size() != 1 || !ParseSelection(tokens[0], cell)) return false;
        state.puzzle.SetSelectedCell(cell.x, cell.y);
        selected = true;
        return true;
    };
    int fault = ReadPart(lines, check, IsBoardKey, IsHistoryKey, "board-check", take);
    play.assisted = assisted || !elapsed;
    return fault == 0 && (rows != 9 || !selected) ? lines.Number() : fault;
}

// The history part, up to its check, which ends the file: 0 when it is well formed and
// passes its check, else the number of the first line at fault. stepLines: the line of
// each step, the undo steps' first.
int ReadHistory(LineReader& lines, std::deque<GameStep>& undo, std::deque<GameStep>& redo,
                std::vector<int>& stepLines) {
    auto take = [&](std::string_view key, const std::vector<std::string_view>& tokens) {
        bool done = key == "done";
        GameStep step;
        if ((done && !redo.empty()) || undo.size() + redo.size() == GameHistory::kDefaultCapacity ||
            !ParseStep(tokens, step)) {
            return false;
        }
        (done ? undo : redo).push_back(std::move(step));
        stepLines.push_back(lines.Number());
        return true;
    };
    int fault = ReadPart(lines, 0, IsHistoryKey, IsBoardKey, "history-check", take);
    return fault == 0 && !lines.AtEnd() ? lines.Number() + 1 : fault;
}

// Takes step back (or again) on state: false when a cell does not hold what the step
// says it held, or when a digit repeats afterwards.
bool Retake(GameState& state, const GameStep& step, bool back) {
    for (const GameStep::CellChange& change : step.cells) {
        if (state.GetContent(change.x, change.y) != (back ? change.after : change.before)) return false;
        state.PutContent(change.x, change.y, back ? change.before : change.after);
    }
    return !BreaksTheRule(state);
}

// 0 when the steps retrace the board, else the line of the first step that does not.
int Retrace(const GameState& board, const std::deque<GameStep>& undo, const std::deque<GameStep>& redo,
            const std::vector<int>& stepLines) {
    GameState state = board;
    for (size_t i = undo.size(); i-- > 0;) {
        if (!Retake(state, undo[i], true)) return stepLines[i];
    }
    state = board;
    for (size_t i = 0; i < redo.size(); ++i) {
        if (!Retake(state, redo[i], false)) return stepLines[undo.size() + i];
    }
    return 0;
}

}  // namespace

std::string GameFile::Write(const Game& game, const GamePlay& play) {
    CheckedText text;
    text.Add(std::string(kFirstLinePrefix) + kVersion);
    const GameState& state = game.GetState();
    for (int y = 1; y <= 9; ++y) {
        std::string row = "row";
        for (int x = 1; x <= 9; ++x) {
            row += ' ';
            AppendContent(row, state.GetContent(x, y));
        }
        text.Add(row);
    }
    std::string selected = "selected ";
    AppendSelection(selected, state.puzzle.GetSelectedCell());
    text.Add(selected);
    text.Add("elapsed " + std::to_string(play.milliseconds));
    if (play.assisted) text.Add("assisted");
    text.AddCheck("board-check");
    for (const GameStep& step : game.GetHistory().GetUndoSteps()) text.Add(StepLine("done", step));
    for (const GameStep& step : game.GetHistory().GetRedoSteps()) text.Add(StepLine("undone", step));
    text.AddCheck("history-check");
    return text.Take();
}

GameFile::Reading GameFile::Read(std::string_view text) {
    if (text.size() > kMaxBytes) return Refusal(TooLarge());
    LineReader lines(text);
    std::string_view firstLine;
    std::optional<Message> refusal = ReadFirstLine(lines, firstLine);
    if (refusal) return Refusal(*refusal);

    GameState board;
    GamePlay play;
    if (int fault = ReadBoard(lines, CheckLine(0, firstLine), board, play)) return Refusal(Damaged(fault));
    if (BreaksTheRule(board)) return Refusal(Message(Message::kGameBreaksRules));

    std::deque<GameStep> undo;
    std::deque<GameStep> redo;
    std::vector<int> stepLines;
    int fault = ReadHistory(lines, undo, redo, stepLines);
    if (fault == 0) fault = Retrace(board, undo, redo, stepLines);
    if (fault != 0) {
        return {Outcome::BoardOnly, Game(board, GameHistory()),
                Message(Message::kHistoryDropped, {Message::Value::Number(fault)}), play};
    }
    return {Outcome::Whole, Game(board, GameHistory(GameHistory::kDefaultCapacity, std::move(undo), std::move(redo))),
            Message(), play};
}

bool GameFile::IsGame(std::string_view text) { return text.substr(0, kFirstLinePrefix.size()) == kFirstLinePrefix; }

GameFile::Reading GameFile::Read(const util::BackedUpFile& file, util::BackedUpFile::Version version) {
    std::string bytes;
    switch (file.Read(version, kMaxBytes, bytes)) {
    case util::BackedUpFile::ReadResult::Read: return Read(bytes);
    case util::BackedUpFile::ReadResult::Missing: return {Outcome::NoFile, std::nullopt, Message(), {}};
    case util::BackedUpFile::ReadResult::TooLarge: return Refusal(TooLarge());
    case util::BackedUpFile::ReadResult::Failed: break;
    }
    return {Outcome::Unreadable, std::nullopt, Message(Message::kGameNotReadable), {}};
}
