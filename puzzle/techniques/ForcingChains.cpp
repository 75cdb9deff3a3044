// ForcingChains: what follows whichever candidate of a cell, or place of a digit in a unit, holds.
#include "Techniques.h"

#include "GridSearch.h"
#include "StepMaker.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace techniques {

namespace {

// Candidate (cell, digit) as one number, cell * 9 + digit - 1.
int IndexOf(int cell, int digit) { return cell * 9 + digit - 1; }

// A set of the grid's 729 candidates, as bits: branches are compared by whole words.
class CandidateSet {
public:
    void Add(int index) { words_[index >> 6] |= uint64_t{1} << (index & 63); }
    CandidateSet& operator&=(const CandidateSet& other) {
        for (size_t i = 0; i < words_.size(); ++i) words_[i] &= other.words_[i];
        return *this;
    }
    void Fill() { words_.fill(~uint64_t{0}); }
    // Calls visit with each index in the set, ascending.
    template <typename Visit>
    void ForEach(Visit visit) const {
        for (size_t i = 0; i < words_.size(); ++i) {
            for (uint64_t rest = words_[i]; rest != 0; rest &= rest - 1)
                visit(static_cast<int>(i * 64) + __builtin_ctzll(rest));
        }
    }

private:
    std::array<uint64_t, 12> words_{};
};

// The grid's shape as tables, for the propagation's innermost loops: the cells of each
// unit, the units of each cell and its position in each, the peers of each cell, and
// where a block and a line cross.
struct Shape {
    // Locked candidates from unit to other: a digit whose places in unit lie in shared
    // (positions in unit) leaves other's cells at outside (positions in other, not in unit).
    struct Crossing {
        int unit;
        int other;
        int shared;
        int outside;
    };

    std::array<std::array<uint8_t, 9>, CandidateGrid::kUnitCount> cells;
    std::array<std::array<uint8_t, 3>, 81> units;
    std::array<std::array<uint8_t, 3>, 81> positions;
    std::array<std::array<uint8_t, 20>, 81> peers;
    std::vector<Crossing> crossings;

    Shape() {
        for (int unit = 0; unit < CandidateGrid::kUnitCount; ++unit) {
            for (int i = 0; i < 9; ++i) {
                int cell = CandidateGrid::UnitCell(unit, i);
                cells[unit][i] = static_cast<uint8_t>(cell);
                int kind = unit / 9;
                units[cell][kind] = static_cast<uint8_t>(unit);
                positions[cell][kind] = static_cast<uint8_t>(i);
            }
        }
        for (int cell = 0; cell < 81; ++cell) {
            int count = 0;
            for (int other = 0; other < 81; ++other) {
                if (CandidateGrid::Sees(cell, other)) peers[cell][count++] = static_cast<uint8_t>(other);
            }
        }
        for (int block = kFirstBlock; block < CandidateGrid::kUnitCount; ++block) {
            for (int line = 0; line < kFirstBlock; ++line) {
                int inBlock = PositionsIn(block, line), inLine = PositionsIn(line, block);
                if (inBlock == 0) continue;
                crossings.push_back({block, line, inBlock, 0x1FF & ~inLine});
                crossings.push_back({line, block, inLine, 0x1FF & ~inBlock});
            }
        }
    }

    // The positions in unit of the cells it shares with other.
    int PositionsIn(int unit, int other) const {
        int shared = 0;
        for (int i = 0; i < 9; ++i) {
            if (InUnit(cells[unit][i], other)) shared |= 1 << i;
        }
        return shared;
    }
};

const Shape& TheShape() {
    static const Shape shape;
    return shape;
}

// An assumption and what follows from it, on a copy of the grid. Each candidate the
// branch removes and each digit it places carries its length: the number of candidates on
// the longest chain of implications from the assumption to it, the assumption counting
// 1, so that a naked single rests on the removals of all its cell's other candidates and a
// hidden single on those of all its unit's other places. A branch that ends in a cell
// without a candidate or a unit without a place for a digit has a contradiction, with the
// length of what it rests on. Branches are plain values, copied from the grid's one.
class Branch {
public:
    Branch() = default;
    explicit Branch(const CandidateGrid& grid) {
        const Shape& shape = *shape_;
        for (int cell = 0; cell < 81; ++cell) {
            digits_[cell] = static_cast<uint8_t>(grid.GetDigit(cell));
            candidates_[cell] = static_cast<uint16_t>(grid.GetCandidates(cell));
        }
        for (int unit = 0; unit < CandidateGrid::kUnitCount; ++unit) {
            placed_[unit] = static_cast<uint16_t>(grid.DigitsIn(unit));
            for (int i = 0; i < 9; ++i) {
                for (int rest = candidates_[shape.cells[unit][i]]; rest != 0; rest &= rest - 1)
                    places_[unit * 9 + Lowest(rest)] |= static_cast<uint16_t>(1 << i);
            }
        }
    }

    // Places digit in cell and follows: with naked and hidden singles alone, or when dynamic
    // also with locked candidates and naked and hidden pairs, until nothing more follows or
    // a contradiction. Once for each copy of the grid's branch; pending is scratch space that
    // the caller keeps between branches.
    void Assume(int cell, int digit, bool dynamic, std::vector<int>& pending) {
        pending_ = &pending;
        pending.clear();
        Queue(cell, digit, 1);
        for (size_t next = 0; contradiction_ == 0;) {
            for (; next < pending.size() && contradiction_ == 0; ++next) {
                int item = pending[next];
                Place(item & 0x7F, item >> 7 & 0xF, item >> 11);
            }
            if (contradiction_ != 0 || !dynamic) break;
            uint32_t changed = changedUnits_;
            changedUnits_ = 0;
            bool removed = LockedCandidates(changed);
            removed = NakedPairs(changed) || removed;
            removed = HiddenPairs(changed) || removed;
            if (!removed) break;
        }
        pending_ = nullptr;
    }

    int Contradiction() const { return contradiction_; }
    const CandidateSet& Removed() const { return removed_; }
    const CandidateSet& Placed() const { return placements_; }
    int RemovedAt(int index) const { return removedAt_[index]; }
    int PlacedAt(int cell) const { return placedAt_[cell]; }

private:
    // A placement waiting: cell, digit and length in one number.
    void Queue(int cell, int digit, int length) { pending_->push_back(cell | digit << 7 | length << 11); }

    void Contradict(int length) {
        if (contradiction_ == 0) contradiction_ = length;
    }

    // The longest length of the removals of digits from cell, and of digit from the cells
    // at positions of unit (0 for candidates the grid lacked from the start).
    int LongestOfCell(int cell, int digits) const {
        int longest = 0;
        for (int rest = digits; rest != 0; rest &= rest - 1)
            longest = std::max<int>(longest, removedAt_[cell * 9 + Lowest(rest)]);
        return longest;
    }
    int LongestInUnit(int unit, int digit, int positions) const {
        int longest = 0;
        for (int rest = positions; rest != 0; rest &= rest - 1)
            longest = std::max<int>(longest, removedAt_[IndexOf(shape_->cells[unit][Lowest(rest)], digit)]);
        return longest;
    }

    void Place(int cell, int digit, int length) {
        if (digits_[cell] == digit) return;
        const Shape& shape = *shape_;
        int bit = Bit(digit);
        bool unitHasDigit = false;
        for (int unit : shape.units[cell]) unitHasDigit = unitHasDigit || (placed_[unit] & bit) != 0;
        if (digits_[cell] != 0 || (candidates_[cell] & bit) == 0 || unitHasDigit) return Contradict(length);
        digits_[cell] = static_cast<uint8_t>(digit);
        placedAt_[cell] = static_cast<uint16_t>(length);
        placements_.Add(IndexOf(cell, digit));
        for (int unit : shape.units[cell]) placed_[unit] = static_cast<uint16_t>(placed_[unit] | bit);
        for (int rest = candidates_[cell] & ~bit; rest != 0; rest &= rest - 1) Remove(cell, Lowest(rest) + 1, length);
        candidates_[cell] = 0;
        for (int k = 0; k < 3; ++k)
            places_[shape.units[cell][k] * 9 + digit - 1] &= static_cast<uint16_t>(~(1 << shape.positions[cell][k]));
        for (int peer : shape.peers[cell]) Remove(peer, digit, length + 1);
    }

    // Takes digit from cell's candidates and queues the singles that this leaves.
    void Remove(int cell, int digit, int length) {
        int bit = Bit(digit);
        if ((candidates_[cell] & bit) == 0 || contradiction_ != 0) return;
        const Shape& shape = *shape_;
        candidates_[cell] = static_cast<uint16_t>(candidates_[cell] & ~bit);
        removedAt_[IndexOf(cell, digit)] = static_cast<uint16_t>(length);
        removed_.Add(IndexOf(cell, digit));
        for (int k = 0; k < 3; ++k) {
            int unit = shape.units[cell][k];
            changedUnits_ |= uint32_t{1} << unit;
            uint16_t& places = places_[unit * 9 + digit - 1];
            places = static_cast<uint16_t>(places & ~(1 << shape.positions[cell][k]));
            if ((placed_[unit] & bit) != 0 || Count(places) > 1) continue;
            int following = LongestInUnit(unit, digit, 0x1FF) + 1;
            if (places == 0) return Contradict(following);
            Queue(shape.cells[unit][Lowest(places)], digit, following);
        }
        if (digits_[cell] != 0 || Count(candidates_[cell]) > 1) return;
        int following = LongestOfCell(cell, 0x1FF) + 1;
        if (candidates_[cell] == 0) return Contradict(following);
        Queue(cell, Lowest(candidates_[cell]) + 1, following);
    }

    // The dynamic techniques look only where the units changed: a pattern the branch makes
    // lies in a unit whose candidates it changed. Each answers whether it removed anything.
    bool LockedCandidates(uint32_t changed) {
        bool removed = false;
        const Shape& shape = *shape_;
        for (const Shape::Crossing& crossing : shape.crossings) {
            if ((changed >> crossing.unit & 1) == 0) continue;
            for (int digit = 1; digit <= 9 && contradiction_ == 0; ++digit) {
                int places = places_[crossing.unit * 9 + digit - 1];
                int targets = places_[crossing.other * 9 + digit - 1] & crossing.outside;
                if (places == 0 || (places & ~crossing.shared) != 0 || targets == 0) continue;
                int length = LongestInUnit(crossing.unit, digit, ~crossing.shared & 0x1FF) + 1;
                for (; targets != 0; targets &= targets - 1)
                    Remove(shape.cells[crossing.other][Lowest(targets)], digit, length);
                removed = true;
            }
        }
        return removed;
    }

    bool NakedPairs(uint32_t changed) {
        bool removed = false;
        const Shape& shape = *shape_;
        for (int unit = 0; unit < CandidateGrid::kUnitCount; ++unit) {
            if ((changed >> unit & 1) == 0) continue;
            for (int i = 0; i < 9; ++i) {
                int one = shape.cells[unit][i], digits = candidates_[one];
                if (Count(digits) != 2) continue;
                for (int j = i + 1; j < 9 && contradiction_ == 0; ++j) {
                    int other = shape.cells[unit][j];
                    if (candidates_[other] != digits) continue;
                    int length = std::max(LongestOfCell(one, 0x1FF), LongestOfCell(other, 0x1FF)) + 1;
                    for (int k = 0; k < 9; ++k) {
                        int cell = shape.cells[unit][k];
                        if (k == i || k == j || (candidates_[cell] & digits) == 0) continue;
                        for (int rest = digits; rest != 0; rest &= rest - 1) Remove(cell, Lowest(rest) + 1, length);
                        removed = true;
                    }
                }
            }
        }
        return removed;
    }

    bool HiddenPairs(uint32_t changed) {
        bool removed = false;
        const Shape& shape = *shape_;
        for (int unit = 0; unit < CandidateGrid::kUnitCount; ++unit) {
            if ((changed >> unit & 1) == 0) continue;
            for (int one = 1; one <= 9; ++one) {
                int places = places_[unit * 9 + one - 1];
                if (Count(places) != 2 || (placed_[unit] & Bit(one)) != 0) continue;
                for (int other = one + 1; other <= 9 && contradiction_ == 0; ++other) {
                    if (places_[unit * 9 + other - 1] != places || (placed_[unit] & Bit(other)) != 0) continue;
                    int outside = ~places & 0x1FF;
                    int length = std::max(LongestInUnit(unit, one, outside), LongestInUnit(unit, other, outside)) + 1;
                    int pair = Bit(one) | Bit(other);
                    for (int rest = places; rest != 0; rest &= rest - 1) {
                        int cell = shape.cells[unit][Lowest(rest)];
                        for (int extra = candidates_[cell] & ~pair; extra != 0; extra &= extra - 1) {
                            Remove(cell, Lowest(extra) + 1, length);
                            removed = true;
                        }
                    }
                }
            }
        }
        return removed;
    }

    std::array<uint16_t, 81> candidates_{};
    std::array<uint8_t, 81> digits_{};
    std::array<uint16_t, CandidateGrid::kUnitCount * 9> places_{};  // [unit * 9 + digit - 1]: positions
    std::array<uint16_t, CandidateGrid::kUnitCount> placed_{};      // the digits filled in each unit
    std::array<uint16_t, 729> removedAt_{};                         // 0: not removed by the branch
    std::array<uint16_t, 81> placedAt_{};
    CandidateSet removed_;
    CandidateSet placements_;  // cell * 9 + digit - 1 for each digit the branch places
    int contradiction_ = 0;
    uint32_t changedUnits_ = 0;  // since the dynamic techniques last looked
    const Shape* shape_ = &TheShape();  // once, not on every removal
    std::vector<int>* pending_ = nullptr;
};

// What a forcing chain concludes: the removals and placements that every branch makes,
// those of the shortest length among them, with that length (0 when there are none).
struct Conclusion {
    int length = 0;
    CandidateSet removals;
    CandidateSet placements;
};

// The conclusion of the branches of candidates sources (all of them consistent).
Conclusion Combine(const std::vector<Branch>& branches, const std::vector<int>& sources) {
    Conclusion all;
    all.removals.Fill();
    all.placements.Fill();
    for (int source : sources) {
        all.removals &= branches[source].Removed();
        all.placements &= branches[source].Placed();
    }
    // The length of a conclusion is that of its longest branch.
    auto lengthOf = [&](int index, bool placement) {
        int longest = 0;
        for (int source : sources) {
            const Branch& branch = branches[source];
            longest = std::max(longest, placement ? branch.PlacedAt(index / 9) : branch.RemovedAt(index));
        }
        return longest;
    };
    int shortest = 0;
    auto consider = [&](int length) { shortest = shortest == 0 ? length : std::min(shortest, length); };
    all.removals.ForEach([&](int index) { consider(lengthOf(index, false)); });
    all.placements.ForEach([&](int index) { consider(lengthOf(index, true)); });
    Conclusion shortestOnes;
    shortestOnes.length = shortest;
    all.removals.ForEach([&](int index) {
        if (lengthOf(index, false) == shortest) shortestOnes.removals.Add(index);
    });
    all.placements.ForEach([&](int index) {
        if (lengthOf(index, true) == shortest) shortestOnes.placements.Add(index);
    });
    return shortestOnes;
}

// The shortest forcing chain of either kind. Every candidate of the grid is assumed once,
// and the assumptions are then grouped by cell and by a digit's places in a unit. A branch
// that contradicts itself removes its own candidate, a step never longer than a forcing
// chain that includes that branch, so such a group is passed over. Ties go to the first
// found: contradictions, then cells in reading order, then units with digits from 1 up.
Step ShortestForcingChain(const CandidateGrid& grid, Technique technique) {
    bool dynamic = technique == Technique::kDynamicForcingChain;
    // By candidate; kept between calls (per thread, as any thread may rate): the finder runs
    // on most steps of a hard puzzle, and the branches take 2 MB.
    thread_local std::vector<Branch> branches(729);
    thread_local std::vector<int> pending;
    const Branch start(grid);
    for (int cell = 0; cell < 81; ++cell) {
        for (int rest = grid.GetCandidates(cell); rest != 0; rest &= rest - 1) {
            int digit = Lowest(rest) + 1;
            Branch& branch = branches[IndexOf(cell, digit)];
            branch = start;
            branch.Assume(cell, digit, dynamic, pending);
        }
    }

    struct Best {
        int length = 0;
        Conclusion conclusion;
        std::vector<int> sources;
        int unit = -1;
    } best;
    auto take = [&best](Conclusion&& conclusion, const std::vector<int>& sources, int unit) {
        if (conclusion.length == 0 || (best.length != 0 && conclusion.length >= best.length)) return;
        best = {conclusion.length, std::move(conclusion), sources, unit};
    };
    std::vector<int> sources;
    for (int cell = 0; cell < 81; ++cell) {
        for (int rest = grid.GetCandidates(cell); rest != 0; rest &= rest - 1) {
            int index = IndexOf(cell, Lowest(rest) + 1);
            if (int length = branches[index].Contradiction()) {
                Conclusion contradiction;
                contradiction.length = length;
                contradiction.removals.Add(index);
                take(std::move(contradiction), {index}, -1);
            }
        }
    }
    auto consistent = [&](const std::vector<int>& group) {
        return std::none_of(group.begin(), group.end(),
                            [&](int index) { return branches[index].Contradiction() != 0; });
    };
    for (int cell = 0; cell < 81; ++cell) {
        sources.clear();
        for (int rest = grid.GetCandidates(cell); rest != 0; rest &= rest - 1)
            sources.push_back(IndexOf(cell, Lowest(rest) + 1));
        if (sources.size() >= 2 && consistent(sources)) take(Combine(branches, sources), sources, -1);
    }
    for (int unit = 0; unit < CandidateGrid::kUnitCount; ++unit) {
        for (int digit = 1; digit <= 9; ++digit) {
            sources.clear();
            for (int places = grid.PlacesOf(unit, digit); places != 0; places &= places - 1)
                sources.push_back(IndexOf(CandidateGrid::UnitCell(unit, Lowest(places)), digit));
            if (sources.size() >= 2 && consistent(sources)) take(Combine(branches, sources), sources, unit);
        }
    }
    if (best.length == 0) return {};

    StepMaker step(grid, technique);
    step.Rating(ChainRating(technique, best.length));
    if (best.unit >= 0) step.Unit(best.unit);
    for (int index : best.sources) step.Pattern(index / 9, Bit(index % 9 + 1));
    // A cell that a digit goes into needs no eliminations besides.
    int placedCells[81] = {};
    best.conclusion.placements.ForEach([&](int index) { placedCells[index / 9] = 1; });
    best.conclusion.removals.ForEach([&](int index) {
        if (placedCells[index / 9] == 0) step.Eliminate(index / 9, Bit(index % 9 + 1));
    });
    Step found = step.Result();
    best.conclusion.placements.ForEach([&](int index) { found = step.Place(index / 9, index % 9 + 1); });
    return found;
}

}  // namespace

Step ForcingChain(const CandidateGrid& grid) { return ShortestForcingChain(grid, Technique::kForcingChain); }
Step DynamicForcingChain(const CandidateGrid& grid) {
    return ShortestForcingChain(grid, Technique::kDynamicForcingChain);
}

}  // namespace techniques
