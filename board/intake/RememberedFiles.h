// RememberedFiles: a short list of files, the latest first, kept in the program's settings.
#pragma once

#include "common/util/IProperties.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// At most a capacity of paths, each with a short note, the latest first, in a section of
// the settings (a registry sub-key on Windows) as the values "1", "2", ... up to the
// capacity: "<path>" or "<path>|<note>" ('|' is in no Windows path), an empty value for
// no entry. Paths are told apart without regard to case, as Windows does. The list is
// read when made and written whole at each change, so that it stays bounded whatever
// the settings held before; a value that is empty or repeats a path is passed over.
class RememberedFiles {
public:
    struct Entry {
        std::wstring path;
        std::wstring note;
    };

    // properties: outlives this object.
    RememberedFiles(util::IProperties& properties, const wchar_t* section, size_t capacity);

    const std::vector<Entry>& Get() const { return entries_; }
    // The note kept with path; none when the list does not hold it.
    std::optional<std::wstring> Find(const std::wstring& path) const;
    // Puts path first with the note; an entry of the same path goes, and the last
    // entry drops off beyond the capacity.
    void Put(const std::wstring& path, const std::wstring& note = std::wstring());
    void Remove(const std::wstring& path);

    // The entry's text in a numbered menu ("&1 C:\Puzzles\top95.txt"), its '&'s doubled;
    // a path of more than kMenuLength characters keeps its beginning and its file name.
    static std::wstring MenuText(size_t index, const std::wstring& path);
    static const size_t kMenuLength = 60;

private:
    std::vector<Entry>::iterator Locate(const std::wstring& path);
    void Write();

    util::IProperties& properties_;
    const wchar_t* section_;
    size_t capacity_;
    std::vector<Entry> entries_;
};
