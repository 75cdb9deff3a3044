// Tests of the technique ladder: each technique on positions built for it, the order of the
// ladder, and the soundness of every step on generated puzzles.
#include "puzzle/TechniqueFinder.h"

#include "PuzzleTestGrids.h"
#include "SeededTest.h"
#include "puzzle/PuzzleGenerator.h"
#include "puzzle/PuzzleLine.h"
#include "puzzle/SolverGrid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// The positions agree with the pattern grid: row y, column x holds PatternDigit(x, y).
// Each starts from the candidates of its givens (none unless a line is given); marks then
// change the candidates of cells as a player's pencil marks would.
struct Mark {
    const char* cells;   // "r23c123": rows 2 and 3, columns 1 to 3
    const char* change;  // "-14" removes digits 1 and 4, "=14" leaves them alone
};

// The cells of a product "r<rows>c<columns>".
std::vector<EnneoPuzzle::Cell> CellsOf(const std::string& product) {
    size_t c = product.find('c');
    std::vector<EnneoPuzzle::Cell> cells;
    for (size_t r = 1; r < c; ++r) {
        for (size_t x = c + 1; x < product.size(); ++x) cells.push_back({product[x] - '0', product[r] - '0'});
    }
    return cells;
}

int MaskOf(const std::string& digits) {
    int mask = 0;
    for (char digit : digits) mask |= 1 << (digit - '1');
    return mask;
}

std::string ItemText(const TechniqueStep::Candidate& candidate, const char* op) {
    return "r" + std::to_string(candidate.cell.y) + "c" + std::to_string(candidate.cell.x) + op +
           std::to_string(candidate.digit);
}

// Items "r1c2<>1" of space-separated products "r1c235<>14" (op "<>", "=" or "~"),
// sorted.
std::vector<std::string> Expand(const std::string& products, const char* op) {
    std::vector<std::string> items;
    size_t start = 0;
    while (start < products.size()) {
        size_t end = std::min(products.find(' ', start), products.size());
        std::string product = products.substr(start, end - start);
        size_t at = product.find(op);
        for (EnneoPuzzle::Cell cell : CellsOf(product.substr(0, at))) {
            for (char digit : product.substr(at + std::string(op).size()))
                items.push_back(ItemText({cell, digit - '0'}, op));
        }
        start = end + 1;
    }
    std::sort(items.begin(), items.end());
    return items;
}

std::vector<std::string> Items(const std::vector<TechniqueStep::Candidate>& candidates, const char* op) {
    std::vector<std::string> items;
    for (const TechniqueStep::Candidate& candidate : candidates) items.push_back(ItemText(candidate, op));
    std::sort(items.begin(), items.end());
    return items;
}

// Placements "r1c2=3" and eliminations "r1c2<>3" of a step, sorted.
std::vector<std::string> ResultOf(const TechniqueStep& step) {
    std::vector<std::string> result = Items(step.placements, "=");
    std::vector<std::string> eliminations = Items(step.eliminations, "<>");
    result.insert(result.end(), eliminations.begin(), eliminations.end());
    std::sort(result.begin(), result.end());
    return result;
}

// The same from space-separated products with "=" or "<>".
std::vector<std::string> ExpandResult(const std::string& products) {
    std::vector<std::string> result;
    size_t start = 0;
    while (start < products.size()) {
        size_t end = std::min(products.find(' ', start), products.size());
        std::string product = products.substr(start, end - start);
        std::vector<std::string> items = Expand(product, product.find("<>") != std::string::npos ? "<>" : "=");
        result.insert(result.end(), items.begin(), items.end());
        start = end + 1;
    }
    std::sort(result.begin(), result.end());
    return result;
}

// "row1 column6 block1", numbered from 1.
std::string UnitsText(const std::vector<GridUnit>& units) {
    const char* kinds[] = {"row", "column", "block"};
    std::string text;
    for (const GridUnit& unit : units)
        text += (text.empty() ? "" : " ") + std::string(kinds[unit.kind]) + std::to_string(unit.index + 1);
    return text;
}

CandidateGrid PositionOf(const std::string& givens, const std::vector<Mark>& marks) {
    EnneoPuzzle puzzle = PuzzleFromLine(givens.empty() ? std::string(81, '.') : givens);
    std::array<uint16_t, 81> masks;
    for (int i = 0; i < 81; ++i) masks[i] = static_cast<uint16_t>(CandidateGrid(puzzle).GetCandidates(i));
    for (const Mark& mark : marks) {
        int digits = MaskOf(mark.change + 1);
        for (EnneoPuzzle::Cell cell : CellsOf(mark.cells)) {
            uint16_t& mask = masks[CandidateGrid::CellOf(cell)];
            mask = static_cast<uint16_t>(mark.change[0] == '=' ? digits : mask & ~digits);
        }
    }
    CandidateGrid grid(puzzle, masks);
    for (int i = 0; i < 81; ++i) {
        EnneoPuzzle::Cell cell = CandidateGrid::CellAt(i);
        EXPECT_TRUE(grid.GetDigit(i) == PatternDigit(cell.x, cell.y) ||
                    grid.HasCandidate(i, PatternDigit(cell.x, cell.y)))
            << "position disagrees with the pattern grid at r" << cell.y << "c" << cell.x;
    }
    return grid;
}

// Every placement is the solution's digit, and no elimination removes it.
template <typename Solution>
void ExpectSound(const TechniqueStep& step, Solution solution) {
    for (const TechniqueStep::Candidate& placement : step.placements) {
        EXPECT_EQ(solution(placement.cell), placement.digit) << ItemText(placement, "=");
    }
    for (const TechniqueStep::Candidate& elimination : step.eliminations) {
        EXPECT_NE(solution(elimination.cell), elimination.digit) << ItemText(elimination, "<>");
    }
}

int PatternSolution(EnneoPuzzle::Cell cell) { return PatternDigit(cell.x, cell.y); }

struct TechniqueCase {
    Technique technique;
    std::string givens;
    std::vector<Mark> marks;
    const char* units;
    const char* pattern;  // products with "~"
    const char* result;   // placements with "=", eliminations with "<>"
    double rating = 0;    // when above the technique's
};

// The step is the case's, with its rating, units, pattern and result, and it is sound.
void ExpectStep(const TechniqueCase& c, const std::optional<TechniqueStep>& step) {
    ASSERT_TRUE(step.has_value());
    EXPECT_EQ(c.technique, step->technique);
    EXPECT_EQ(c.rating != 0 ? c.rating : InfoOf(c.technique).rating, step->rating);
    EXPECT_EQ(c.units, UnitsText(step->units));
    EXPECT_EQ(Expand(c.pattern, "~"), Items(step->pattern, "~"));
    EXPECT_EQ(ExpandResult(c.result), ResultOf(*step));
    ExpectSound(*step, PatternSolution);
}

// The step find answers on each position is the case's.
template <typename Find>
void ExpectSteps(const std::vector<TechniqueCase>& cases, Find find) {
    for (const TechniqueCase& c : cases) {
        SCOPED_TRACE(std::to_string(static_cast<int>(c.technique)) + " " + c.pattern);
        ExpectStep(c, find(TechniqueFinder(PositionOf(c.givens, c.marks)), c.technique));
    }
}

void ExpectSimplestSteps(const std::vector<TechniqueCase>& cases) {
    ExpectSteps(cases, [](const TechniqueFinder& finder, Technique) { return finder.FindSimplest(); });
}

TEST(TechniqueFinderTest, FindsSingles) {
    ExpectSimplestSteps({
        {Technique::kFullHouse, "12345678." + std::string(72, '.'), {}, "row1", "r1c9~9", "r1c9=9"},
        {Technique::kHiddenSingleBlock, "", {{"r1c23", "-1"}, {"r23c123", "-1"}}, "block1", "r1c1~1", "r1c1=1"},
        {Technique::kHiddenSingleRow, "", {{"r1c23456789", "-1"}}, "row1", "r1c1~1", "r1c1=1"},
        {Technique::kHiddenSingleColumn, "", {{"r23456789c1", "-1"}}, "column1", "r1c1~1", "r1c1=1"},
        {Technique::kNakedSingle, "", {{"r5c5", "=9"}}, "", "r5c5~9", "r5c5=9"},
    });
}

TEST(TechniqueFinderTest, FindsLockedCandidates) {
    ExpectSimplestSteps({
        {Technique::kPointing, "", {{"r23c123", "-1"}}, "block1 row1", "r1c123~1", "r1c456789<>1"},
        {Technique::kClaiming, "", {{"r1c456789", "-1"}}, "row1 block1", "r1c123~1", "r23c123<>1"},
    });
}

TEST(TechniqueFinderTest, FindsSubsets) {
    ExpectSimplestSteps({
        {Technique::kNakedPair, "", {{"r1c14", "=14"}}, "row1", "r1c14~14", "r1c2356789<>14"},
        {Technique::kHiddenPair, "", {{"r1c2356789", "-14"}}, "row1", "r1c14~14", "r1c14<>2356789"},
        {Technique::kNakedTriple, "", {{"r1c1", "=147"}, {"r1c4", "=14"}, {"r1c7", "=47"}}, "row1",
         "r1c1~147 r1c4~14 r1c7~47", "r1c235689<>147"},
        {Technique::kHiddenTriple, "", {{"r1c235689", "-147"}}, "row1", "r1c147~147", "r1c147<>235689"},
        {Technique::kNakedQuad, "", {{"r1c1", "=14"}, {"r1c4", "=47"}, {"r1c7", "=78"}, {"r1c8", "=18"}}, "row1",
         "r1c1~14 r1c4~47 r1c7~78 r1c8~18", "r1c23569<>1478"},
        {Technique::kHiddenQuad, "", {{"r1c23569", "-1478"}}, "row1", "r1c1478~1478", "r1c1478<>23569"},
    });
}

TEST(TechniqueFinderTest, FindsFish) {
    ExpectSimplestSteps({
        {Technique::kXWing, "", {{"r15c2345789", "-1"}}, "row1 row5 column1 column6", "r15c16~1",
         "r2346789c16<>1"},
        {Technique::kSwordfish, "", {{"r1c2345789", "-1"}, {"r5c1234579", "-1"}, {"r7c2345679", "-1"}},
         "row1 row5 row7 column1 column6 column8", "r1c16~1 r5c68~1 r7c18~1", "r234689c168<>1"},
        // Without r2c4 and r2c6 a finned swordfish of three of the rows would come first.
        {Technique::kJellyfish, "",
         {{"r1c235789", "-1"}, {"r3c123579", "-1"}, {"r5c234579", "-1"}, {"r7c235679", "-1"}, {"r2c46", "-1"}},
         "row1 row3 row5 row7 column1 column4 column6 column8", "r1c146~1 r3c468~1 r5c168~1 r7c148~1",
         "r2c18<>1 r4689c1468<>1"},
        {Technique::kFinnedXWing, "", {{"r1c245789", "-1"}, {"r5c2345789", "-1"}},
         "row1 row5 column1 column6 block1", "r1c136~1 r5c16~1", "r23c1<>1"},
        {Technique::kFinnedSwordfish, "", {{"r1c2345789", "-1"}, {"r5c1234579", "-1"}, {"r7c345679", "-1"}},
         "row1 row5 row7 column1 column6 column8 block7", "r1c16~1 r5c68~1 r7c128~1", "r89c1<>1", 6.7},
    });
    // The jellyfish's rows with a fin at r7c2, which a cheaper finned swordfish of three
    // of them would come before: asked for by name.
    ExpectSteps({{Technique::kFinnedJellyfish, "",
                  {{"r1c235789", "-1"}, {"r3c123579", "-1"}, {"r5c234579", "-1"}, {"r7c35679", "-1"}},
                  "row1 row3 row5 row7 column1 column4 column6 column8 block7",
                  "r1c146~1 r3c468~1 r5c168~1 r7c1248~1", "r89c1<>1", 6.8}},
                [](const TechniqueFinder& finder, Technique technique) { return finder.Find(technique); });
}

TEST(TechniqueFinderTest, FindsSingleDigitChains) {
    ExpectSimplestSteps({
        {Technique::kSkyscraper, "", {{"r1c2345689", "-1"}, {"r9c1345689", "-1"}}, "row1 row9",
         "r1c17~1 r9c27~1", "r23c2<>1 r78c1<>1"},
        {Technique::kTwoStringKite, "", {{"r1c2345679", "-1"}, {"r1346789c7", "-1"}}, "row1 column7",
         "r1c18~1 r25c7~1", "r5c1<>1"},
        {Technique::kSimpleColouring, "", {{"r1c23", "-1"}, {"r2c123", "-1"}, {"r3c13", "-1"},
                                            {"r1245678c2", "-1"}, {"r9c1345689", "-1"}},
         "", "r1c1~1 r3c2~1 r9c27~1", "r1c7<>1"},
    });
}

TEST(TechniqueFinderTest, FindsWings) {
    ExpectSimplestSteps({
        {Technique::kXYWing, "", {{"r5c5", "=49"}, {"r5c1", "=59"}, {"r1c5", "=45"}}, "",
         "r5c5~49 r5c1~59 r1c5~45", "r1c1<>5"},
        {Technique::kXYZWing, "", {{"r5c5", "=459"}, {"r4c4", "=59"}, {"r5c9", "=45"}}, "",
         "r5c5~459 r4c4~59 r5c9~45", "r5c46<>5"},
        {Technique::kWWing, "", {{"r1c1", "=12"}, {"r5c6", "=12"}, {"r2346789c2", "-2"}}, "column2",
         "r1c1~12 r5c6~12 r15c2~2", "r1c6<>1 r5c1<>1", 6.7},
    });
}

// Each chain finder answers its shortest chain, rated by its length: the X-Cycle a loop of
// six (its weak links in blocks 1 and 2 and row 6), the X-Chain one of six past a kite
// whose elimination is gone, the XY-Chain four cells past any XY-Wing, the Nice Loops
// strong links on three digits joined in cells: open, seeing both ends in column 1, and
// closed in row 1, clearing the three cells. Simple Colouring rates as the longest chain
// its eliminations need: r2c6, r8c2 and r9c1 see both colours four cells apart, r2c123
// only six.
TEST(TechniqueFinderTest, FindsTheShortestChains) {
    ExpectSteps(
        {
            {Technique::kXCycle, "", {{"r1c2346789", "-1"}, {"r1245789c4", "-1"}, {"r1345789c3", "-1"}}, "",
             "r1c15~1 r3c4~1 r6c4~1 r6c3~1 r2c3~1", "r23c1256<>1 r6c1256789<>1", 6.6},
            {Technique::kXChain, "", {{"r1c2346789", "-1"}, {"r8c1234678", "-1"}, {"r34569c8", "-1"}, {"r2c5", "-1"}},
             "", "r1c15~1 r8c59~1 r27c8~1", "r2c123<>1", 6.7},
            {Technique::kXYChain, "", {{"r1c1", "=12"}, {"r1c5", "=25"}, {"r5c5", "=59"}, {"r5c6", "=19"}}, "",
             "r1c1~12 r1c5~25 r5c5~59 r5c6~19", "r1c6<>1 r5c1<>1", 6.8},
            {Technique::kNiceLoop, "", {{"r1c2346789", "-1"}, {"r2345689c5", "-5"}, {"r7c2346789", "-7"}}, "",
             "r1c1~1 r1c5~15 r7c5~57 r7c1~7", "r1c1<>7 r7c1<>1", 7.1},
            {Technique::kNiceLoop, "", {{"r1c2346789", "-1"}, {"r1c1234678", "-5"}, {"r1c2345678", "-9"}}, "",
             "r1c1~19 r1c5~15 r1c9~59", "r1c159<>234678", 7.1},
            {Technique::kSimpleColouring, "",
             {{"r1c2346789", "-1"}, {"r2345679c5", "-1"}, {"r7c456", "-1"}, {"r8c46", "-1"}, {"r9c56", "-1"},
              {"r1245678c4", "-1"}, {"r3c1356789", "-1"}},
             "", "r1c15~1 r8c5~1 r39c4~1 r3c2~1", "r2c1236<>1 r8c2<>1 r9c1<>1", 6.7},
        },
        [](const TechniqueFinder& finder, Technique technique) { return finder.Find(technique); });
}

// A chain rates its technique's value up to four candidates and 0.1 more past each bound,
// exactly the value written with one decimal.
TEST(TechniqueFinderTest, ChainsRateByTheirLength) {
    const struct {
        int nodes;
        double rating;
    } cases[] = {{2, 6.6}, {4, 6.6}, {5, 6.7}, {6, 6.7}, {7, 6.8},  {8, 6.8},
                 {9, 6.9}, {12, 6.9}, {13, 7.0}, {16, 7.0}, {17, 7.1}, {24, 7.1}, {25, 7.2}};
    for (const auto& c : cases) EXPECT_EQ(c.rating, ChainRating(Technique::kXChain, c.nodes)) << c.nodes;
    EXPECT_EQ(7.3, ChainRating(Technique::kNiceLoop, 9));
}

// A puzzle solved by the simplest steps up to its first forcing chain, and that step.
struct ChainCase {
    Technique technique;
    const char* puzzle;
    const char* units;
    const char* pattern;
    const char* result;
    double rating;
};

// Every cheaper technique runs out before the chain's first step, which is the shortest
// one, sound, and rated by its length. The static chains' puzzles are the generator's, each
// with one solution; the dynamic ones' are givens of the pattern grid with many solutions,
// where a sound step holds in every one of them.
TEST(TechniqueFinderTest, FindsTheShortestForcingChainOnceNothingCheaperApplies) {
    const ChainCase cases[] = {
        // A contradiction: r9c3=6 empties a cell or a unit.
        {Technique::kForcingChain,
         "9....8....3.49....2...5..9..23..96...6.....5...96..41..1..4...9....71.2....2....7", "", "r9c3~6",
         "r9c3<>6", 7.1},
        // From a cell.
        {Technique::kForcingChain,
         "9..4.58....57....4.8......35.8.6.92.7.......8.39.8.6.53......5.2....37....75.2..1", "", "r9c5~49",
         "r7c2<>4", 7.0},
        // From a unit: either place of 1 in row 7 takes 6 from r5c1.
        {Technique::kForcingChain,
         "......2.1.1...6.9...4.9...537.8.1.....9...8.....9.5.362...5.3...3.6...4.4.8......", "row7",
         "r7c38~1", "r5c1<>6", 7.0},
        // A contradiction through a naked or hidden pair.
        {Technique::kDynamicForcingChain,
         "..34.6.....6....2.....2..5...456....5.789....8..2.45....56.....6..9.....9....5.7.", "", "r3c9~7",
         "r3c9<>7", 8.7},
        // From a cell and from a unit, both shorter through locked candidates.
        {Technique::kDynamicForcingChain,
         ".........45......3........6..4........7891..48..2.4.....5.....2...9..3..9.23.56..", "", "r6c5~3567",
         "r5c8<>5", 8.5},
        {Technique::kDynamicForcingChain,
         "12.....894.......37..1......3..67....6...123........6...5...9.....9....5.1....6..", "row6", "r6c239~7",
         "r6c3<>8", 8.5},
    };
    for (const ChainCase& c : cases) {
        SCOPED_TRACE(c.puzzle);
        EnneoPuzzle puzzle = ReadPuzzleLine(c.puzzle);
        SolverGrid solution(puzzle);
        ASSERT_LE(1, SolverGrid(puzzle).CountCompletions(1, &solution));
        CandidateGrid grid(puzzle);
        std::optional<TechniqueStep> step;
        auto isForcingChain = [](Technique technique) {
            return technique == Technique::kForcingChain || technique == Technique::kDynamicForcingChain;
        };
        while ((step = TechniqueFinder(grid).FindSimplest()) && !isForcingChain(step->technique))
            TechniqueFinder::Apply(*step, grid);
        ASSERT_TRUE(step.has_value());
        EXPECT_EQ(c.technique, step->technique);
        EXPECT_EQ(c.units, UnitsText(step->units));
        EXPECT_EQ(Expand(c.pattern, "~"), Items(step->pattern, "~"));
        EXPECT_EQ(ExpandResult(c.result), ResultOf(*step));
        EXPECT_DOUBLE_EQ(c.rating, step->rating);
        ExpectSound(*step,
                    [&solution](EnneoPuzzle::Cell cell) { return solution.GetDigit((cell.x - 1) * 9 + cell.y - 1); });
    }
}

TEST(TechniqueFinderTest, NothingOnAnOpenBoardOrAFullOne) {
    EXPECT_FALSE(TechniqueFinder(PositionOf("", {})).FindSimplest().has_value());
    std::string full;
    for (int y = 1; y <= 9; ++y) {
        for (int x = 1; x <= 9; ++x) full += static_cast<char>('0' + PatternDigit(x, y));
    }
    EXPECT_FALSE(TechniqueFinder(PositionOf(full, {})).FindSimplest().has_value());
}

// Lowest rating first, ties in ladder order: X-Wing (3.2) before the hidden pair (3.4)
// that comes first on the ladder.
TEST(TechniqueFinderTest, TakesTheLowestRatedFirst) {
    const std::array<Technique, kTechniqueCount>& order = TechniqueFinder::SearchOrder();
    for (int i = 1; i < kTechniqueCount; ++i) {
        double before = InfoOf(order[i - 1]).rating, after = InfoOf(order[i]).rating;
        EXPECT_TRUE(before < after || (before == after && order[i - 1] < order[i])) << i;
    }
    CandidateGrid grid = PositionOf("", {{"r15c2345789", "-1"}, {"r9c1235679", "-37"}});
    ASSERT_TRUE(TechniqueFinder(grid).Find(Technique::kHiddenPair).has_value());
    EXPECT_EQ(Technique::kXWing, TechniqueFinder(grid).FindSimplest()->technique);
    // Among equal ratings of steps, the technique earlier on the ladder: the X-Cycle
    // position's loop of six rates 6.6 like the Skyscraper there.
    CandidateGrid loop = PositionOf("", {{"r1c2346789", "-1"}, {"r1245789c4", "-1"}, {"r1345789c3", "-1"}});
    EXPECT_EQ(6.6, TechniqueFinder(loop).Find(Technique::kXCycle)->rating);
    EXPECT_EQ(Technique::kSkyscraper, TechniqueFinder(loop).FindSimplest()->technique);
}

#ifdef ENNEO_SANITIZED
const int kSoundnessPuzzles = 3;
#else
const int kSoundnessPuzzles = 12;
#endif

class TechniqueSoundnessTest : public SeededTest {};

// On the way through generated puzzles of the two hardest levels, every finder answers a
// sound step rated no lower than its technique, not only the one taken: a finder must not
// lean on the simpler ones having found nothing.
TEST_F(TechniqueSoundnessTest, EveryFinderIsSoundOnTheWay) {
    PuzzleGenerator generator(seed_);
    for (int i = 0; i < kSoundnessPuzzles; ++i) {
        EnneoPuzzle puzzle = generator.Generate(i % 2 == 0 ? PuzzleLevel::kExtreme : PuzzleLevel::kExpert);
        SCOPED_TRACE(ToPuzzleLine(puzzle));
        SolverGrid solution(puzzle);
        ASSERT_EQ(1, SolverGrid(puzzle).CountCompletions(2, &solution));
        auto digitOf = [&solution](EnneoPuzzle::Cell cell) { return solution.GetDigit((cell.x - 1) * 9 + cell.y - 1); };
        CandidateGrid grid(puzzle);
        TechniqueFinder finder(grid);
        while (std::optional<TechniqueStep> simplest = finder.FindSimplest()) {
            for (const TechniqueInfo& info : kTechniques) {
                std::optional<TechniqueStep> step = finder.Find(info.technique);
                if (!step) continue;
                SCOPED_TRACE(static_cast<int>(info.technique));
                EXPECT_LE(info.rating, step->rating);
                ExpectSound(*step, digitOf);
            }
            TechniqueFinder::Apply(*simplest, grid);
        }
    }
}

// Each position has its technique's step only when the givens are known to have one
// solution. The rectangle r12c14 lies in blocks 1 and 2 with the pair 14.
TEST(TechniqueFinderTest, FindsUniquenessStepsOnlyWithOneSolution) {
    const std::vector<TechniqueCase> cases = {
        {Technique::kUniqueRectangleType1, "", {{"r12c14", "=14"}, {"r2c4", "=147"}}, "", "r12c14~14", "r2c4<>14"},
        {Technique::kUniqueRectangleType2, "", {{"r1c14", "=14"}, {"r2c14", "=147"}}, "", "r12c14~14 r2c14~7",
         "r2c2356789<>7"},
        {Technique::kUniqueRectangleType3, "", {{"r1c14", "=14"}, {"r2c1", "=149"}, {"r2c4", "=147"}, {"r2c6", "=79"}},
         "row2", "r12c14~14 r2c1~9 r2c4~7 r2c6~79", "r2c235789<>79"},
        {Technique::kUniqueRectangleType3, "",
         {{"r1c14", "=14"}, {"r2c1", "=149"}, {"r2c4", "=147"}, {"r2c5", "=78"}, {"r2c6", "=89"}}, "row2",
         "r12c14~14 r2c1~9 r2c4~7 r2c5~78 r2c6~89", "r2c23789<>789", 4.7},
        {Technique::kUniqueRectangleType4, "",
         {{"r1c14", "=14"}, {"r2c1", "=145"}, {"r2c4", "=147"}, {"r2c2356789", "-4"}}, "row2", "r12c14~14",
         "r2c14<>1"},
        // Rows 1-6 of columns 1-6 empty, each cell with its digit and one more, every digit
        // twice in each unit but 1 three times around r1c1.
        {Technique::kBugPlusOne, "......789......123......456......891......234......567345678912678912345912345678",
         {{"r1c1", "=125"}, {"r1c2", "=26"}, {"r1c3", "=13"}, {"r1c4", "=14"}, {"r1c5", "=35"}, {"r1c6", "=46"},
          {"r2c1", "=48"}, {"r2c2", "=59"}, {"r2c3", "=46"}, {"r2c4", "=57"}, {"r2c5", "=68"}, {"r2c6", "=79"},
          {"r3c1", "=17"}, {"r3c2", "=38"}, {"r3c3", "=79"}, {"r3c4", "=12"}, {"r3c5", "=28"}, {"r3c6", "=39"},
          {"r4c1", "=27"}, {"r4c2", "=35"}, {"r4c3", "=46"}, {"r4c4", "=45"}, {"r4c5", "=26"}, {"r4c6", "=37"},
          {"r5c1", "=15"}, {"r5c2", "=68"}, {"r5c3", "=79"}, {"r5c4", "=78"}, {"r5c5", "=59"}, {"r5c6", "=16"},
          {"r6c1", "=48"}, {"r6c2", "=29"}, {"r6c3", "=13"}, {"r6c4", "=28"}, {"r6c5", "=39"}, {"r6c6", "=14"}},
         "", "r1c1~125", "r1c1=1"},
    };
    for (const TechniqueCase& c : cases) {
        SCOPED_TRACE(std::to_string(static_cast<int>(c.technique)) + " " + c.pattern);
        CandidateGrid grid = PositionOf(c.givens, c.marks);
        EXPECT_FALSE(TechniqueFinder(grid).Find(c.technique).has_value());
        ExpectStep(c, TechniqueFinder(grid, true).Find(c.technique));
    }
    // Over four blocks the digits of a rectangle could not be swapped.
    CandidateGrid fourBlocks = PositionOf("", {{"r15c15", "=15"}, {"r5c5", "=159"}});
    EXPECT_FALSE(TechniqueFinder(fourBlocks, true).Find(Technique::kUniqueRectangleType1).has_value());
}

// r1c1 and the pair r2c27 of row 2 are almost locked sets with the restricted common 4
// (r1c1 and r2c2 share block 1): one of them holds 1, so 1 leaves what sees r1c1 and r2c7.
TEST(TechniqueFinderTest, FindsAlmostLockedSets) {
    CandidateGrid grid = PositionOf("", {{"r1c1", "=14"}, {"r2c2", "=45"}, {"r2c7", "=15"}});
    ExpectStep({Technique::kAlsXz, "", {}, "row1 row2", "r1c1~14 r2c2~45 r2c7~15", "r1c789<>1 r2c13<>1", 6.7},
               TechniqueFinder(grid).Find(Technique::kAlsXz));
}

}  // namespace
