// Wings: cells of two candidates whose digits force one of a pair.
#include "Techniques.h"

#include "GridSearch.h"
#include "StepMaker.h"

namespace techniques {

namespace {

// A pivot and two pincers that see it, each pincer with two candidates: one of the
// pivot's and z, their common digit. Whatever the pivot holds, one pincer holds z.
// XY-Wing: the pivot has two candidates, so z leaves what sees both pincers.
// XYZ-Wing: the pivot has three, z among them, so z leaves what sees all three.
Step Wing(const CandidateGrid& grid, Technique technique, int pivotSize) {
    for (int pivot = 0; pivot < 81; ++pivot) {
        int pivotDigits = grid.GetCandidates(pivot);
        if (Count(pivotDigits) != pivotSize) continue;
        for (int one = 0; one < 81; ++one) {
            for (int other = one + 1; other < 81; ++other) {
                int a = grid.GetCandidates(one), b = grid.GetCandidates(other);
                if (!CandidateGrid::Sees(pivot, one) || !CandidateGrid::Sees(pivot, other) || Count(a) != 2 ||
                    Count(b) != 2 || a == b || Count(a & b) != 1) {
                    continue;
                }
                int z = a & b;
                // The pincers hold the pivot's digits and z: beside them for XY-Wing, among
                // them for XYZ-Wing.
                if ((a | b) != (pivotDigits | z)) continue;
                StepMaker step(grid, technique);
                step.Pattern(pivot, pivotDigits).Pattern(one, a).Pattern(other, b);
                std::vector<int> seen = {one, other};
                if (pivotSize == 3) seen.push_back(pivot);
                step.EliminateSeenByAll(seen, z);
                if (Step found = step.Result()) return found;
            }
        }
    }
    return {};
}

}  // namespace

Step XYWing(const CandidateGrid& grid) { return Wing(grid, Technique::kXYWing, 2); }
Step XYZWing(const CandidateGrid& grid) { return Wing(grid, Technique::kXYZWing, 3); }

// Two cells that do not see each other, both with candidates x and y, and a strong link
// on x whose ends see one cell each: both cells cannot be x, so one is y, and y leaves
// what sees both: a chain of six candidates.
Step WWing(const CandidateGrid& grid) {
    for (int one = 0; one < 81; ++one) {
        int digits = grid.GetCandidates(one);
        if (Count(digits) != 2) continue;
        for (int other = one + 1; other < 81; ++other) {
            if (grid.GetCandidates(other) != digits || CandidateGrid::Sees(one, other)) continue;
            for (int x : {Lowest(digits) + 1, Highest(digits) + 1}) {
                for (const Link& link : LinksOf(grid, x, 0, CandidateGrid::kUnitCount)) {
                    for (int i = 0; i < 2; ++i) {
                        if (!CandidateGrid::Sees(link.ends[i], one) || !CandidateGrid::Sees(link.ends[1 - i], other))
                            continue;
                        StepMaker step(grid, Technique::kWWing);
                        step.Rating(ChainRating(Technique::kWWing, 6))
                            .Unit(link.unit)
                            .Pattern(one, digits)
                            .Pattern(other, digits);
                        step.Pattern(link.ends[i], Bit(x)).Pattern(link.ends[1 - i], Bit(x));
                        step.EliminateSeenByAll({one, other}, digits & ~Bit(x));
                        if (Step found = step.Result()) return found;
                    }
                }
            }
        }
    }
    return {};
}

}  // namespace techniques
