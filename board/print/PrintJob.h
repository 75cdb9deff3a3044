// PrintJob: the puzzles that a print job puts on paper, with the titles and footers of its pages.
#pragma once

#include "PrintLayout.h"
#include "puzzle/Message.h"
#include "puzzle/GameState.h"
#include "puzzle/PuzzleLevel.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// What File / Print and File / Print New Puzzles put on paper: the board's puzzle alone
// on a page, or new puzzles of one level, numbered, several to a page, with their
// solutions smaller on the pages after them when asked for. It lays its pages out for a
// paper (PrintLayout) and tells each grid's title and each page's footer (messages);
// the printer code draws the grids with the board painter and the texts in words.
class PrintJob {
public:
    // What Print New Puzzles asks for.
    struct NewPuzzles {
        static constexpr int kMaxCount = 100;
        static constexpr int kPerPageChoices[] = {1, 2, 4, 6};

        PuzzleLevel level = PuzzleLevel::kMedium;
        int count = 4;    // 1 to kMaxCount
        int perPage = 4;  // one of kPerPageChoices
        bool solutions = false;

        bool IsValid() const;
    };
    // The solutions' grids, smaller than any page of puzzles has them.
    static constexpr int kSolutionsPerPage = 12;

    // While the puzzle numbered made is being made (between the generator's tries) and
    // once it is: that number and the count; false stops the job.
    using Progress = std::function<bool(int made, int count)>;

    struct Page {
        PrintLayout::Page layout;
        std::vector<Message> titles;  // one for each of the layout's grids, empty for none
        Message footer;
    };

    // The board's puzzle: its givens, and the player's digits too when playerDigits.
    // name: the program's; date: today's, as the user reads dates. Both are copied.
    static PrintJob OfBoard(const EnneoPuzzle& board, bool playerDigits, const wchar_t* name, const wchar_t* date);
    // New puzzles as the request asks, from the seed: none when the request is not
    // valid or progress stopped the job.
    static std::optional<PrintJob> OfNewPuzzles(const NewPuzzles& request, uint64_t seed, const wchar_t* name,
                                                const wchar_t* date, const Progress& progress);

    // Whether the board holds digits that are not givens (the player's or the solver's).
    static bool HasPlayerDigits(const EnneoPuzzle& board);

    std::vector<Page> Pages(const PrintLayout::Paper& paper) const;
    // What the grid of a page's layout shows (its index): a puzzle, or a solution.
    const GameState& GetGrid(int index) const { return grids_[index]; }
    int GetPuzzleCount() const { return puzzles_; }
    // The level the footers name: the new puzzles', or that of the board's givens when
    // they have exactly one solution; none otherwise.
    std::optional<PuzzleLevel> GetLevel() const { return level_; }

private:
    PrintJob(const wchar_t* name, const wchar_t* date) : name_(name), date_(date) {}
    Message Footer(int page, int pages) const;

    std::wstring name_;
    std::wstring date_;
    std::optional<PuzzleLevel> level_;
    std::vector<GameState> grids_;  // the puzzles, then their solutions if asked for
    int puzzles_ = 0;
    int perPage_ = 1;
    bool titled_ = false;  // new puzzles are numbered; the board's puzzle is not
};
