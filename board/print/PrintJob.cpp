// PrintJob: the puzzles that a print job puts on paper, with the titles and footers of its pages.
#include "PrintJob.h"

#include "puzzle/Coach.h"
#include "puzzle/PuzzleGenerator.h"
#include "puzzle/PuzzleSolution.h"
#include "puzzle/SolverGrid.h"

#include <algorithm>
#include <iterator>

namespace {

// The level of givens that have exactly one solution, found within the coach's budget.
std::optional<PuzzleLevel> LevelOfGivens(const EnneoPuzzle& givens) {
    int64_t budget = Coach::kVerdictBudget;
    PuzzleSolution puzzle{SolverGrid(givens), &budget};
    if (puzzle.GetCount() != PuzzleSolution::kOne) return std::nullopt;
    return puzzle.GetLevel();
}

}  // namespace

bool PrintJob::NewPuzzles::IsValid() const {
    return count >= 1 && count <= kMaxCount &&
           std::find(std::begin(kPerPageChoices), std::end(kPerPageChoices), perPage) != std::end(kPerPageChoices);
}

bool PrintJob::HasPlayerDigits(const EnneoPuzzle& board) {
    for (int x = 1; x <= 9; ++x) {
        for (int y = 1; y <= 9; ++y) {
            if (board.GetCellState(x, y) == EnneoPuzzle::CELL_SET) return true;
        }
    }
    return false;
}

PrintJob PrintJob::OfBoard(const EnneoPuzzle& board, bool playerDigits, const wchar_t* name, const wchar_t* date) {
    PrintJob job(name, date);
    EnneoPuzzle givens = board;
    givens.Reset();
    job.level_ = LevelOfGivens(givens);
    job.grids_.push_back({playerDigits ? board : givens, PencilMarks()});
    job.puzzles_ = 1;
    return job;
}

std::optional<PrintJob> PrintJob::OfNewPuzzles(const NewPuzzles& request, uint64_t seed, const wchar_t* name,
                                               const wchar_t* date, const Progress& progress) {
    if (!request.IsValid()) return std::nullopt;
    PrintJob job(name, date);
    job.level_ = request.level;
    job.puzzles_ = request.count;
    job.perPage_ = request.perPage;
    job.titled_ = true;
    PuzzleGenerator generator(seed);
    for (int made = 1; made <= request.count; ++made) {
        // Polled while a puzzle is made, which at the hardest levels may take a while.
        std::optional<EnneoPuzzle> puzzle =
            generator.Generate(request.level, [&] { return progress(made, request.count); });
        if (!puzzle) return std::nullopt;
        job.grids_.push_back({*puzzle, PencilMarks()});
        if (!progress(made, request.count)) return std::nullopt;
    }
    for (int i = 0; request.solutions && i < request.count; ++i) {
        GameState solution = job.grids_[i];
        solution.puzzle.Solve();  // each has exactly one solution, which the solver finds
        job.grids_.push_back(solution);
    }
    return job;
}

std::vector<PrintJob::Page> PrintJob::Pages(const PrintLayout::Paper& paper) const {
    std::vector<PrintLayout::Page> layouts = PrintLayout::Pages(paper, puzzles_, perPage_, titled_);
    int solutions = static_cast<int>(grids_.size()) - puzzles_;
    std::vector<PrintLayout::Page> more = PrintLayout::Pages(paper, solutions, kSolutionsPerPage, true, puzzles_);
    layouts.insert(layouts.end(), more.begin(), more.end());

    std::vector<Page> pages;
    for (const PrintLayout::Page& layout : layouts) {
        Page page = {layout, {}, Footer(static_cast<int>(pages.size()) + 1, static_cast<int>(layouts.size()))};
        for (const PrintLayout::Grid& grid : layout.grids) {
            Message title;
            bool solution = grid.index >= puzzles_;
            if (titled_) {  // new puzzles, which have a level
                int number = (solution ? grid.index - puzzles_ : grid.index) + 1;
                title = Message(solution ? Message::kPrintSolutionTitle : Message::kPrintPuzzleTitle,
                                {Message::Value::Number(number), Message::Value::Level(*level_)});
            }
            page.titles.push_back(title);
        }
        pages.push_back(page);
    }
    return pages;
}

// "<program> - <level> - <date>", without the level where none is known, and with
// " - page N of M" on a job of more than one page.
Message PrintJob::Footer(int page, int pages) const {
    using V = Message::Value;
    Message footer(Message::kPrintFooter, {V::Text(name_), V::Text(date_)});
    if (level_) footer = Message(Message::kPrintFooterLevel, {V::Text(name_), V::Level(*level_), V::Text(date_)});
    if (pages > 1) footer.Then(Message(Message::kPrintPageOf, {V::Number(page), V::Number(pages)}));
    return footer;
}
