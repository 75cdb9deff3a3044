// HtmlGrid: a puzzle's grid in the HTML that a browser puts on the clipboard.
#include "HtmlGrid.h"

#include "PuzzleExchange.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <vector>

namespace {

// The most of a cell's text that is kept: enough for a refusal to quote it.
const size_t kCellTextKept = 16;

// The HTML between the header's StartFragment and EndFragment; all that follows the
// header when they are missing or out of range.
std::string_view Fragment(std::string_view html) {
    auto offset = [html](std::string_view key) -> size_t {
        size_t at = html.find(key);
        size_t markup = html.find('<');
        if (at == std::string_view::npos || at > markup) return std::string_view::npos;
        size_t value = 0;
        size_t digits = 0;
        for (at += key.size(); at < html.size() && std::isdigit(static_cast<unsigned char>(html[at])); ++at) {
            if (++digits > 9) return std::string_view::npos;
            value = value * 10 + static_cast<size_t>(html[at] - '0');
        }
        return digits == 0 ? std::string_view::npos : value;
    };
    size_t begin = offset("StartFragment:");
    size_t end = offset("EndFragment:");
    if (begin <= end && end <= html.size()) return html.substr(begin, end - begin);
    size_t markup = html.find('<');
    return markup == std::string_view::npos ? std::string_view() : html.substr(markup);
}

bool NameIs(std::string_view name, std::string_view lowerCase) {
    return name.size() == lowerCase.size() &&
           std::equal(name.begin(), name.end(), lowerCase.begin(),
                      [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
}

// A cell's text with its entities read: blanks (a no-break space among them) as ' ', a
// middle dot as '\xB7', every other character outside ASCII as '\x80'.
char TextCharacter(uint32_t code) {
    if (code == 0xA0 || code == '\t' || code == '\r' || code == '\n') return ' ';
    if (code == 0xB7) return '\xB7';
    return code < 0x80 ? static_cast<char>(code) : '\x80';
}

// A digit's value, hexadecimal digits included; 16 or more for any other character.
uint32_t DigitValue(char c) {
    if (c >= '0' && c <= '9') return static_cast<uint32_t>(c - '0');
    int lower = std::tolower(static_cast<unsigned char>(c));
    return lower >= 'a' && lower <= 'f' ? static_cast<uint32_t>(lower - 'a' + 10) : 16;
}

// The entity at the start of text ("&nbsp;", "&#183;", "&#xB7;"): its character, and
// its length; an '&' that begins none stands for itself.
char Entity(std::string_view text, size_t& length) {
    struct Named {
        std::string_view name;
        uint32_t code;
    };
    static const Named kNamed[] = {{"&nbsp;", 0xA0}, {"&middot;", 0xB7}, {"&amp;", '&'},
                                   {"&lt;", '<'},    {"&gt;", '>'},      {"&quot;", '"'}};
    for (const Named& named : kNamed) {
        if (text.substr(0, named.name.size()) == named.name) {
            length = named.name.size();
            return TextCharacter(named.code);
        }
    }
    length = 1;
    if (text.substr(0, 2) != "&#") return '&';
    bool hex = text.size() > 2 && (text[2] == 'x' || text[2] == 'X');
    uint32_t base = hex ? 16 : 10;
    size_t at = hex ? 3 : 2;
    uint32_t code = 0;
    size_t digits = 0;
    for (; at < text.size() && digits < 7; ++at, ++digits) {
        uint32_t value = DigitValue(text[at]);
        if (value >= base) break;
        code = code * base + value;
    }
    if (digits == 0 || at >= text.size() || text[at] != ';') return '&';
    length = at + 1;
    return TextCharacter(code);
}

// The tables of a document, cells and tables kept apart and linked by index.
struct Cell {
    std::string text;  // its first kCellTextKept characters, entities read
    bool longer = false;
    std::vector<size_t> tables;
};
struct Table {
    std::vector<std::vector<size_t>> rows;  // cells
    bool rowOpen = false;
};

// Reads the tables of a fragment of HTML, closing what the fragment leaves open: a cell
// or row outside any table opens one (a fragment may begin inside a table).
class TableReader {
public:
    explicit TableReader(std::string_view html) { Read(html); }

    bool TooLarge() const { return tooLarge_; }
    const std::vector<size_t>& Outermost() const { return outermost_; }
    const Table& TableAt(size_t index) const { return tables_[index]; }
    const Cell& CellAt(size_t index) const { return cells_[index]; }

private:
    struct Open {
        bool isTable;
        size_t index;
    };

    void Read(std::string_view html) {
        for (size_t at = 0; at < html.size() && !tooLarge_;) {
            if (html[at] == '<') {
                at = Tag(html, at);
            } else if (html[at] == '&') {
                size_t length = 0;
                AddText(Entity(html.substr(at), length));
                at += length;
            } else if (html.substr(at, 2) == "\xC2\xA0" || html.substr(at, 2) == "\xC2\xB7") {
                AddText(TextCharacter(html[at + 1] == '\xA0' ? 0xA0 : 0xB7));
                at += 2;
            } else {
                AddText(TextCharacter(static_cast<unsigned char>(html[at])));
                ++at;
            }
        }
    }

    // The tag at html[at]; where the text after it begins.
    size_t Tag(std::string_view html, size_t at) {
        if (html.substr(at, 4) == "<!--") return End(html, html.find("-->", at + 4), 3);
        size_t nameBegin = at + 1 + (html.substr(at + 1, 1) == "/" ? 1 : 0);
        size_t nameEnd = nameBegin;
        while (nameEnd < html.size() && std::isalnum(static_cast<unsigned char>(html[nameEnd]))) ++nameEnd;
        if (nameEnd == nameBegin) {  // "<!DOCTYPE", "<?xml", or a '<' of the text
            if (html.substr(at + 1, 1) != "!" && html.substr(at + 1, 1) != "?") {
                AddText('<');
                return at + 1;
            }
            return End(html, html.find('>', at), 1);
        }
        std::string_view name = html.substr(nameBegin, nameEnd - nameBegin);
        size_t after = End(html, html.find('>', nameEnd), 1);
        bool closing = nameBegin == at + 2;
        if (!closing && (NameIs(name, "script") || NameIs(name, "style"))) {
            std::string_view skipped = NameIs(name, "script") ? "script" : "style";
            std::string_view rest = html.substr(after);
            for (size_t close = rest.find("</"); close != std::string_view::npos; close = rest.find("</", close + 2)) {
                if (NameIs(rest.substr(close + 2, skipped.size()), skipped)) {
                    return End(html, html.find('>', after + close), 1);
                }
            }
            return html.size();
        }
        if (NameIs(name, "table")) {
            closing ? CloseTable() : OpenTable();
        } else if (NameIs(name, "tr")) {
            closing ? CloseRow() : OpenRow();
        } else if (NameIs(name, "td") || NameIs(name, "th")) {
            closing ? CloseCell() : OpenCell();
        } else if (!closing && NameIs(name, "input")) {
            // A grid of input fields shows each field's value.
            for (char c : ValueOf(html.substr(nameEnd, after - nameEnd))) AddText(c);
        } else if (!closing && NameIs(name, "img")) {
            AddText('\x80');  // a digit drawn as a picture is no digit read
        }
        return after;
    }

    // The value attribute's text in a tag's attributes, as it stands; empty for none.
    static std::string_view ValueOf(std::string_view attributes) {
        for (size_t at = attributes.find('='); at != std::string_view::npos; at = attributes.find('=', at + 1)) {
            size_t nameEnd = attributes.find_last_not_of(" \t\r\n", at - 1) + 1;
            if (nameEnd < 5 || !NameIs(attributes.substr(nameEnd - 5, 5), "value") ||
                (nameEnd > 5 && std::isalnum(static_cast<unsigned char>(attributes[nameEnd - 6])))) {
                continue;
            }
            size_t begin = attributes.find_first_not_of(" \t\r\n", at + 1);
            if (begin == std::string_view::npos) return {};
            char quote = attributes[begin] == '"' || attributes[begin] == '\'' ? attributes[begin] : 0;
            if (quote != 0) ++begin;
            size_t end = quote != 0 ? attributes.find(quote, begin) : attributes.find_first_of(" \t\r\n/>", begin);
            return attributes.substr(begin, (end == std::string_view::npos ? attributes.size() : end) - begin);
        }
        return {};
    }

    static size_t End(std::string_view html, size_t found, size_t length) {
        return found == std::string_view::npos ? html.size() : found + length;
    }

    void OpenTable() {
        size_t depth = static_cast<size_t>(std::count_if(open_.begin(), open_.end(), [](Open o) { return o.isTable; }));
        if (depth >= HtmlGrid::kDeepestTables) {
            tooLarge_ = true;
            return;
        }
        tables_.emplace_back();
        size_t table = tables_.size() - 1;
        auto cell = std::find_if(open_.rbegin(), open_.rend(), [](Open o) { return !o.isTable; });
        if (cell == open_.rend()) {
            outermost_.push_back(table);
        } else {
            cells_[cell->index].tables.push_back(table);
        }
        open_.push_back({true, table});
    }
    void CloseTable() {
        auto table = std::find_if(open_.rbegin(), open_.rend(), [](Open o) { return o.isTable; });
        if (table != open_.rend()) open_.erase(std::prev(table.base()), open_.end());
    }
    // The innermost open table, its open cell closed; a new one when none is open.
    Table& CurrentTable() {
        while (!open_.empty() && !open_.back().isTable) open_.pop_back();
        if (open_.empty()) OpenTable();
        return tables_[open_.back().index];
    }
    void OpenRow() {
        Table& table = CurrentTable();
        table.rows.emplace_back();
        table.rowOpen = true;
    }
    void CloseRow() {
        if (open_.empty()) return;
        CurrentTable().rowOpen = false;
    }
    void OpenCell() {
        if (cells_.size() >= HtmlGrid::kMostCells) {
            tooLarge_ = true;
            return;
        }
        Table& table = CurrentTable();
        if (!table.rowOpen) OpenRow();
        cells_.emplace_back();
        tables_[open_.back().index].rows.back().push_back(cells_.size() - 1);
        open_.push_back({false, cells_.size() - 1});
    }
    void CloseCell() {
        if (!open_.empty() && !open_.back().isTable) open_.pop_back();
    }
    void AddText(char c) {
        if (open_.empty() || open_.back().isTable) return;
        Cell& cell = cells_[open_.back().index];
        if (c == ' ' && (cell.text.empty() || cell.text.back() == ' ')) return;  // blanks as one
        if (cell.text.size() < kCellTextKept) {
            cell.text += c;
        } else {
            cell.longer = true;
        }
    }

    std::vector<Table> tables_;
    std::vector<Cell> cells_;
    std::vector<size_t> outermost_;
    std::vector<Open> open_;
    bool tooLarge_ = false;
};

// A cell's text as a grid cell: '1'-'9', '.' for an empty one, or 0 for neither.
char GridCell(const Cell& cell) {
    std::string text = cell.text;
    while (!text.empty() && text.back() == ' ') text.pop_back();
    if (!cell.tables.empty() || cell.longer || text.size() > 1) return 0;
    if (text.empty() || text == "." || text == "0" || text == "\xB7") return '.';
    return text[0] >= '1' && text[0] <= '9' ? text[0] : 0;
}

// The cell's text as a refusal quotes it, each character outside ASCII as U+FFFD.
std::wstring Quoted(const Cell& cell) {
    std::wstring quoted;
    for (char c : cell.text) quoted += c == '\xB7'                               ? L'\u00B7'
                  : static_cast<unsigned char>(c) >= 0x80 ? L'\uFFFD'
                                                           : static_cast<wchar_t>(c);
    while (!quoted.empty() && quoted.back() == L' ') quoted.pop_back();
    if (cell.longer) quoted += L"\u2026";
    return quoted;
}

// Whether a table is rows × columns, each cell as its own.
bool HasShape(const Table& table, size_t rows, size_t columns) {
    return table.rows.size() == rows &&
           std::all_of(table.rows.begin(), table.rows.end(), [columns](const auto& row) { return row.size() == columns; });
}

// Finds the grid in the document's tables.
class GridSearch {
public:
    explicit GridSearch(const TableReader& reader) : reader_(reader) {}

    // The first table, depth first in document order, that is a grid: its 81 cells.
    std::string Find(Message& refusal) {
        for (size_t table : reader_.Outermost()) {
            if (Search(table)) return cells_;
        }
        refusal = badCell_.IsEmpty() ? shape_ : badCell_;
        return {};
    }

private:
    bool Search(size_t index) {
        if (IsGrid(index)) return true;
        const Table& table = reader_.TableAt(index);
        for (const auto& row : table.rows) {
            for (size_t cell : row) {
                for (size_t inner : reader_.CellAt(cell).tables) {
                    if (Search(inner)) return true;
                }
            }
        }
        return false;
    }

    // The grid cell at row and column of the grid (from 0), the table cell of which is
    // given; false, with the refusal noted, when it is neither a digit nor empty.
    bool Take(size_t cellIndex, size_t row, size_t column, std::string& grid) {
        const Cell& cell = reader_.CellAt(cellIndex);
        char read = GridCell(cell);
        if (read != 0) {
            grid[row * 9 + column] = read;
            return true;
        }
        if (badCell_.IsEmpty()) {
            badCell_ = Message(Message::kTableCellNotDigit,
                               {Message::Value::Number(static_cast<int64_t>(row + 1)),
                                Message::Value::Number(static_cast<int64_t>(column + 1)), Message::Value::Text(Quoted(cell))});
        }
        return false;
    }

    bool IsGrid(size_t index) {
        const Table& table = reader_.TableAt(index);
        std::string grid(81, '.');
        if (HasShape(table, 9, 9)) {
            for (size_t row = 0; row < 9; ++row) {
                for (size_t column = 0; column < 9; ++column) {
                    if (!Take(table.rows[row][column], row, column, grid)) return false;
                }
            }
            cells_ = grid;
            return true;
        }
        if (IsBlocks(table)) {
            for (size_t block = 0; block < 9; ++block) {
                const Cell& outer = reader_.CellAt(table.rows[block / 3][block % 3]);
                const Table& inner = reader_.TableAt(outer.tables[0]);
                for (size_t cell = 0; cell < 9; ++cell) {
                    size_t row = block / 3 * 3 + cell / 3;
                    size_t column = block % 3 * 3 + cell % 3;
                    if (!Take(inner.rows[cell / 3][cell % 3], row, column, grid)) return false;
                }
            }
            cells_ = grid;
            return true;
        }
        if (shape_.IsEmpty()) {
            size_t cells = 0;
            for (const auto& row : table.rows) cells += row.size();
            shape_ = Message(Message::kTableNotGrid, {Message::Value::Number(static_cast<int64_t>(table.rows.size())),
                                                      Message::Value::Number(static_cast<int64_t>(cells))});
        }
        return false;
    }

    // Three rows of three cells, each holding one table of three rows of three cells and
    // no text of its own.
    bool IsBlocks(const Table& table) const {
        if (!HasShape(table, 3, 3)) return false;
        for (const auto& row : table.rows) {
            for (size_t cell : row) {
                const Cell& outer = reader_.CellAt(cell);
                bool blank = outer.text.find_first_not_of(' ') == std::string::npos;
                if (outer.tables.size() != 1 || !blank || !HasShape(reader_.TableAt(outer.tables[0]), 3, 3)) {
                    return false;
                }
            }
        }
        return true;
    }

    const TableReader& reader_;
    std::string cells_;
    Message shape_;    // of the first table that is no grid
    Message badCell_;  // of the first grid-shaped table with a cell that is no grid cell
};

}  // namespace

HtmlGrid::HtmlGrid(std::string_view html) {
    TableReader reader(Fragment(html.substr(0, PuzzleExchange::kMaxBytes)));
    if (reader.TooLarge()) {
        refusal_ = Message(Message::kTableTooLarge);
        return;
    }
    cells_ = GridSearch(reader).Find(refusal_);
}
