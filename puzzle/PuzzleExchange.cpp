// PuzzleExchange: puzzles in and out as text, the way players exchange them.
#include "PuzzleExchange.h"

#include "PuzzleLine.h"

#include <algorithm>
#include <cassert>
#include <fstream>
#include <system_error>

namespace {

const size_t kCells = 81;
const char kUtf8Mark[] = "\xEF\xBB\xBF";

// What a character is in a line of 81 cells and in a picture.
enum class Role : unsigned char { kText, kDigit, kEmpty, kFrame };

struct CharacterRule {
    const char* characters;
    Role inLine;
    Role inPicture;
};

// The one table of the characters that mean something; every other ASCII character is
// text in both. A picture's frame and spacing may not stand for an empty cell in it.
const CharacterRule kRules[] = {
    {"123456789", Role::kDigit, Role::kDigit},
    {".0_xX", Role::kEmpty, Role::kEmpty},
    {"-* ", Role::kEmpty, Role::kFrame},
    {"|+=\t", Role::kText, Role::kFrame},
};

struct RoleTable {
    Role inLine[256];
    Role inPicture[256];
};

RoleTable MakeRoleTable() {
    RoleTable table;
    for (int c = 0; c < 256; ++c) {
        bool frame = c == 0 || c >= 0x80;  // box drawing in any encoding, a no-break space
        table.inLine[c] = Role::kText;
        table.inPicture[c] = frame ? Role::kFrame : Role::kText;
    }
    for (const CharacterRule& rule : kRules) {
        for (const char* c = rule.characters; *c != 0; ++c) {
            table.inLine[static_cast<unsigned char>(*c)] = rule.inLine;
            table.inPicture[static_cast<unsigned char>(*c)] = rule.inPicture;
        }
    }
    return table;
}

const RoleTable& Roles() {
    static const RoleTable table = MakeRoleTable();
    return table;
}

Role InLine(char c) { return Roles().inLine[static_cast<unsigned char>(c)]; }
Role InPicture(char c) { return Roles().inPicture[static_cast<unsigned char>(c)]; }

// Walks the lines of a text; a line ends at LF, CR LF or CR, which the line leaves out.
class Lines {
public:
    explicit Lines(std::string_view text) : text_(text) {}

    bool Next(std::string_view& line) {
        if (next_ >= text_.size()) return false;
        size_t end = text_.find_first_of("\r\n", next_);
        if (end == std::string_view::npos) end = text_.size();
        line = text_.substr(next_, end - next_);
        next_ = end + (text_.compare(end, 2, "\r\n") == 0 ? 2 : 1);
        return true;
    }
    // Where a line returned by Next begins in the text.
    size_t OffsetOf(std::string_view line) const { return static_cast<size_t>(line.data() - text_.data()); }

private:
    std::string_view text_;
    size_t next_ = 0;
};

std::string_view Trimmed(std::string_view line) {
    size_t first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return line.substr(first, line.find_last_not_of(" \t") - first + 1);
}

// Rule 2 for the line as it stands: its cells appended to cells. A blank stands for an
// empty cell only where blankCells says so.
bool ReadCellsAsTheyStand(std::string_view line, bool blankCells, std::string& cells) {
    if (line.size() < kCells) return false;
    std::string read(kCells, '.');
    char empty = 0;
    bool anyDigit = false;
    for (size_t i = 0; i < kCells; ++i) {
        char c = line[i];
        switch (InLine(c)) {
        case Role::kDigit:
            read[i] = c;
            anyDigit = true;
            break;
        case Role::kEmpty:
            if ((empty != 0 && c != empty) || (c == ' ' && !blankCells)) return false;
            empty = c;
            break;
        default:
            return false;
        }
    }
    // A line of nothing but empty cells is a rule or a frame; a blank that stands for
    // empty cells leaves no room for a comment, or a spaced-out grid would be read.
    if (!anyDigit) return false;
    if (empty == ' ' && line.find_first_not_of(' ', kCells) != std::string_view::npos) return false;
    cells += read;
    return true;
}

// Rule 2: a line of 81 cells, its cells appended to cells. Once leading blanks are
// skipped, blanks no longer stand for cells: the cells would be out of place.
bool ReadCellLine(std::string_view line, std::string& cells) {
    if (ReadCellsAsTheyStand(line, true, cells)) return true;
    size_t first = line.find_first_not_of(" \t");
    return first != 0 && first != std::string_view::npos && ReadCellsAsTheyStand(line.substr(first), false, cells);
}

// Rule 1.
bool IsOwnFile(std::string_view text) {
    const std::string_view separator(EnneoPuzzle::kSeparatorLine, EnneoPuzzle::kSeparatorLength);
    std::string ignored;
    Lines lines(text);
    for (std::string_view line; lines.Next(line);) {
        size_t offset = lines.OffsetOf(line);
        if (offset + separator.size() > static_cast<size_t>(EnneoPuzzle::kFileLength)) return false;
        if (text.compare(offset, separator.size(), separator) == 0) return true;
        if (ReadCellLine(line, ignored)) return false;
    }
    return false;
}

// The part of the text that rules 2 and 3 read: a "[Puzzle]" section, else all of it.
std::string_view PuzzleSection(std::string_view text) {
    Lines lines(text);
    std::string_view line;
    bool found = false;
    while (!found && lines.Next(line)) found = Trimmed(line) == "[Puzzle]";
    if (!found) return text;
    size_t begin = lines.OffsetOf(line) + line.size();
    while (lines.Next(line)) {
        if (!line.empty() && line[0] == '[') return text.substr(begin, lines.OffsetOf(line) - begin);
    }
    return text.substr(begin);
}

// Rule 3: the picture's 81 cells appended to cells.
bool ReadPicture(std::string_view text, std::string& cells) {
    std::string rows;
    Lines lines(text);
    for (std::string_view line; lines.Next(line);) {
        char row[9];
        size_t count = 0;
        bool isText = false;
        for (char c : line) {
            Role role = InPicture(c);
            if (role == Role::kText) {
                isText = true;
                break;
            }
            if (role == Role::kFrame) continue;
            if (count < 9) row[count] = role == Role::kDigit ? c : '.';
            ++count;
        }
        if (!isText && count == 0) continue;  // a frame line or a blank one
        if (isText || count != 9) {
            rows.clear();  // the rows so far were not the picture
            continue;
        }
        rows.append(row, 9);
        if (rows.size() == kCells) {
            cells += rows;
            return true;
        }
    }
    return false;
}

// Wide or UTF-16 text as this reader sees it: ASCII kept, every other character 0x80.
char Narrow(unsigned int c) { return c < 0x80 ? static_cast<char>(c) : '\x80'; }

std::string FromUtf16(std::string_view bytes, bool bigEndian) {
    std::string text;
    text.reserve(bytes.size() / 2);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        unsigned int first = static_cast<unsigned char>(bytes[i]);
        unsigned int second = static_cast<unsigned char>(bytes[i + 1]);
        text += Narrow(bigEndian ? first << 8 | second : second << 8 | first);
    }
    return text;
}

}  // namespace

PuzzleExchange::PuzzleExchange(std::string_view bytes, size_t maxBytes) {
    bytes = bytes.substr(0, maxBytes);
    if (bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF") {
        Read(FromUtf16(bytes.substr(2), bytes[0] == '\xFE'));
    } else {
        Read(bytes);
    }
}

PuzzleExchange::PuzzleExchange(std::wstring_view text) {
    text = text.substr(0, kMaxBytes);
    std::string narrow;
    narrow.reserve(text.size());
    for (wchar_t c : text) narrow += Narrow(static_cast<unsigned int>(c));
    Read(narrow);
}

std::optional<PuzzleExchange> PuzzleExchange::FromFile(const std::filesystem::path& path) {
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored)) return std::nullopt;  // opens, never reads
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    // Room for the file as it is now, within the bound; a file that grows meanwhile is
    // read as far as that.
    uintmax_t size = std::filesystem::file_size(path, ignored);
    std::string bytes(ignored ? kMaxBytes : static_cast<size_t>(std::min<uintmax_t>(size, kMaxBytes)), '\0');
    file.read(&bytes[0], static_cast<std::streamsize>(bytes.size()));
    if (file.bad()) return std::nullopt;
    bytes.resize(static_cast<size_t>(file.gcount()));
    return PuzzleExchange(bytes);
}

void PuzzleExchange::Read(std::string_view text) {
    if (IsOwnFile(text)) {
        EnneoPuzzle puzzle;
        puzzle.LoadFromBytes(text.data(), text.size());
        cells_ = ToPuzzleLine(puzzle);
        form_ = kOwnFile;
        return;
    }
    if (text.substr(0, 3) == kUtf8Mark) text.remove_prefix(3);
    text = PuzzleSection(text);
    Lines lines(text);
    for (std::string_view line; lines.Next(line);) {
        ReadCellLine(line, cells_);
    }
    if (!cells_.empty()) {
        form_ = kLines;
    } else if (ReadPicture(text, cells_)) {
        form_ = kPicture;
    }
}

EnneoPuzzle PuzzleExchange::GetPuzzle(size_t index) const {
    assert(index < GetCount());
    return ReadPuzzleLine(cells_.substr(index * kCells, kCells));
}

std::wstring PuzzleExchange::CopyText(const EnneoPuzzle& board, Digits digits) {
    EnneoPuzzle copy = board;
    if (digits == kGivens) copy.Reset();
    std::string line = ToPuzzleLine(copy);
    std::wstring text(line.begin(), line.end());
    text += L"\r\n";
    text += copy.Print();
    return text;
}
