// SingleDigitPatterns: strong links on one digit, joined.
#include "Techniques.h"

#include "GridSearch.h"
#include "StepMaker.h"

#include <algorithm>
#include <array>

namespace techniques {

namespace {

// Two strong links on a digit whose near ends see each other: they cannot both hold it,
// so one far end does, and the digit leaves every cell that sees both far ends. joined
// tells whether the near ends (then the far ends) make the pattern; it holds only for
// near ends that see each other.
template <typename Joined>
Step TwoLinks(const CandidateGrid& grid, Technique technique, int firstUnits, int secondUnits, Joined joined) {
    for (int digit = 1; digit <= 9; ++digit) {
        std::vector<Link> first = LinksOf(grid, digit, firstUnits, firstUnits + 9);
        std::vector<Link> second = LinksOf(grid, digit, secondUnits, secondUnits + 9);
        for (const Link& one : first) {
            for (const Link& other : second) {
                if (one.unit >= other.unit && firstUnits == secondUnits) continue;
                for (int i = 0; i < 2; ++i) {
                    for (int j = 0; j < 2; ++j) {
                        int near = one.ends[i], farEnd = one.ends[1 - i];
                        int otherNear = other.ends[j], otherFar = other.ends[1 - j];
                        std::vector<int> cells = {near, farEnd, otherNear, otherFar};
                        std::vector<int> sorted = cells;
                        std::sort(sorted.begin(), sorted.end());
                        if (std::adjacent_find(sorted.begin(), sorted.end()) != sorted.end()) continue;
                        if (!joined(near, otherNear, farEnd, otherFar)) continue;
                        StepMaker step(grid, technique);
                        step.Unit(one.unit).Unit(other.unit).Pattern(cells, Bit(digit));
                        step.EliminateSeenByAll({farEnd, otherFar}, Bit(digit));
                        if (Step found = step.Result()) return found;
                    }
                }
            }
        }
    }
    return {};
}

}  // namespace

// Two rows (or two columns) with a strong link each, the near ends in one column (row)
// and the far ends not.
Step Skyscraper(const CandidateGrid& grid) {
    auto sameColumn = [](int a, int b) { return CandidateGrid::ColumnOf(a) == CandidateGrid::ColumnOf(b); };
    auto sameRow = [](int a, int b) { return CandidateGrid::RowOf(a) == CandidateGrid::RowOf(b); };
    if (Step found = TwoLinks(grid, Technique::kSkyscraper, kFirstRow, kFirstRow, [&](int n1, int n2, int f1, int f2) {
            return sameColumn(n1, n2) && !sameColumn(f1, f2);
        })) {
        return found;
    }
    return TwoLinks(grid, Technique::kSkyscraper, kFirstColumn, kFirstColumn,
                    [&](int n1, int n2, int f1, int f2) { return sameRow(n1, n2) && !sameRow(f1, f2); });
}

// A strong link in a row and one in a column whose near ends share a block.
Step TwoStringKite(const CandidateGrid& grid) {
    return TwoLinks(grid, Technique::kTwoStringKite, kFirstRow, kFirstColumn,
                    [](int n1, int n2, int, int) { return CandidateGrid::BlockOf(n1) == CandidateGrid::BlockOf(n2); });
}

// Simple colouring: the cells that strong links on a digit join, in two colours that
// alternate along the links; one colour holds the digit in all its cells. A colour with
// two cells that see each other holds it nowhere; a cell that sees both colours cannot
// hold it.
Step SimpleColouring(const CandidateGrid& grid) {
    for (int digit = 1; digit <= 9; ++digit) {
        std::vector<Link> links = LinksOf(grid, digit, 0, CandidateGrid::kUnitCount);
        std::array<int, 81> colour;
        colour.fill(-1);
        for (int start = 0; start < 81; ++start) {
            if (colour[start] >= 0) continue;
            std::vector<int> cluster = {start};
            colour[start] = 0;
            bool twoColours = true;
            for (size_t next = 0; next < cluster.size(); ++next) {
                int cell = cluster[next];
                for (const Link& link : links) {
                    for (int i = 0; i < 2; ++i) {
                        if (link.ends[i] != cell) continue;
                        int joined = link.ends[1 - i];
                        if (colour[joined] < 0) {
                            colour[joined] = 1 - colour[cell];
                            cluster.push_back(joined);
                        }
                        twoColours = twoColours && colour[joined] != colour[cell];
                    }
                }
            }
            if (cluster.size() < 2 || !twoColours) continue;
            StepMaker step(grid, Technique::kSimpleColouring);
            step.Pattern(cluster, Bit(digit));
            for (int c : {0, 1}) {
                bool clash = false;
                for (int a : cluster) {
                    for (int b : cluster)
                        clash = clash || (colour[a] == c && colour[b] == c && CandidateGrid::Sees(a, b));
                }
                if (!clash) continue;
                for (int cell : cluster) {
                    if (colour[cell] == c) step.Eliminate(cell, Bit(digit));
                }
            }
            for (int cell = 0; cell < 81; ++cell) {
                if (std::find(cluster.begin(), cluster.end(), cell) != cluster.end()) continue;
                bool seesColour[2] = {false, false};
                for (int member : cluster) seesColour[colour[member]] |= CandidateGrid::Sees(cell, member);
                if (seesColour[0] && seesColour[1]) step.Eliminate(cell, Bit(digit));
            }
            if (Step found = step.Result()) return found;
        }
    }
    return {};
}

}  // namespace techniques
