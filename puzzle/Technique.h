// Technique: the ladder of solving techniques a person uses, with each one's name and rating.
#pragma once

// The techniques in the order of the ladder, from the simplest to the hardest as they
// are taught; further techniques come after these. Each has one row of kTechniques: its
// display name and its rating on the common scale, where a harder step rates higher.
// The finder (TechniqueFinder) looks for the lowest rated first, ties in ladder order.
enum class Technique {
    kFullHouse,
    kHiddenSingleBlock,
    kHiddenSingleRow,
    kHiddenSingleColumn,
    kNakedSingle,
    kPointing,
    kClaiming,
    kNakedPair,
    kHiddenPair,
    kNakedTriple,
    kHiddenTriple,
    kNakedQuad,
    kHiddenQuad,
    kXWing,
    kSwordfish,
    kJellyfish,
    kFinnedXWing,
    kFinnedSwordfish,
    kSkyscraper,
    kTwoStringKite,
    kXYWing,
    kXYZWing,
    kWWing,
    kSimpleColouring,
    kForcingChain,
    kDynamicForcingChain,
};

struct TechniqueInfo {
    Technique technique;
    const char* name;
    double rating;
};

// In ladder order, one row for each technique. The ratings of the single-digit patterns
// and the wings not on the common scale are the program's own: Skyscraper and Two-String
// Kite are the simplest chains of two strong links (4.1), a finned fish rates above its
// plain form and above XY-Wing (4.3, 4.6), W-Wing needs a strong link besides two cells
// (4.5) and Simple Colouring follows a whole net of strong links (4.8). The forcing chains
// come last: each assumption followed by singles alone (7.0), or with the simpler
// eliminations of the ladder between them (8.5), and rate by their length (ChainRating).
inline constexpr TechniqueInfo kTechniques[] = {
    {Technique::kFullHouse, "Full House", 1.0},
    {Technique::kHiddenSingleBlock, "Hidden Single", 1.2},
    {Technique::kHiddenSingleRow, "Hidden Single", 1.5},
    {Technique::kHiddenSingleColumn, "Hidden Single", 1.5},
    {Technique::kNakedSingle, "Naked Single", 2.3},
    {Technique::kPointing, "Pointing", 2.6},
    {Technique::kClaiming, "Claiming", 2.8},
    {Technique::kNakedPair, "Naked Pair", 3.0},
    {Technique::kHiddenPair, "Hidden Pair", 3.4},
    {Technique::kNakedTriple, "Naked Triple", 3.6},
    {Technique::kHiddenTriple, "Hidden Triple", 4.0},
    {Technique::kNakedQuad, "Naked Quad", 5.0},
    {Technique::kHiddenQuad, "Hidden Quad", 5.4},
    {Technique::kXWing, "X-Wing", 3.2},
    {Technique::kSwordfish, "Swordfish", 3.8},
    {Technique::kJellyfish, "Jellyfish", 5.2},
    {Technique::kFinnedXWing, "Finned X-Wing", 4.3},
    {Technique::kFinnedSwordfish, "Finned Swordfish", 4.6},
    {Technique::kSkyscraper, "Skyscraper", 4.1},
    {Technique::kTwoStringKite, "Two-String Kite", 4.1},
    {Technique::kXYWing, "XY-Wing", 4.2},
    {Technique::kXYZWing, "XYZ-Wing", 4.4},
    {Technique::kWWing, "W-Wing", 4.5},
    {Technique::kSimpleColouring, "Simple Colouring", 4.8},
    {Technique::kForcingChain, "Forcing Chain", 7.0},
    {Technique::kDynamicForcingChain, "Dynamic Forcing Chain", 8.5},
};

inline constexpr int kTechniqueCount = static_cast<int>(sizeof kTechniques / sizeof kTechniques[0]);

inline const TechniqueInfo& InfoOf(Technique technique) { return kTechniques[static_cast<int>(technique)]; }

// The rating of a chain of its technique with nodes candidates: the technique's, plus 0.1
// each time nodes passes a bound of 4, 6, 8, 12, 16, 24, 32, ... (each bound in turn half
// again and a third again the one before), so that a chain twice as long rates 0.2 more.
inline double ChainRating(Technique technique, int nodes) {
    double rating = InfoOf(technique).rating;
    int bound = 4;
    for (bool half = true; nodes > bound; half = !half) {
        rating += 0.1;
        bound = half ? bound * 3 / 2 : bound * 4 / 3;
    }
    return rating;
}
