// Fish: a digit's places in some lines covered by as many lines across them.
#include "Techniques.h"

#include "GridSearch.h"
#include "StepMaker.h"

namespace techniques {

namespace {

// Fish of size lines: a digit's places in size base lines (rows, or columns) lie in size
// cover lines across them, so the cover lines hold it only in the base lines. A finned
// fish has extra places, the fins, all in one block: either a fin holds the digit or the
// plain fish stands, so the digit leaves the cover lines' cells in that block only. That
// is a chain through the fish's lines to the fins' block, two candidates a line.
Step Fish(const CandidateGrid& grid, Technique technique, int size, bool finned) {
    for (int baseFirst : {kFirstRow, kFirstColumn}) {
        int coverFirst = baseFirst == kFirstRow ? kFirstColumn : kFirstRow;
        // The cell where base line b crosses cover line c.
        auto crossing = [baseFirst](int b, int c) { return baseFirst == kFirstRow ? b * 9 + c : c * 9 + b; };
        for (int digit = 1; digit <= 9; ++digit) {
            int places[9];
            int eligible = 0;
            for (int b = 0; b < 9; ++b) {
                places[b] = grid.PlacesOf(baseFirst + b, digit);
                // A finned fish's fins lie in one block: three at most in a base line.
                if (Count(places[b]) >= 2 && Count(places[b]) <= size + (finned ? 3 : 0)) eligible |= 1 << b;
            }
            for (int bases : MasksOfSize(size)) {
                if ((bases & ~eligible) != 0) continue;
                int spread = 0;
                for (int b = 0; b < 9; ++b) spread |= (bases >> b & 1) != 0 ? places[b] : 0;
                if (!finned && Count(spread) != size) continue;
                for (int covers = spread; covers != 0; covers = (covers - 1) & spread) {
                    if (Count(covers) != size) continue;
                    // The fins' block, kNoBlock without fins and kSeveralBlocks for fins in more.
                    const int kNoBlock = -1, kSeveralBlocks = 9;
                    int finBlock = kNoBlock;
                    bool everyBaseCovered = true;
                    for (int b = 0; b < 9; ++b) {
                        if ((bases >> b & 1) == 0) continue;
                        everyBaseCovered = everyBaseCovered && (places[b] & covers) != 0;
                        for (int c = 0; c < 9; ++c) {
                            if (((places[b] & ~covers) >> c & 1) == 0) continue;
                            int block = CandidateGrid::BlockOf(crossing(b, c));
                            finBlock = finBlock == kNoBlock || finBlock == block ? block : kSeveralBlocks;
                        }
                    }
                    if (!everyBaseCovered || finBlock == kSeveralBlocks || (finBlock == kNoBlock) == finned) continue;
                    StepMaker step(grid, technique);
                    if (finned) step.Rating(ChainRating(technique, 2 * size));
                    for (int b = 0; b < 9; ++b) {
                        if (bases >> b & 1)
                            step.Unit(baseFirst + b).Pattern(CellsAt(baseFirst + b, places[b]), Bit(digit));
                    }
                    for (int c = 0; c < 9; ++c) {
                        if (covers >> c & 1) step.Unit(coverFirst + c);
                    }
                    if (finned) step.Unit(kFirstBlock + finBlock);
                    for (int b = 0; b < 9; ++b) {
                        for (int c = 0; c < 9; ++c) {
                            int cell = crossing(b, c);
                            if ((bases >> b & 1) == 0 && (covers >> c & 1) != 0 &&
                                (!finned || CandidateGrid::BlockOf(cell) == finBlock)) {
                                step.Eliminate(cell, Bit(digit));
                            }
                        }
                    }
                    if (Step found = step.Result()) return found;
                    if (!finned) break;  // a plain fish has one cover
                }
            }
        }
    }
    return {};
}

}  // namespace

Step XWing(const CandidateGrid& grid) { return Fish(grid, Technique::kXWing, 2, false); }
Step Swordfish(const CandidateGrid& grid) { return Fish(grid, Technique::kSwordfish, 3, false); }
Step Jellyfish(const CandidateGrid& grid) { return Fish(grid, Technique::kJellyfish, 4, false); }
Step FinnedXWing(const CandidateGrid& grid) { return Fish(grid, Technique::kFinnedXWing, 2, true); }
Step FinnedSwordfish(const CandidateGrid& grid) { return Fish(grid, Technique::kFinnedSwordfish, 3, true); }
Step FinnedJellyfish(const CandidateGrid& grid) { return Fish(grid, Technique::kFinnedJellyfish, 4, true); }

}  // namespace techniques
