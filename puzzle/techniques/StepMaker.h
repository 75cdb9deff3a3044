// StepMaker: a technique's step being put together, from the pattern to what it yields.
#pragma once

#include "puzzle/CandidateGrid.h"
#include "GridSearch.h"
#include "puzzle/TechniqueStep.h"

#include <optional>
#include <vector>

namespace techniques {

// The units and the pattern first, then the placement or the eliminations; the
// candidates come from the grid, so that a mask may name digits a cell lacks.
class StepMaker {
public:
    using Step = std::optional<TechniqueStep>;

    StepMaker(const CandidateGrid& grid, Technique technique) : grid_(grid), step_{technique, InfoOf(technique).rating, {}, {}, {}, {}} {}

    // A rating above the technique's, for a longer instance of it.
    StepMaker& Rating(double rating) {
        step_.rating = rating;
        return *this;
    }
    StepMaker& Unit(int unit) {
        step_.units.push_back(CandidateGrid::UnitOf(unit));
        return *this;
    }
    // The cell's candidates among digits, into the pattern.
    StepMaker& Pattern(int cell, int digits) {
        Add(step_.pattern, cell, digits);
        return *this;
    }
    StepMaker& Pattern(const std::vector<int>& cells, int digits) {
        for (int cell : cells) Pattern(cell, digits);
        return *this;
    }
    // The cell's candidates among digits, as eliminations.
    void Eliminate(int cell, int digits) { Add(step_.eliminations, cell, digits); }
    // Eliminations of digits from every cell that sees all of cells.
    void EliminateSeenByAll(const std::vector<int>& cells, int digits) {
        for (int cell = 0; cell < 81; ++cell) {
            bool seesAll = true;
            for (int seen : cells) seesAll = seesAll && CandidateGrid::Sees(cell, seen);
            if (seesAll) Eliminate(cell, digits);
        }
    }
    // The step, placing digit in cell.
    Step Place(int cell, int digit) {
        step_.placements.push_back({CandidateGrid::CellAt(cell), digit});
        return step_;
    }
    // The step when it eliminates anything.
    Step Result() const { return step_.eliminations.empty() ? Step() : step_; }

private:
    void Add(std::vector<TechniqueStep::Candidate>& to, int cell, int digits) const {
        for (int rest = grid_.GetCandidates(cell) & digits; rest != 0; rest &= rest - 1)
            to.push_back({CandidateGrid::CellAt(cell), Lowest(rest) + 1});
    }

    const CandidateGrid& grid_;
    TechniqueStep step_;
};

}  // namespace techniques
