// Techniques: one finder for each technique of the ladder, by family.
#pragma once

#include "puzzle/CandidateGrid.h"
#include "puzzle/TechniqueStep.h"

#include <optional>

// Each finder answers the first instance of its technique on the grid that places a
// digit or eliminates a candidate, looking through units in CandidateGrid's order (rows,
// columns, blocks), digits from 1 up and cells in reading order; nothing when there is
// none. TechniqueFinder puts them in the ladder's order.
namespace techniques {

using Step = std::optional<TechniqueStep>;

// Singles.cpp
Step FullHouse(const CandidateGrid& grid);
Step HiddenSingleInBlock(const CandidateGrid& grid);
Step HiddenSingleInRow(const CandidateGrid& grid);
Step HiddenSingleInColumn(const CandidateGrid& grid);
Step NakedSingle(const CandidateGrid& grid);

// LockedCandidates.cpp
Step Pointing(const CandidateGrid& grid);
Step Claiming(const CandidateGrid& grid);

// Subsets.cpp
Step NakedPair(const CandidateGrid& grid);
Step HiddenPair(const CandidateGrid& grid);
Step NakedTriple(const CandidateGrid& grid);
Step HiddenTriple(const CandidateGrid& grid);
Step NakedQuad(const CandidateGrid& grid);
Step HiddenQuad(const CandidateGrid& grid);

// Fish.cpp
Step XWing(const CandidateGrid& grid);
Step Swordfish(const CandidateGrid& grid);
Step Jellyfish(const CandidateGrid& grid);
Step FinnedXWing(const CandidateGrid& grid);
Step FinnedSwordfish(const CandidateGrid& grid);
Step FinnedJellyfish(const CandidateGrid& grid);

// SingleDigitPatterns.cpp
Step Skyscraper(const CandidateGrid& grid);
Step TwoStringKite(const CandidateGrid& grid);
Step SimpleColouring(const CandidateGrid& grid);

// Wings.cpp
Step XYWing(const CandidateGrid& grid);
Step XYZWing(const CandidateGrid& grid);
Step WWing(const CandidateGrid& grid);

// Uniqueness.cpp: sound only on a grid whose givens have one solution.
Step UniqueRectangleType1(const CandidateGrid& grid);
Step UniqueRectangleType2(const CandidateGrid& grid);
Step UniqueRectangleType3(const CandidateGrid& grid);
Step UniqueRectangleType4(const CandidateGrid& grid);
Step BugPlusOne(const CandidateGrid& grid);

// Chains.cpp: each answers its shortest chain (fewest candidates) that yields anything.
Step XCycle(const CandidateGrid& grid);
Step XChain(const CandidateGrid& grid);
Step XYChain(const CandidateGrid& grid);
Step NiceLoop(const CandidateGrid& grid);

// AlmostLockedSets.cpp
Step AlsXz(const CandidateGrid& grid);

// ForcingChains.cpp: the shortest chain rather than the first.
Step ForcingChain(const CandidateGrid& grid);
Step DynamicForcingChain(const CandidateGrid& grid);

}  // namespace techniques
