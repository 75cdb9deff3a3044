// Tests of the grid read from a web page's HTML on the clipboard: its tables' shapes, the
// cells' text, the clipboard's header, and the bounds.
#include "puzzle/HtmlGrid.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

using M = Message;
using V = Message::Value;

const std::string kSample =
    ".973.5.4." ".....6..." "..298...." "...6....5" ".28.....3"
    "64.7...8." ".....3867" "........." "7.5.....4";

// The clipboard's "HTML Format" of fragment: the header of byte offsets, then the page.
std::string ClipboardHtml(const std::string& fragment) {
    const std::string before = "<html><body><!--StartFragment-->";
    const std::string after = "<!--EndFragment--></body></html>";
    char header[160];
    const int headerLength = 97;  // the header below, its numbers eight digits wide
    std::snprintf(header, sizeof header,
                  "Version:0.9\r\nStartHTML:%08d\r\nEndHTML:%08d\r\nStartFragment:%08d\r\nEndFragment:%08d\r\n",
                  headerLength, static_cast<int>(headerLength + before.size() + fragment.size() + after.size()),
                  static_cast<int>(headerLength + before.size()),
                  static_cast<int>(headerLength + before.size() + fragment.size()));
    EXPECT_EQ(static_cast<size_t>(headerLength), std::string(header).size());
    return header + before + fragment + after;
}

// The cells of rows × columns from 81 cells of a grid, each drawn by cell(row, column).
template <typename Cell>
std::string Rows(size_t rows, size_t columns, Cell cell) {
    std::string html;
    for (size_t row = 0; row < rows; ++row) {
        html += "<tr>";
        for (size_t column = 0; column < columns; ++column) html += cell(row, column);
        html += "</tr>\n";
    }
    return html;
}

// The grid as one table, each cell's content drawn by content(digit or '.').
template <typename Content>
std::string NineByNine(const std::string& grid, Content content) {
    return "<table class=\"grid\"><tbody>" +
           Rows(9, 9, [&](size_t row, size_t column) { return "<td>" + content(grid[row * 9 + column]) + "</td>"; }) +
           "</tbody></table>";
}

std::string Plain(char cell) { return cell == '.' ? std::string() : std::string{cell}; }

// The grid as three rows of three blocks, each block a table of its own.
std::string Blocks(const std::string& grid) {
    return "<table>" + Rows(3, 3, [&](size_t bandRow, size_t bandColumn) {
               return "<td><table>" + Rows(3, 3, [&](size_t row, size_t column) {
                          return "<td>" + Plain(grid[(bandRow * 3 + row) * 9 + bandColumn * 3 + column]) + "</td>";
                      }) + "</table></td>";
           }) + "</table>";
}

struct GridCase {
    const char* name;
    std::string html;
    std::string cells;
    Message refusal;
};

TEST(HtmlGridTest, ReadsTheFirstTableThatIsAGrid) {
    const std::string styled = NineByNine(kSample, [](char cell) {
        return cell == '.' ? std::string("&nbsp;") : "<span class=\"given\"><b>" + std::string{cell} + "</b></span>";
    });
    const std::string marked = NineByNine(kSample, [](char cell) {
        return cell == '.' ? std::string(" &middot; ") : "\n " + std::string{cell} + " ";
    });
    const std::string rowsOnly = Rows(9, 9, [](size_t row, size_t column) {
        return "<td>" + Plain(kSample[row * 9 + column]) + "</td>";
    });
    const std::string unrelated = "<table><tr><th>Level</th><th>Time</th><th>Rating</th></tr>"
                                  "<tr><td>Hard</td><td>12:03</td><td>4.1</td></tr></table>";
    const std::string fields = NineByNine(kSample, [](char cell) {
        return "<input type=\"text\" maxlength=1 value=" + (cell == '.' ? std::string("\"\"") : std::string{cell}) + ">";
    });
    std::string pictured = NineByNine(kSample, Plain);
    pictured.replace(pictured.find("<td></td>"), 9, "<td><img src=\"5.png\"></td>");
    std::string pencilled = NineByNine(kSample, Plain);
    pencilled.replace(pencilled.find("<td></td>"), 9, "<td>1 2</td>");
    std::string eightRows = NineByNine(kSample, Plain);
    eightRows.erase(eightRows.rfind("<tr>"), eightRows.rfind("</tbody>") - eightRows.rfind("<tr>"));
    const GridCase cases[] = {
        {"one table, styled cells and &nbsp;", ClipboardHtml(styled), kSample, {}},
        {"one table, middle dots and line breaks", ClipboardHtml(marked), kSample, {}},
        {"a fragment of rows whose table stands before it", ClipboardHtml(rowsOnly), kSample, {}},
        {"blocks in a table of blocks", ClipboardHtml(Blocks(kSample)), kSample, {}},
        {"within a page's layout table, after another table",
         ClipboardHtml("<table><tr><td>" + unrelated + "</td><td><div>" + styled + "</div></td></tr></table>"),
         kSample, {}},
        {"input fields", ClipboardHtml(fields), kSample, {}},
        {"a digit drawn as a picture", ClipboardHtml(pictured), "",
         M(M::kTableCellNotDigit, {V::Number(1), V::Number(1), V::Text(L"\uFFFD")})},
        {"a script's text is no cell", ClipboardHtml("<script>var s = '<td>5</td>';</script>" + styled), kSample, {}},
        {"offsets past the end: the whole page", std::string("Version:0.9\r\nStartFragment:99999\r\n") + styled,
         kSample, {}},
        {"unrelated table", ClipboardHtml("<p>Scores</p>" + unrelated), "",
         M(M::kTableNotGrid, {V::Number(2), V::Number(6)})},
        {"pencil marks in a cell", ClipboardHtml(pencilled), "",
         M(M::kTableCellNotDigit, {V::Number(1), V::Number(1), V::Text(L"1 2")})},
        {"a cell of a block", ClipboardHtml(Blocks(kSample).replace(Blocks(kSample).find("<td>9"), 5, "<td>x")), "",
         M(M::kTableCellNotDigit, {V::Number(1), V::Number(2), V::Text(L"x")})},
        {"eight rows", ClipboardHtml(eightRows), "", M(M::kTableNotGrid, {V::Number(8), V::Number(72)})},
        {"no table", ClipboardHtml("<p>" + kSample + "</p>"), "", {}},
        {"nothing", "", "", {}},
    };
    for (const GridCase& c : cases) {
        SCOPED_TRACE(c.name);
        HtmlGrid grid(c.html);
        EXPECT_EQ(c.cells, grid.GetCells());
        EXPECT_EQ(c.refusal, grid.GetRefusal());
    }
}

// The clipboard is any program's: what is out of bounds is refused as a whole, and
// broken HTML reads without a fault.
TEST(HtmlGridTest, RefusesWhatIsOutOfBoundsAndReadsBrokenHtml) {
    std::string deep;
    for (size_t depth = 0; depth <= HtmlGrid::kDeepestTables; ++depth) deep += "<table><tr><td>";
    EXPECT_EQ(Message(M::kTableTooLarge), HtmlGrid(ClipboardHtml(deep)).GetRefusal());
    std::string many = "<table><tr>";
    for (size_t cell = 0; cell <= HtmlGrid::kMostCells; ++cell) many += "<td>";
    EXPECT_EQ(Message(M::kTableTooLarge), HtmlGrid(ClipboardHtml(many)).GetRefusal());

    const std::string grid = NineByNine(kSample, Plain);
    for (size_t cut = 0; cut < grid.size(); cut += 7) {
        HtmlGrid broken(ClipboardHtml(grid.substr(0, cut)));
        EXPECT_TRUE(broken.GetCells().empty() || cut >= grid.rfind("<td>"));
    }
    const std::string odd[] = {"<", "<td", "&#", "&#x;", "&#99999999999;", "<!--", "<script>", "</table></tr><td>",
                               "<td>&#55;</td>"};
    for (const std::string& html : odd) {
        SCOPED_TRACE(html);
        HtmlGrid read(ClipboardHtml(html));
        EXPECT_TRUE(read.GetCells().empty());
    }
}

}  // namespace
