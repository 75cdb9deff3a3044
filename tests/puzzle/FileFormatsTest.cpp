// Tests of the file dialogs' types: their lists, as the dialogs take them, and Save's choice.
#include "puzzle/FileFormats.h"

#include "puzzle/GameFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

// A filter with '|' for each zero, as it reads.
std::wstring Readable(std::wstring filter) {
    std::replace(filter.begin(), filter.end(), L'\0', L'|');
    return filter;
}

}  // namespace

// The lists that players know, in their order: Save's two types lead Open's list, the
// game's extension is GameFile's, and "All puzzle files" takes in every form.
TEST(FileFormatsTest, OpenListsSavesTypesThenTheOtherFormsAndTheCatchAlls) {
    const std::wstring game = GameFile::kExtension;
    const std::wstring save = L"EnneoFiles|*.txt;*.enn|Enneo game|*" + game + L"|";
    EXPECT_EQ(save, Readable(FileFormats::Filter(FileFormats::SaveTypes())));
    EXPECT_EQ(save +
                  L"SadMan puzzle|*.sdk|Simple Sudoku puzzle|*.ss|Puzzle list|*.sdm;*.txt|"
                  L"All puzzle files|*.enn;*.txt;*.sdk;*.ss;*.sdm;*" +
                  game + L"|All files|*.*|",
              Readable(FileFormats::Filter(FileFormats::OpenTypes())));
}

// The dialogs count the types from 1, and answer 0 for a name typed with no type chosen.
TEST(FileFormatsTest, SaveWritesTheGameForItsTypeAndAPuzzleOtherwise) {
    EXPECT_EQ(FileFormats::kPuzzleFile, FileFormats::SavedAt(1));
    EXPECT_EQ(FileFormats::kGameFile, FileFormats::SavedAt(2));
    EXPECT_EQ(FileFormats::kPuzzleFile, FileFormats::SavedAt(0));
    EXPECT_EQ(FileFormats::kPuzzleFile, FileFormats::SavedAt(3));
}
