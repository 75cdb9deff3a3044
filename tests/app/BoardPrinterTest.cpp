// Tests of the board printer on printers of the test's own: whole jobs, cancelled jobs, failing printers.
#include "app/print/BoardPrinter.h"
#include "tests/common/TestFiles.h"
#include "tests/support/TestPrinter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

// A printer named for this process (tests run side by side) that prints into path.
class OwnPrinter {
public:
    OwnPrinter(const wchar_t* name, const std::wstring& path)
        : name_(std::wstring(name) + L" " + std::to_wstring(GetCurrentProcessId())) {
        std::wstring error;
        added_ = TestPrinter::Add(name_, path, false, error);
        EXPECT_TRUE(added_) << std::string(error.begin(), error.end());
    }
    ~OwnPrinter() { TestPrinter::Remove(name_); }

    BoardPrinter::Context Open() const {
        return BoardPrinter::Context(CreateDCW(L"WINSPOOL", name_.c_str(), nullptr, nullptr), &DeleteDC);
    }
    bool IsAdded() const { return added_; }

private:
    std::wstring name_;
    bool added_ = false;
};

// Seven puzzles four to a page with their solutions: three pages.
PrintJob SevenPuzzles() {
    PrintJob::NewPuzzles request;
    request.count = 7;
    request.solutions = true;
    return *PrintJob::OfNewPuzzles(request, 33, L"Enneo Tessary", L"today", [](int, int) { return true; });
}

// Every page goes out, told before it is printed; a job cancelled at its second page
// leaves nothing (AbortDoc); a printer that cannot deliver the job says why.
TEST(BoardPrinterTest, PrintsEveryPageOrNoneWhenCancelledAndSaysWhyItFailed) {
    TempFolder folder;
    std::wstring path = folder.Path("job.ps");
    OwnPrinter printer(L"Enneo Printer Test", path);
    ASSERT_TRUE(printer.IsAdded());
    PrintJob job = SevenPuzzles();
    String error;
    std::vector<std::pair<int, int>> told;
    auto tell = [&](int page, int pages) {
        told.push_back({page, pages});
        return true;
    };
    EXPECT_TRUE(BoardPrinter::Print(printer.Open().get(), job, L"Enneo Tessary", tell, error));
    EXPECT_TRUE(error.IsEmpty());
    EXPECT_EQ((std::vector<std::pair<int, int>>{{1, 3}, {2, 3}, {3, 3}}), told);
    ASSERT_TRUE(fs::exists(path));
    EXPECT_NE(std::string::npos, ReadBytes(path).find("%%Pages: 3"));

    fs::remove(path);
    auto cancelAtTwo = [](int page, int) { return page < 2; };
    EXPECT_TRUE(BoardPrinter::Print(printer.Open().get(), job, L"Enneo Tessary", cancelAtTwo, error));
    EXPECT_TRUE(error.IsEmpty());
    EXPECT_FALSE(fs::exists(path));

    OwnPrinter nowhere(L"Enneo Printer Nowhere", folder.Path("no-such-folder") + L"\\job.ps");
    EXPECT_FALSE(BoardPrinter::Print(nowhere.Open().get(), job, L"Enneo Tessary", tell, error));
    EXPECT_FALSE(error.IsEmpty());
}

}  // namespace
