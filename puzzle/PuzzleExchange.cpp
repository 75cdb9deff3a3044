// PuzzleExchange: puzzles in and out as text, the way players exchange them.
#include "PuzzleExchange.h"

#include "PuzzleLine.h"
#include "common/util/RegularFile.h"

#include <algorithm>
#include <cassert>
#include <optional>
#include <vector>

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

// What a line is to a rule that reads nine rows: one of the rows, a line that may stand
// between rows (a frame line, a blank one), or text, which breaks the rows above it.
enum class LineKind { kRow, kBetween, kText };

// The first nine rows in a run, with only lines between them; false when the text holds
// no such run.
template <typename Classify>
bool FindNineRows(std::string_view text, Classify classify, std::string_view (&rows)[9]) {
    size_t count = 0;
    Lines lines(text);
    for (std::string_view line; lines.Next(line);) {
        switch (classify(line)) {
        case LineKind::kRow:
            rows[count++] = line;
            if (count == 9) return true;
            break;
        case LineKind::kBetween: break;
        case LineKind::kText: count = 0; break;  // the rows so far were not the puzzle
        }
    }
    return false;
}

// A line as rule 3 sees it: its cells, '1'-'9' or '.', appended to row; the count of
// cells, or none when the line holds text.
std::optional<size_t> PictureCells(std::string_view line, std::string* row) {
    size_t count = 0;
    for (char c : line) {
        Role role = InPicture(c);
        if (role == Role::kText) return std::nullopt;
        if (role == Role::kFrame) continue;
        if (row != nullptr) *row += role == Role::kDigit ? c : '.';
        ++count;
    }
    return count;
}

// A line of nothing but frame characters and blanks: a rule between rows, or a blank line.
bool IsFrameLine(std::string_view line) { return PictureCells(line, nullptr) == size_t(0); }

// Rule 3: the picture's 81 cells appended to cells.
bool ReadPicture(std::string_view text, std::string& cells) {
    std::string_view rows[9];
    auto classify = [](std::string_view line) {
        std::optional<size_t> count = PictureCells(line, nullptr);
        if (count == size_t(0)) return LineKind::kBetween;
        return count == size_t(9) ? LineKind::kRow : LineKind::kText;
    };
    if (!FindNineRows(text, classify, rows)) return false;
    for (std::string_view row : rows) PictureCells(row, &cells);
    return true;
}

// The characters outside ASCII that the rules below know, as narrow text holds them: a
// no-break space and a middle dot, as UTF-8, or as one byte (Latin-1 and the ANSI code
// pages, and wide text as Narrow leaves it).
const std::string_view kNoBreakSpaces[] = {"\xC2\xA0", "\xA0"};
const std::string_view kMiddleDots[] = {"\xC2\xB7", "\xB7"};

// The length of the character of kinds at the start of text; 0 for none.
template <size_t N>
size_t StartsWithOneOf(std::string_view text, const std::string_view (&kinds)[N]) {
    for (std::string_view kind : kinds) {
        if (text.substr(0, kind.size()) == kind) return kind.size();
    }
    return 0;
}

// A field of rule 4 as a cell: '1'-'9', '.' for an empty one (nothing, blanks, '.',
// '0' or a middle dot), or 0 when the field holds anything else.
char FieldCell(std::string_view field) {
    auto skipBlanks = [&field] {
        for (size_t length = 1; length != 0;) {
            length = field.substr(0, 1) == " " ? 1 : StartsWithOneOf(field, kNoBreakSpaces);
            field.remove_prefix(length);
        }
    };
    skipBlanks();
    char cell = 0;
    if (!field.empty() && InLine(field[0]) == Role::kDigit) {
        cell = field[0];
        field.remove_prefix(1);
    } else if (!field.empty() && (field[0] == '.' || field[0] == '0')) {
        cell = '.';
        field.remove_prefix(1);
    } else if (size_t length = StartsWithOneOf(field, kMiddleDots)) {
        cell = '.';
        field.remove_prefix(length);
    }
    skipBlanks();
    if (!field.empty()) return 0;
    return cell == 0 ? '.' : cell;
}

// Rule 4 for one line: its nine cells, or an empty string when it is no row of fields.
// A tab parts the fields of a copied table (empty ones included); '|' parts them between
// the edges of a drawn row, whose outer bars hold no field; ',' parts comma-separated
// values.
std::string FieldRow(std::string_view line) {
    for (char delimiter : {'\t', '|', ','}) {
        std::string_view fields = line;
        if (delimiter == '|') {
            fields = Trimmed(fields);
            if (fields.substr(0, 1) == "|") fields.remove_prefix(1);
            if (!fields.empty() && fields.back() == '|') fields.remove_suffix(1);
        }
        if (std::count(fields.begin(), fields.end(), delimiter) != 8) continue;
        std::string row;
        for (size_t begin = 0; begin <= fields.size(); ++begin) {
            size_t end = std::min(fields.find(delimiter, begin), fields.size());
            char cell = FieldCell(fields.substr(begin, end - begin));
            if (cell == 0) break;
            row += cell;
            begin = end;
        }
        if (row.size() == 9) return row;
    }
    return {};
}

// Rule 4: nine rows of nine fields, with frame lines and blank lines between them.
bool ReadFieldRows(std::string_view text, std::string& cells) {
    std::string_view rows[9];
    auto classify = [](std::string_view line) {
        if (!FieldRow(line).empty()) return LineKind::kRow;
        return IsFrameLine(line) ? LineKind::kBetween : LineKind::kText;
    };
    if (!FindNineRows(text, classify, rows)) return false;
    for (std::string_view row : rows) cells += FieldRow(row);
    return true;
}

// Rule 5 reads a row drawn this wide at most, in columns.
const size_t kWidestAlignedRow = 80;
// Fewer digits than any puzzle with one solution has: short lines of numbers, not a grid.
const size_t kFewestAlignedDigits = 17;

// A line of rule 5 by its columns: a digit, '.' for a marked empty cell ('.', '0' or a
// middle dot), ' ' for a blank, '|' for a bar; empty when the line holds anything else
// or is too wide.
std::string AlignedColumns(std::string_view line) {
    std::string columns;
    while (!line.empty() && columns.size() <= kWidestAlignedRow) {
        char c = line[0];
        size_t length = StartsWithOneOf(line, kMiddleDots);
        if (length != 0) {
            columns += '.';
        } else if (InLine(c) == Role::kDigit || c == ' ' || c == '|') {
            columns += c;
        } else if (c == '.' || c == '0') {
            columns += '.';
        } else {
            return {};
        }
        line.remove_prefix(length != 0 ? length : 1);
    }
    return columns.size() <= kWidestAlignedRow ? columns : std::string();
}

// Where the nine cells of each row stand: the first cell's column, the columns from
// one cell to the next, and the extra columns between blocks.
struct Layout {
    size_t first;
    size_t pitch;
    size_t blockGap;

    size_t ColumnOf(size_t cell) const { return first + cell * pitch + cell / 3 * blockGap; }
    // The rows' cells as they fall in this layout, or an empty string when a mark falls
    // outside the cells' columns or a bar inside a block.
    std::string Read(const std::vector<std::string>& rows) const {
        std::string cells;
        for (const std::string& row : rows) {
            std::string read(9, '.');
            size_t cell = 0;
            for (size_t column = 0; column < row.size(); ++column) {
                while (cell < 9 && ColumnOf(cell) < column) ++cell;
                bool onCell = cell < 9 && ColumnOf(cell) == column;
                if (row[column] == '|' && (onCell || (cell % 3 != 0 && cell < 9))) return {};
                if (row[column] == '|' || row[column] == ' ') continue;
                if (!onCell) return {};
                read[cell] = row[column];
            }
            cells += read;
        }
        return cells;
    }
};

// Rule 5: nine rows of cells at fixed columns, a blank or a mark in an empty cell, with
// bars between blocks and frame lines between rows. The columns are found from the rows:
// a cell every one to four columns, blocks apart by up to four more, the grid indented
// anywhere. A grid that more than one layout reads differently (its outer columns all
// empty) is not read, nor one of too few digits.
bool ReadAlignedRows(std::string_view text, std::string& cells) {
    std::string_view lines[9];
    auto classify = [](std::string_view line) {
        std::string columns = AlignedColumns(line);
        if (columns.find_first_not_of(" |") != std::string::npos) return LineKind::kRow;
        return IsFrameLine(line) ? LineKind::kBetween : LineKind::kText;
    };
    if (!FindNineRows(text, classify, lines)) return false;
    std::vector<std::string> rows;
    size_t leftmost = kWidestAlignedRow;
    size_t digits = 0;
    for (std::string_view line : lines) {
        rows.push_back(AlignedColumns(line));
        leftmost = std::min(leftmost, rows.back().find_first_not_of(" |"));
        digits += static_cast<size_t>(std::count_if(rows.back().begin(), rows.back().end(),
                                                    [](char c) { return InLine(c) == Role::kDigit; }));
    }
    if (digits < kFewestAlignedDigits) return false;
    std::string read;
    for (size_t pitch = 1; pitch <= 4; ++pitch) {
        for (size_t blockGap = 0; blockGap <= 4; ++blockGap) {
            for (size_t cell = 0; cell < 9; ++cell) {
                Layout layout{0, pitch, blockGap};
                if (layout.ColumnOf(cell) > leftmost) break;
                layout.first = leftmost - layout.ColumnOf(cell);
                std::string grid = layout.Read(rows);
                if (grid.empty()) continue;
                if (!read.empty() && grid != read) return false;  // read two ways
                read = grid;
            }
        }
    }
    cells += read;
    return !read.empty();
}

// The rules after the first, in order: the first that finds a puzzle reads the text.
struct FormRule {
    PuzzleExchange::Form form;
    bool (*read)(std::string_view text, std::string& cells);
};

bool ReadCellLines(std::string_view text, std::string& cells) {
    Lines lines(text);
    for (std::string_view line; lines.Next(line);) ReadCellLine(line, cells);
    return !cells.empty();
}

const FormRule kFormRules[] = {
    {PuzzleExchange::kLines, ReadCellLines},   {PuzzleExchange::kPicture, ReadPicture},
    {PuzzleExchange::kFields, ReadFieldRows},  {PuzzleExchange::kAligned, ReadAlignedRows},
};

// Wide or UTF-16 text as this reader sees it: ASCII kept, a no-break space and a middle
// dot as their Latin-1 bytes, every other character 0x80.
char Narrow(unsigned int c) {
    if (c == 0xA0 || c == 0xB7) return static_cast<char>(c);
    return c < 0x80 ? static_cast<char>(c) : '\x80';
}

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
    std::string bytes;
    if (util::ReadRegularFile(path, kMaxBytes, bytes) != util::RegularRead::Read) return std::nullopt;
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
    for (const FormRule& rule : kFormRules) {
        if (rule.read(text, cells_)) {
            form_ = rule.form;
            return;
        }
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
