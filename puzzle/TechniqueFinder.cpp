// TechniqueFinder: the simplest step of the technique ladder that makes progress on a grid.
#include "TechniqueFinder.h"

#include "techniques/Techniques.h"

#include <algorithm>
#include <utility>

namespace {

using Candidate = TechniqueStep::Candidate;
using Step = std::optional<TechniqueStep>;

constexpr bool TableFollowsLadder() {
    for (int i = 0; i < kTechniqueCount; ++i) {
        if (static_cast<int>(kTechniques[i].technique) != i) return false;
    }
    return true;
}
static_assert(TableFollowsLadder(), "kTechniques holds one row per technique, in ladder order");

// The ladder: one finder for each technique, in the order of Technique.
using Finder = Step (*)(const CandidateGrid&);
const Finder kLadder[kTechniqueCount] = {
    techniques::FullHouse,
    techniques::HiddenSingleInBlock,
    techniques::HiddenSingleInRow,
    techniques::HiddenSingleInColumn,
    techniques::NakedSingle,
    techniques::Pointing,
    techniques::Claiming,
    techniques::NakedPair,
    techniques::HiddenPair,
    techniques::NakedTriple,
    techniques::HiddenTriple,
    techniques::NakedQuad,
    techniques::HiddenQuad,
    techniques::XWing,
    techniques::Swordfish,
    techniques::Jellyfish,
    techniques::Skyscraper,
    techniques::TwoStringKite,
    techniques::FinnedXWing,
    techniques::FinnedSwordfish,
    techniques::FinnedJellyfish,
    techniques::XYWing,
    techniques::XYZWing,
    techniques::WWing,
    techniques::SimpleColouring,
    techniques::UniqueRectangleType1,
    techniques::UniqueRectangleType2,
    techniques::UniqueRectangleType3,
    techniques::UniqueRectangleType4,
    techniques::BugPlusOne,
    techniques::XCycle,
    techniques::XChain,
    techniques::XYChain,
    techniques::NiceLoop,
    techniques::AlsXz,
    techniques::ForcingChain,
    techniques::DynamicForcingChain,
};

// True when step a comes before step b: a lower rating, or the same one from a technique
// earlier on the ladder (a named pattern before the general chain that finds it too).
bool Precedes(const TechniqueStep& a, const TechniqueStep& b) {
    return a.rating < b.rating || (a.rating == b.rating && a.technique < b.technique);
}

}  // namespace

// A technique's steps rate at least its own rating, and the search order keeps ladder
// order among equal ratings, so the search ends at the first technique none of whose
// steps could come before the best step found.
std::optional<TechniqueStep> TechniqueFinder::FindSimplest() const {
    Step best;
    for (Technique technique : SearchOrder()) {
        double rating = InfoOf(technique).rating;
        if (best && (best->rating < rating || (best->rating == rating && best->technique < technique))) break;
        Step found = Find(technique);
        if (found && (!best || Precedes(*found, *best))) best = std::move(found);
    }
    return best;
}

std::optional<TechniqueStep> TechniqueFinder::Find(Technique technique) const {
    if (!oneSolution_ && RestsOnUniqueness(technique)) return {};
    return kLadder[static_cast<int>(technique)](grid_);
}

bool TechniqueFinder::RestsOnUniqueness(Technique technique) {
    switch (technique) {
    case Technique::kUniqueRectangleType1:
    case Technique::kUniqueRectangleType2:
    case Technique::kUniqueRectangleType3:
    case Technique::kUniqueRectangleType4:
    case Technique::kBugPlusOne: return true;
    default: return false;
    }
}

const std::array<Technique, kTechniqueCount>& TechniqueFinder::SearchOrder() {
    static const std::array<Technique, kTechniqueCount> order = [] {
        std::array<Technique, kTechniqueCount> techniques;
        for (int i = 0; i < kTechniqueCount; ++i) techniques[i] = kTechniques[i].technique;
        std::stable_sort(techniques.begin(), techniques.end(),
                         [](Technique a, Technique b) { return InfoOf(a).rating < InfoOf(b).rating; });
        return techniques;
    }();
    return order;
}

void TechniqueFinder::Apply(const TechniqueStep& step, CandidateGrid& grid) {
    for (const Candidate& placement : step.placements)
        grid.Place(CandidateGrid::CellOf(placement.cell), placement.digit);
    for (const Candidate& elimination : step.eliminations)
        grid.Eliminate(CandidateGrid::CellOf(elimination.cell), elimination.digit);
}
