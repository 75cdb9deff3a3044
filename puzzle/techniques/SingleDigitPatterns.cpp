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
                        step.Rating(ChainRating(technique, 4))
                            .Unit(one.unit)
                            .Unit(other.unit)
                            .Pattern(cells, Bit(digit));
                        step.EliminateSeenByAll({farEnd, otherFar}, Bit(digit));
                        if (Step found = step.Result()) return found;
                    }
                }
            }
        }
    }
    return {};
}

// The number of links between any two cells of a cluster that links join, by their
// places in the cluster.
std::vector<std::vector<int>> DistancesWithin(const std::vector<int>& cluster, const std::vector<Link>& links) {
    std::vector<std::vector<int>> distance(cluster.size(), std::vector<int>(cluster.size(), -1));
    auto placeOf = [&cluster](int cell) {
        return static_cast<size_t>(std::find(cluster.begin(), cluster.end(), cell) - cluster.begin());
    };
    for (size_t from = 0; from < cluster.size(); ++from) {
        std::vector<size_t> queue = {from};
        distance[from][from] = 0;
        for (size_t next = 0; next < queue.size(); ++next) {
            for (const Link& link : links) {
                for (int i = 0; i < 2; ++i) {
                    if (link.ends[i] != cluster[queue[next]]) continue;
                    size_t joined = placeOf(link.ends[1 - i]);
                    if (distance[from][joined] >= 0) continue;
                    distance[from][joined] = distance[from][queue[next]] + 1;
                    queue.push_back(joined);
                }
            }
        }
    }
    return distance;
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
// hold it. Each elimination is an X-Chain along the links: between a cell of each colour
// that the cell sees, or from a cell of the clashing colour to both cells that clash. The
// step rates as the longest of the shortest such chains.
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
            std::vector<std::vector<int>> distance = DistancesWithin(cluster, links);
            const int kNone = 81;
            int longest = 0;  // the candidates of the longest chain an elimination needs
            StepMaker step(grid, Technique::kSimpleColouring);
            step.Pattern(cluster, Bit(digit));
            for (size_t cell = 0; cell < cluster.size(); ++cell) {
                int shortest = kNone;
                for (size_t a = 0; a < cluster.size(); ++a) {
                    for (size_t b = 0; b < cluster.size(); ++b) {
                        if (colour[cluster[a]] == colour[cluster[cell]] && colour[cluster[b]] == colour[cluster[a]] &&
                            CandidateGrid::Sees(cluster[a], cluster[b])) {
                            shortest = std::min(shortest, distance[cell][a] + distance[cell][b]);
                        }
                    }
                }
                if (shortest == kNone) continue;
                step.Eliminate(cluster[cell], Bit(digit));
                longest = std::max(longest, shortest);
            }
            for (int cell = 0; cell < 81; ++cell) {
                if (!grid.HasCandidate(cell, digit) || std::find(cluster.begin(), cluster.end(), cell) != cluster.end())
                    continue;
                int shortest = kNone;
                for (size_t a = 0; a < cluster.size(); ++a) {
                    for (size_t b = 0; b < cluster.size(); ++b) {
                        if (colour[cluster[a]] == 0 && colour[cluster[b]] == 1 &&
                            CandidateGrid::Sees(cell, cluster[a]) && CandidateGrid::Sees(cell, cluster[b])) {
                            shortest = std::min(shortest, distance[a][b] + 1);
                        }
                    }
                }
                if (shortest == kNone) continue;
                step.Eliminate(cell, Bit(digit));
                longest = std::max(longest, shortest);
            }
            step.Rating(ChainRating(Technique::kSimpleColouring, longest));
            if (Step found = step.Result()) return found;
        }
    }
    return {};
}

}  // namespace techniques
