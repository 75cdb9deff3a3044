// Chains: alternating chains of strong and weak links between candidates, and the loops they close.
#include "Techniques.h"

#include "GridSearch.h"
#include "StepMaker.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <utility>
#include <vector>

namespace techniques {

namespace {

// Candidates as numbers, cell * 9 + digit - 1, and sets of them.
const int kCandidateCount = 81 * 9;
using CandidateSet = std::bitset<kCandidateCount>;

int CandidateOf(int cell, int digit) { return cell * 9 + digit - 1; }
int CellOfCandidate(int candidate) { return candidate / 9; }
int DigitOfCandidate(int candidate) { return candidate % 9 + 1; }

// The longest chain looked for (it rates 0.5 above its technique): a longer one is no
// step a person takes, and the bound cuts each search short.
const int kMaxNodes = 24;

// For each candidate, the candidates it cannot share the grid with: the cell's other
// digits and its digit in the cells it sees.
const std::array<CandidateSet, kCandidateCount>& WeaklyLinked() {
    static const std::array<CandidateSet, kCandidateCount> linked = [] {
        std::array<CandidateSet, kCandidateCount> table;
        for (int a = 0; a < kCandidateCount; ++a) {
            for (int b = 0; b < kCandidateCount; ++b) {
                bool sameCell = CellOfCandidate(a) == CellOfCandidate(b);
                bool sameDigit = DigitOfCandidate(a) == DigitOfCandidate(b);
                table[a][b] =
                    a != b && (sameCell || (sameDigit && CandidateGrid::Sees(CellOfCandidate(a), CellOfCandidate(b))));
            }
        }
        return table;
    }();
    return linked;
}

// The links a chain may use. Strong links (one of the two candidates holds) come from a
// digit with two places in a unit (unitLinks) or a cell with two candidates (cellLinks);
// weak links join the same digit in cells that see each other, and with cellLinks also
// the candidates of one cell. Every strong link is also weak.
struct LinkKinds {
    bool unitLinks;
    bool cellLinks;
};

// The candidates in a strong link of the kinds asked for, in ascending order, with the
// strong and the weak links between them by their index here. A chain's every candidate
// is in one of its strong links, so no other candidate can join one.
struct LinkGraph {
    std::vector<int> candidates;
    std::vector<std::vector<int>> strong;
    std::vector<std::vector<int>> weak;
};

LinkGraph LinksOn(const CandidateGrid& grid, LinkKinds kinds) {
    std::vector<std::array<int, 2>> pairs;
    for (int digit = 1; kinds.unitLinks && digit <= 9; ++digit) {
        for (const Link& link : LinksOf(grid, digit, 0, CandidateGrid::kUnitCount))
            pairs.push_back({CandidateOf(link.ends[0], digit), CandidateOf(link.ends[1], digit)});
    }
    for (int cell = 0; kinds.cellLinks && cell < 81; ++cell) {
        int digits = grid.GetCandidates(cell);
        if (Count(digits) == 2)
            pairs.push_back({CandidateOf(cell, Lowest(digits) + 1), CandidateOf(cell, Highest(digits) + 1)});
    }
    CandidateSet linked;
    for (const std::array<int, 2>& pair : pairs) linked.set(pair[0]).set(pair[1]);
    LinkGraph graph;
    std::array<int, kCandidateCount> index;
    for (int candidate = 0; candidate < kCandidateCount; ++candidate) {
        index[candidate] = static_cast<int>(graph.candidates.size());
        if (linked[candidate]) graph.candidates.push_back(candidate);
    }
    int count = static_cast<int>(graph.candidates.size());
    graph.strong.resize(count);
    graph.weak.resize(count);
    for (const std::array<int, 2>& pair : pairs) {
        std::vector<int>& ends = graph.strong[index[pair[0]]];
        if (std::find(ends.begin(), ends.end(), index[pair[1]]) != ends.end()) continue;  // a row and a block alike
        ends.push_back(index[pair[1]]);
        graph.strong[index[pair[1]]].push_back(index[pair[0]]);
    }
    for (int i = 0; i < count; ++i) {
        int a = graph.candidates[i];
        for (int j = 0; j < count; ++j) {
            int b = graph.candidates[j];
            if (WeaklyLinked()[a][b] && (kinds.cellLinks || DigitOfCandidate(a) == DigitOfCandidate(b)))
                graph.weak[i].push_back(j);
        }
    }
    return graph;
}

// What a chain may conclude. kChains: from its first candidate off to its last on, so
// one of the two holds and whatever both exclude goes. kLoops: a last candidate that
// excludes the first closes a loop in which either every other candidate holds, or the
// rest do, so that each weak link holds one of its two ends and what both ends exclude
// goes; the closing link's among them, so a loop yields all its chain does. (A chain
// back to its first candidate on, which would place it, is never the shortest: the
// chain without its last strong link already eliminates the candidate before it.)
enum Conclusions { kChains = 1, kLoops = 2 };

// The shortest chain of one kind, from a breadth-first search out of each candidate; the
// first found among the shortest. One search per grid.
class ChainSearch {
public:
    ChainSearch(const CandidateGrid& grid, LinkKinds kinds, int conclusions)
        : grid_(grid), graph_(LinksOn(grid, kinds)), conclusions_(conclusions) {
        for (int cell = 0; cell < 81; ++cell) {
            for (int rest = grid.GetCandidates(cell); rest != 0; rest &= rest - 1)
                present_.set(CandidateOf(cell, Lowest(rest) + 1));
        }
    }

    Step Find(Technique technique) {
        size_t count = graph_.candidates.size();
        depth_.resize(count);
        parent_.resize(count);
        for (size_t start = 0; start < count; ++start) SearchFrom(static_cast<int>(start));
        if (bestNodes_ > kMaxNodes) return {};
        StepMaker step(grid_, technique);
        step.Rating(ChainRating(technique, bestNodes_));
        for (int candidate : chain_) step.Pattern(CellOfCandidate(candidate), Bit(DigitOfCandidate(candidate)));
        for (int candidate = 0; candidate < kCandidateCount; ++candidate) {
            if (eliminated_[candidate]) step.Eliminate(CellOfCandidate(candidate), Bit(DigitOfCandidate(candidate)));
        }
        return step.Result();
    }

private:
    // Assumes the start off; a candidate at an odd depth is then on, at an even one off.
    // Each candidate enters once, at its least depth, so the chains found are simple.
    void SearchFrom(int start) {
        std::fill(depth_.begin(), depth_.end(), -1);
        depth_[start] = 0;
        std::vector<int> queue = {start};
        for (size_t next = 0; next < queue.size(); ++next) {
            int node = queue[next];
            int nodes = depth_[node] + 1;
            if (nodes >= bestNodes_) return;
            bool on = depth_[node] % 2 == 1;
            if (on) Conclude(start, node);
            for (int linked : on ? graph_.weak[node] : graph_.strong[node]) {
                if (depth_[linked] >= 0 || nodes + 1 >= bestNodes_) continue;
                depth_[linked] = depth_[node] + 1;
                parent_[linked] = node;
                queue.push_back(linked);
            }
        }
    }

    // The eliminations of a chain from start off to end on, kept when there are any.
    void Conclude(int start, int end) {
        const std::array<CandidateSet, kCandidateCount>& linked = WeaklyLinked();
        int first = graph_.candidates[start], last = graph_.candidates[end];
        int nodes = depth_[end] + 1;
        if ((conclusions_ & kLoops) != 0 && nodes >= 4 && linked[first][last]) {
            std::vector<int> loop = PathTo(end);
            CandidateSet excluded;
            for (size_t i = 1; i < loop.size(); i += 2) {
                excluded |= linked[loop[i]] & linked[loop[(i + 1) % loop.size()]];
            }
            Keep(end, nodes, excluded & present_);
        }
        if ((conclusions_ & kChains) != 0 && nodes < bestNodes_) {
            CandidateSet excluded = linked[first] & linked[last] & present_;
            if (excluded.any()) Keep(end, nodes, excluded);
        }
    }

    // Keeps the chain to end when it is shorter than the best and still eliminates
    // something besides its own candidates.
    void Keep(int end, int nodes, CandidateSet eliminated) {
        if (nodes >= bestNodes_) return;
        std::vector<int> chain = PathTo(end);
        for (int candidate : chain) eliminated.reset(candidate);
        if (eliminated.none()) return;
        bestNodes_ = nodes;
        chain_ = std::move(chain);
        eliminated_ = eliminated;
    }

    // The candidates from the start to end.
    std::vector<int> PathTo(int end) const {
        std::vector<int> path;
        for (int node = end;; node = parent_[node]) {
            path.push_back(graph_.candidates[node]);
            if (depth_[node] == 0) break;
        }
        std::reverse(path.begin(), path.end());
        return path;
    }

    const CandidateGrid& grid_;
    LinkGraph graph_;
    int conclusions_;
    CandidateSet present_;
    std::vector<int> depth_, parent_;
    int bestNodes_ = kMaxNodes + 1;
    std::vector<int> chain_;
    CandidateSet eliminated_;
};

}  // namespace

Step XCycle(const CandidateGrid& grid) { return ChainSearch(grid, {true, false}, kLoops).Find(Technique::kXCycle); }
Step XChain(const CandidateGrid& grid) { return ChainSearch(grid, {true, false}, kChains).Find(Technique::kXChain); }
Step XYChain(const CandidateGrid& grid) { return ChainSearch(grid, {false, true}, kChains).Find(Technique::kXYChain); }
Step NiceLoop(const CandidateGrid& grid) {
    return ChainSearch(grid, {true, true}, kChains | kLoops).Find(Technique::kNiceLoop);
}

}  // namespace techniques
