// Tests of the file dialogs' types: their lists, as the dialogs take them, and Save's choice.
#include "puzzle/FileFormats.h"

#include "puzzle/GameFile.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

std::vector<std::pair<Message::Id, std::wstring>> Listed(const std::vector<FileFormats::Type>& types) {
    std::vector<std::pair<Message::Id, std::wstring>> listed;
    for (const FileFormats::Type& type : types) listed.emplace_back(type.name, type.patterns);
    return listed;
}

}  // namespace

// The lists that players know, in their order: Save's two types lead Open's list, the
// game's extension is GameFile's, and "All puzzle files" takes in every form.
TEST(FileFormatsTest, OpenListsSavesTypesThenTheOtherFormsAndTheCatchAlls) {
    const std::wstring game = std::wstring(L"*") + GameFile::kExtension;
    std::vector<std::pair<Message::Id, std::wstring>> save = {{Message::kFileTypePuzzles, L"*.txt;*.enn"},
                                                              {Message::kFileTypeGame, game}};
    EXPECT_EQ(save, Listed(FileFormats::SaveTypes()));
    std::vector<std::pair<Message::Id, std::wstring>> open = save;
    open.insert(open.end(), {{Message::kFileTypeSadMan, L"*.sdk"},
                             {Message::kFileTypeSimpleSudoku, L"*.ss"},
                             {Message::kFileTypeList, L"*.sdm;*.txt"},
                             {Message::kFileTypeAllPuzzles, L"*.enn;*.txt;*.sdk;*.ss;*.sdm;" + game},
                             {Message::kFileTypeAll, L"*.*"}});
    EXPECT_EQ(open, Listed(FileFormats::OpenTypes()));
}

// The dialogs count the types from 1, and answer 0 for a name typed with no type chosen.
TEST(FileFormatsTest, SaveWritesTheGameForItsTypeAndAPuzzleOtherwise) {
    EXPECT_EQ(FileFormats::kPuzzleFile, FileFormats::SavedAt(1));
    EXPECT_EQ(FileFormats::kGameFile, FileFormats::SavedAt(2));
    EXPECT_EQ(FileFormats::kPuzzleFile, FileFormats::SavedAt(0));
    EXPECT_EQ(FileFormats::kPuzzleFile, FileFormats::SavedAt(3));
    EXPECT_EQ(2u, FileFormats::IndexOf(FileFormats::kGameFile));
    EXPECT_EQ(1u, FileFormats::IndexOf(FileFormats::kPuzzleFile));
}
