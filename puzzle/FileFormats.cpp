// FileFormats: the files Open reads and Save writes, as the file dialogs list their types.
#include "FileFormats.h"

#include "GameFile.h"

namespace {

// Every extension once, in the order that "All puzzle files" lists them.
enum Extension { kOwn, kText, kSadMan, kSimpleSudoku, kList, kGame, kExtensionCount };
const wchar_t* const kExtensions[kExtensionCount] = {L".enn", L".txt", L".sdk", L".ss", L".sdm", GameFile::kExtension};

struct Format {
    Message::Id name;
    std::vector<Extension> extensions;
    FileFormats::Saved saved;
};

// Open's types before its two that take in all; Save's first, in the order of its list.
const std::vector<Format>& Formats() {
    static const std::vector<Format> formats = {
        {Message::kFileTypePuzzles, {kText, kOwn}, FileFormats::kPuzzleFile},
        {Message::kFileTypeGame, {kGame}, FileFormats::kGameFile},
        {Message::kFileTypeSadMan, {kSadMan}, FileFormats::kOpenOnly},
        {Message::kFileTypeSimpleSudoku, {kSimpleSudoku}, FileFormats::kOpenOnly},
        {Message::kFileTypeList, {kList, kText}, FileFormats::kOpenOnly},
    };
    return formats;
}

// "*.sdm;*.txt"
std::wstring Patterns(const std::vector<Extension>& extensions) {
    std::wstring patterns;
    for (Extension extension : extensions) {
        if (!patterns.empty()) patterns += L';';
        patterns += std::wstring(L"*") + kExtensions[extension];
    }
    return patterns;
}

FileFormats::Type TypeOf(const Format& format) { return {format.name, Patterns(format.extensions)}; }

std::vector<const Format*> SavedFormats() {
    std::vector<const Format*> saved;
    for (const Format& format : Formats()) {
        if (format.saved != FileFormats::kOpenOnly) saved.push_back(&format);
    }
    return saved;
}

}  // namespace

std::vector<FileFormats::Type> FileFormats::SaveTypes() {
    std::vector<Type> types;
    for (const Format* format : SavedFormats()) types.push_back(TypeOf(*format));
    return types;
}

std::vector<FileFormats::Type> FileFormats::OpenTypes() {
    std::vector<Type> types;
    for (const Format& format : Formats()) types.push_back(TypeOf(format));
    std::vector<Extension> every;
    for (int extension = 0; extension < kExtensionCount; ++extension) {
        every.push_back(static_cast<Extension>(extension));
    }
    types.push_back({Message::kFileTypeAllPuzzles, Patterns(every)});
    types.push_back({Message::kFileTypeAll, L"*.*"});
    return types;
}

FileFormats::Saved FileFormats::SavedAt(size_t index) {
    std::vector<const Format*> saved = SavedFormats();
    return index >= 1 && index <= saved.size() ? saved[index - 1]->saved : kPuzzleFile;
}

size_t FileFormats::IndexOf(Saved saved) {
    std::vector<const Format*> formats = SavedFormats();
    for (size_t index = 0; index < formats.size(); ++index) {
        if (formats[index]->saved == saved) return index + 1;
    }
    return 1;
}
