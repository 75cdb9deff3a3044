// Tests of printed pages: the layout of grids on paper, and what a print job puts there.
#include "board/print/PrintJob.h"

#include "puzzle/PuzzleRating.h"
#include "puzzle/SolverGrid.h"
#include "tests/puzzle/MessagePrint.h"
#include "tests/puzzle/PuzzleTestGrids.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

// A4 at 600 DPI, the printer printing on all but a quarter inch at each edge.
const PrintLayout::Paper kA4 = {600, 4658, 6716, 150, 150, 150, 150};

using M = Message;
using V = Message::Value;
const V kName = V::Text(L"Enneo Tessary");
const V kDate = V::Text(L"9 December 2026");

bool Inside(const PrintLayout::Box& inner, const PrintLayout::Box& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// Each count of grids per page in its columns and rows, the grids as large as the
// margins allow, with their titles above them, apart and inside the margins; the last
// page's grids keep their size and places; the footer at the bottom.
TEST(PrintLayoutTest, GridsPerPageInTheirArrangementInsideTheMargins) {
    // The margin is 0.6 inch from the paper's edge: 210 dots inside the printable area.
    const PrintLayout::Box content = {210, 210, 4658 - 210, 6716 - 210};
    struct Case {
        int perPage;
        int columns;
        int rows;
    };
    for (Case c : {Case{1, 1, 1}, Case{2, 1, 2}, Case{4, 2, 2}, Case{6, 2, 3}, Case{12, 3, 4}}) {
        SCOPED_TRACE(c.perPage);
        std::vector<PrintLayout::Page> pages = PrintLayout::Pages(kA4, c.perPage + 1, c.perPage, c.perPage > 1, 5);
        ASSERT_EQ(2u, pages.size());
        ASSERT_EQ(static_cast<size_t>(c.perPage), pages[0].grids.size());
        ASSERT_EQ(1u, pages[1].grids.size());
        EXPECT_EQ(5 + c.perPage, pages[1].grids[0].index);
        EXPECT_EQ(pages[0].grids[0].board.GetLeft(), pages[1].grids[0].board.GetLeft());
        std::vector<int> lefts, tops;
        for (const PrintLayout::Grid& grid : pages[0].grids) {
            const BoardGeometry& board = grid.board;
            PrintLayout::Box square = {board.GetLeft(), board.GetTop(), board.GetLeft() + board.GetSide(),
                                       board.GetTop() + board.GetSide()};
            EXPECT_TRUE(Inside(square, content));
            EXPECT_TRUE(Inside(grid.title, content));
            EXPECT_EQ(grid.title.bottom, board.GetTop());
            EXPECT_EQ(pages[0].grids[0].board.GetSide(), board.GetSide());
            EXPECT_LT(square.bottom, pages[0].footer.top);
            if (std::find(lefts.begin(), lefts.end(), board.GetLeft()) == lefts.end()) lefts.push_back(board.GetLeft());
            if (std::find(tops.begin(), tops.end(), board.GetTop()) == tops.end()) tops.push_back(board.GetTop());
        }
        EXPECT_EQ(static_cast<size_t>(c.columns), lefts.size());
        EXPECT_EQ(static_cast<size_t>(c.rows), tops.size());
        EXPECT_EQ(content.bottom, pages[0].footer.bottom);
        EXPECT_TRUE(Inside(pages[0].footer, content));
    }
    // One to a page: the whole width between the margins, in whole cells, untitled, its
    // lines at the printer's DPI; twelve to a page: thinner lines.
    PrintLayout::Grid one = PrintLayout::Pages(kA4, 1, 1, false)[0].grids[0];
    EXPECT_EQ(4230, one.board.GetSide());
    EXPECT_EQ(one.title.top, one.title.bottom);
    EXPECT_EQ(600, one.lineDpi);
    EXPECT_LT(PrintLayout::Pages(kA4, 1, 12, true)[0].grids[0].lineDpi, 400);
    // Landscape: two side by side.
    PrintLayout::Paper landscape = {600, 6716, 4658, 150, 150, 150, 150};
    std::vector<PrintLayout::Grid> two = PrintLayout::Pages(landscape, 2, 2, true)[0].grids;
    EXPECT_EQ(two[0].board.GetTop(), two[1].board.GetTop());
    // A printer whose own edge is wider than the margin: its edge is the margin.
    PrintLayout::Paper wide = {600, 4000, 6000, 500, 500, 500, 500};
    EXPECT_EQ(0, PrintLayout::Pages(wide, 1, 1, false)[0].footer.left);
}

TEST(PrintJobTest, TheBoardsPuzzleAloneWithOrWithoutThePlayersDigits) {
    EnneoPuzzle board = ReadPuzzleLine(kSampleLine);
    EXPECT_FALSE(PrintJob::HasPlayerDigits(board));
    board.SetCell(1, 1, 8, EnneoPuzzle::CELL_SET);
    EXPECT_TRUE(PrintJob::HasPlayerDigits(board));
    for (bool playerDigits : {false, true}) {
        PrintJob job = PrintJob::OfBoard(board, playerDigits, L"Enneo Tessary", L"9 December 2026");
        std::vector<PrintJob::Page> pages = job.Pages(kA4);
        ASSERT_EQ(1u, pages.size());
        ASSERT_EQ(1u, pages[0].titles.size());
        EXPECT_TRUE(pages[0].titles[0].IsEmpty());
        EXPECT_EQ(M(M::kPrintFooterLevel, {kName, V::Level(PuzzleLevel::kMedium), kDate}), pages[0].footer);
        const EnneoPuzzle& printed = job.GetGrid(pages[0].layout.grids[0].index).puzzle;
        EXPECT_EQ(playerDigits ? "8" + std::string(kSampleLine + 1) : kSampleLine, ToPuzzleLine(printed));
    }
    // Digits typed into an empty grid are no givens: no level is known.
    EnneoPuzzle typed;
    typed.SetCell(1, 1, 8, EnneoPuzzle::CELL_SET);
    PrintJob job = PrintJob::OfBoard(typed, true, L"Enneo Tessary", L"9 December 2026");
    EXPECT_FALSE(job.GetLevel());
    EXPECT_EQ(M(M::kPrintFooter, {kName, kDate}), job.Pages(kA4)[0].footer);
}

// Seven hard puzzles four to a page, then their solutions twelve to a page: numbered,
// each with one solution and the level's rating, and solution n solving puzzle n.
// Progress is told with each puzzle's number between its tries and once it is made.
TEST(PrintJobTest, NewPuzzlesNumberedWithTheirLevelAndTheirSolutionsAfterThem) {
    PrintJob::NewPuzzles request;
    request.level = PuzzleLevel::kHard;
    request.count = 7;
    request.perPage = 4;
    request.solutions = true;
    std::vector<int> told;
    std::optional<PrintJob> job = PrintJob::OfNewPuzzles(request, 33, L"Enneo Tessary", L"9 December 2026",
                                                         [&](int made, int count) {
                                                             EXPECT_EQ(7, count);
                                                             told.push_back(made);
                                                             return true;
                                                         });
    ASSERT_TRUE(job);
    EXPECT_TRUE(std::is_sorted(told.begin(), told.end()));
    told.erase(std::unique(told.begin(), told.end()), told.end());
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4, 5, 6, 7}), told);
    std::vector<PrintJob::Page> pages = job->Pages(kA4);
    ASSERT_EQ(3u, pages.size());
    const V hard = V::Level(PuzzleLevel::kHard);
    EXPECT_EQ(M(M::kPrintFooterLevel, {kName, hard, kDate}).Then(M(M::kPrintPageOf, {V::Number(2), V::Number(3)})),
              pages[1].footer);
    EXPECT_EQ(M(M::kPrintPuzzleTitle, {V::Number(5), hard}), pages[1].titles[0]);
    ASSERT_EQ(7u, pages[2].titles.size());
    EXPECT_EQ(M(M::kPrintSolutionTitle, {V::Number(7), hard}), pages[2].titles[6]);
    EXPECT_LT(pages[2].layout.grids[0].board.GetSide(), pages[0].layout.grids[0].board.GetSide());
    for (int i = 0; i < 7; ++i) {
        SCOPED_TRACE(i);
        const EnneoPuzzle& puzzle = job->GetGrid(i).puzzle;
        const EnneoPuzzle& solution = job->GetGrid(pages[2].layout.grids[i].index).puzzle;
        SolverGrid grid(puzzle);
        EXPECT_EQ(1, grid.CountCompletions(2, nullptr));
        EXPECT_EQ(PuzzleLevel::kHard, PuzzleRating(puzzle).GetLevel());
        EXPECT_TRUE(IsValidComplete(solution));
        EXPECT_TRUE(grid.IsPartOf(SolverGrid(solution)));
    }

    // A false answer stops the job, between puzzles or within one; a request out of
    // range makes nothing.
    told.clear();
    auto stopAtThree = [&](int made, int) {
        told.push_back(made);
        return made < 3;
    };
    request.level = PuzzleLevel::kEasy;  // made at the first try: told once each
    EXPECT_FALSE(PrintJob::OfNewPuzzles(request, 33, L"", L"", stopAtThree));
    EXPECT_EQ(3u, told.size());
    told.clear();
    request.level = PuzzleLevel::kExtreme;  // not at the first try with this seed
    EXPECT_FALSE(PrintJob::OfNewPuzzles(request, 33, L"", L"", [&](int made, int) {
        told.push_back(made);
        return false;
    }));
    EXPECT_EQ(std::vector<int>{1}, told);
    told.clear();
    for (auto [count, perPage] : {std::pair{0, 4}, std::pair{101, 4}, std::pair{100, 3}}) {
        request.count = count;
        request.perPage = perPage;
        EXPECT_FALSE(PrintJob::OfNewPuzzles(request, 33, L"", L"", stopAtThree));
    }
    EXPECT_TRUE(told.empty());
}

}  // namespace
