// Words: every message of the board and the puzzle engine in the player's sentences.
#include "Words.h"

#include "languages/Language.h"

#include <algorithm>
#include <string>

namespace {

using M = Message;

// A message's text: the text of the same name in the catalogues, which hold the
// group "message" in the order of the identifiers (checked here name by name).
constexpr TextId TextOf(M::Id id) { return static_cast<TextId>(static_cast<int>(TextId::kCaptionFileError) + id - 1); }
#define ENNEO_CHECK_MESSAGE_TEXT(name) static_assert(TextOf(M::name) == TextId::name, "the catalogue's order");
ENNEO_MESSAGE_TEXTS(ENNEO_CHECK_MESSAGE_TEXT)
#undef ENNEO_CHECK_MESSAGE_TEXT
static_assert(TextOf(static_cast<M::Id>(M::kIdCount - 1)) == TextId::kDigitPadPencilMode, "a text for every message");

std::wstring Text(M::Id id) { return id == M::kNone ? std::wstring() : Language::Text(TextOf(id)); }

std::wstring DigitList(int mask) {
    std::wstring text;
    for (int digit = 1; digit <= 9; ++digit) {
        if ((mask & (1 << (digit - 1))) == 0) continue;
        mask &= ~(1 << (digit - 1));
        if (!text.empty()) text += Text(mask == 0 ? M::kListLastSeparator : M::kListSeparator);
        text += std::to_wstring(digit);
    }
    return text;
}

std::wstring DigitRun(int mask) {
    std::wstring text;
    for (int digit = 1; digit <= 9; ++digit) {
        if ((mask & (1 << (digit - 1))) == 0) continue;
        if (!text.empty()) text += L' ';
        text += std::to_wstring(digit);
    }
    return text;
}

std::wstring TimeText(uint64_t seconds) {
    std::wstring ss = std::to_wstring(seconds % 60);
    return std::to_wstring(seconds / 60) + L':' + (ss.size() < 2 ? L"0" : L"") + ss;
}

std::wstring Format(const Message& message);

// Items joined as a list: "a, b and c".
std::wstring ListOf(const std::vector<std::wstring>& items, M::Id separator = M::kListSeparator) {
    std::wstring text;
    for (size_t i = 0; i < items.size(); ++i) {
        if (i > 0) text += Text(i + 1 == items.size() && separator == M::kListSeparator ? M::kListLastSeparator : separator);
        text += items[i];
    }
    return text;
}

std::wstring CellPlace(int cell) {
    return Format(M(M::kCellPlace, {M::Value::Number(cell / 9 + 1), M::Value::Number(cell % 9 + 1)}));
}

// Candidates (cell * 16 + digit) grouped by cell, each cell with its digits ("row 3,
// column 1 (2 and 7)"), or by digit, each digit with its cells ("2 from row 3, column 2
// and row 3, column 8"); cells in reading order, digits ascending.
std::wstring CandidateGroups(std::vector<int> items, bool byCell) {
    auto keyOf = [byCell](int item) { return byCell ? item / 16 : item % 16; };
    std::stable_sort(items.begin(), items.end(), [&](int a, int b) { return keyOf(a) < keyOf(b); });
    std::vector<std::wstring> groups;
    for (size_t first = 0, end = 0; first < items.size(); first = end) {
        int key = keyOf(items[first]), digits = 0;
        std::vector<std::wstring> cells;
        for (end = first; end < items.size() && keyOf(items[end]) == key; ++end) {
            digits |= 1 << (items[end] % 16 - 1);
            cells.push_back(CellPlace(items[end] / 16));
        }
        groups.push_back(byCell ? Format(M(M::kCellWithDigits, {M::Value::Text(CellPlace(key)), M::Value::Digits(digits)}))
                                : Format(M(M::kDigitFromCells, {M::Value::Number(key), M::Value::Text(ListOf(cells))})));
    }
    return ListOf(groups, byCell ? M::kListSeparator : M::kGroupSeparator);
}

std::wstring ValueText(const M::Value& value) {
    switch (value.kind) {
    case M::Value::kNumber: return std::to_wstring(value.number);
    case M::Value::kText: return value.text;
    case M::Value::kTime: return TimeText(static_cast<uint64_t>(value.number));
    case M::Value::kLevel: return Text(static_cast<M::Id>(M::kLevelEasy + value.number));
    case M::Value::kRating:
        return std::to_wstring(value.number / 10) + Language::Text(TextId::kDecimalSeparator) + std::to_wstring(value.number % 10);
    case M::Value::kUnit: {
        int kind = static_cast<int>(value.number / 9), index = static_cast<int>(value.number % 9);
        if (kind == GridUnit::kBlock) return Text(static_cast<M::Id>(M::kTopLeftBlock + index));
        return Format(M(kind == GridUnit::kRow ? M::kRow : M::kColumn, {M::Value::Number(index + 1)}));
    }
    case M::Value::kCountWord: return Text(static_cast<M::Id>(M::kTwo + value.number - 2));
    case M::Value::kDigits: return DigitList(static_cast<int>(value.number));
    case M::Value::kDigitRun: return DigitRun(static_cast<int>(value.number));
    case M::Value::kTechnique: return Text(M::NameOf(static_cast<Technique>(value.number)));
    case M::Value::kCandidatesByCell: return CandidateGroups(value.items, true);
    case M::Value::kCandidatesByDigit: return CandidateGroups(value.items, false);
    }
    return L"";
}

// The message's own sentence, its values in their places; where a value decides the
// form, the form of the language for it.
std::wstring Format(const Message& message) {
    if (message.id == M::kNone) return std::wstring();
    TextId id = TextOf(message.id);
    size_t place = static_cast<size_t>(Language::PluralPlace(id));
    std::wstring text = place > 0 && place <= message.values.size() ? Language::Text(id, message.values[place - 1].number)
                                                                   : Language::Text(id);
    std::vector<std::wstring> values;
    for (const M::Value& value : message.values) values.push_back(ValueText(value));
    return Language::Fill(text, values);
}

const wchar_t* JoinText(M::Join join) {
    switch (join) {
    case M::kLine: return L"\n";
    case M::kParagraph: return L"\n\n";
    default: return L" ";
    }
}

bool Holds(const std::vector<EnneoPuzzle::Cell>& cells, EnneoPuzzle::Cell cell) {
    return std::any_of(cells.begin(), cells.end(), [&](EnneoPuzzle::Cell c) { return c.x == cell.x && c.y == cell.y; });
}

}  // namespace

String Words::Say(const Message& message) {
    std::wstring said = Format(message);
    for (const Message& next : message.more) said += JoinText(next.join) + Format(next);
    return String(said.c_str());
}

std::wstring Words::FileFilter(const std::vector<FileFormats::Type>& types) {
    std::wstring filter;
    for (const FileFormats::Type& type : types) {
        filter += Text(type.name) + L'\0';
        filter += type.patterns + L'\0';
    }
    return filter;
}

String Words::CellName(const GameState& state, const BoardView& view, EnneoPuzzle::Cell cell) {
    const EnneoPuzzle& board = state.puzzle;
    std::vector<M::Value> place = {M::Value::Number(cell.y), M::Value::Number(cell.x)};
    if (view.paused) return Say(M(M::kCellHidden, place));
    int cellState = board.GetCellState(cell.x, cell.y);
    if (cellState != EnneoPuzzle::CELL_EMPTY) {
        place.push_back(M::Value::Number(board.GetCell(cell.x, cell.y)));
        std::wstring name = Format(M(M::kCellDigit, place));
        if (cellState == EnneoPuzzle::CELL_KNOWN) name += Text(M::kCellGiven);
        if (Holds(view.misfits, cell)) name += Text(M::kCellDoesNotFit);
        return String(name.c_str());
    }
    std::wstring name = Format(M(M::kCellEmpty, place));
    if (Holds(view.hinted, cell)) name += Text(M::kCellHinted);
    int marks = state.marks.Get(cell.x, cell.y);
    if (marks != 0) {
        name += Format(M(M::kCellMarks, {M::Value::DigitRun(marks)}));
    } else if (view.showHints) {
        int candidates = board.GetCandidatesMask(cell.x, cell.y);
        name += candidates == 0 ? Text(M::kCellNoCandidates)
                                : Format(M(M::kCellCandidates, {M::Value::DigitRun(candidates)}));
    }
    return String(name.c_str());
}
