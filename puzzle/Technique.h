// Technique: the ladder of solving techniques a person uses, with each one's rating.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>

// The techniques in the order of the ladder, from the simplest to the hardest as they
// are taught; further techniques come after these. Each has one row of kTechniques: its
// rating on the common scale (its name is the words layer's), where a harder step rates higher.
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
    kSkyscraper,
    kTwoStringKite,
    kFinnedXWing,
    kFinnedSwordfish,
    kFinnedJellyfish,
    kXYWing,
    kXYZWing,
    kWWing,
    kSimpleColouring,
    kUniqueRectangleType1,
    kUniqueRectangleType2,
    kUniqueRectangleType3,
    kUniqueRectangleType4,
    kBugPlusOne,
    kXCycle,
    kXChain,
    kXYChain,
    kNiceLoop,
    kAlsXz,
    kForcingChain,
    kDynamicForcingChain,
};

// A technique's name is a message of the words layer (Message::NameOf).
struct TechniqueInfo {
    Technique technique;
    double rating;
};

// In ladder order, one row for each technique. The common scale knows the single-digit
// patterns, finned fish and W-Wing only as the chains they are, so they rate as chains of
// their length (ChainRating): Skyscraper, Two-String Kite and Finned X-Wing as X-Chains of
// four candidates, Finned Swordfish of six, Finned Jellyfish of eight, W-Wing as a chain of six across two bivalue
// cells, Simple Colouring as the X-Chains its eliminations need. They come before the
// general chains, which find them too, so that among equal ratings the named one is taken,
// and a Skyscraper comes before the finned X-Wing that finds part of it.
// The general chains rate by their length as well: X-Cycle (a closed loop on one digit)
// from 6.5, X-Chain and XY-Chain from 6.6, Nice Loop (any strong and weak links) from 7.0.
// The forcing chains come last: each assumption followed by singles alone (from 7.0),
// or with the simpler eliminations of the ladder between them (from 8.5).
inline constexpr TechniqueInfo kTechniques[] = {
    {Technique::kFullHouse, 1.0},
    {Technique::kHiddenSingleBlock, 1.2},
    {Technique::kHiddenSingleRow, 1.5},
    {Technique::kHiddenSingleColumn, 1.5},
    {Technique::kNakedSingle, 2.3},
    {Technique::kPointing, 2.6},
    {Technique::kClaiming, 2.8},
    {Technique::kNakedPair, 3.0},
    {Technique::kHiddenPair, 3.4},
    {Technique::kNakedTriple, 3.6},
    {Technique::kHiddenTriple, 4.0},
    {Technique::kNakedQuad, 5.0},
    {Technique::kHiddenQuad, 5.4},
    {Technique::kXWing, 3.2},
    {Technique::kSwordfish, 3.8},
    {Technique::kJellyfish, 5.2},
    {Technique::kSkyscraper, 6.6},
    {Technique::kTwoStringKite, 6.6},
    {Technique::kFinnedXWing, 6.6},
    {Technique::kFinnedSwordfish, 6.6},
    {Technique::kFinnedJellyfish, 6.6},
    {Technique::kXYWing, 4.2},
    {Technique::kXYZWing, 4.4},
    {Technique::kWWing, 6.6},
    {Technique::kSimpleColouring, 6.6},
    // A unique rectangle of type 3 rates 4.6 with a pair, up to 4.8 with a quad; ALS-XZ
    // rates as a chain by the candidates of its two sets (ChainRating).
    {Technique::kUniqueRectangleType1, 4.5},
    {Technique::kUniqueRectangleType2, 4.6},
    {Technique::kUniqueRectangleType3, 4.6},
    {Technique::kUniqueRectangleType4, 4.6},
    {Technique::kBugPlusOne, 5.6},
    {Technique::kXCycle, 6.5},
    {Technique::kXChain, 6.6},
    {Technique::kXYChain, 6.6},
    {Technique::kNiceLoop, 7.0},
    {Technique::kAlsXz, 6.6},
    {Technique::kForcingChain, 7.0},
    {Technique::kDynamicForcingChain, 8.5},
};

inline constexpr int kTechniqueCount = static_cast<int>(sizeof kTechniques / sizeof kTechniques[0]);

inline const TechniqueInfo& InfoOf(Technique technique) { return kTechniques[static_cast<int>(technique)]; }

// The rating of a chain of its technique with nodes candidates: the technique's, plus 0.1
// each time nodes passes a bound of 4, 6, 8, 12, 16, 24, 32, ... (each bound in turn half
// again and a third again the one before), so that a chain twice as long rates 0.2 more.
// Counted in tenths, so that it equals the same value written as a literal.
// The technique's rating and tenths more, as the value written with one decimal. Read
// from a table made at compile time, so that no platform carries it with more precision
// than a double: the 32-bit x87 unit would hold 67 / 10.0 with more, and it would then
// neither equal 6.7 nor compare alike on every platform.
inline double RatingAbove(Technique technique, int tenths) {
    static constexpr std::array<double, 200> kByTenths = [] {
        std::array<double, 200> values{};
        for (size_t i = 0; i < values.size(); ++i) values[i] = static_cast<double>(i) / 10.0;
        return values;
    }();
    long index = std::lround(InfoOf(technique).rating * 10) + tenths;
    return kByTenths[static_cast<size_t>(std::min(index, static_cast<long>(kByTenths.size()) - 1))];
}

inline double ChainRating(Technique technique, int nodes) {
    int tenths = 0;
    int bound = 4;
    for (bool half = true; nodes > bound; half = !half) {
        ++tenths;
        bound = half ? bound * 3 / 2 : bound * 4 / 3;
    }
    return RatingAbove(technique, tenths);
}
