// UpdateFiles: the files an update makes in the program's folder, and the record of them.
#include "UpdateFiles.h"

#include "UpdateStatement.h"

#include "common/Exception.h"
#include "common/util/File.h"

#include <windows.h>

#include <algorithm>
#include <memory>

namespace util {
namespace version {

namespace {

// A record is a few short lines; anything larger was not written by an update.
const uint32_t kLargestRecord = 4096;

bool Contains(const std::vector<std::wstring>& names, const std::wstring& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

std::wstring FileNameOf(const String& path) {
    std::wstring text(path.GetText());
    return text.substr(text.find_last_of(L'\\') + 1);
}

}  // namespace

UpdateFiles::UpdateFiles(const wchar_t* folder, const wchar_t* name) : Object(L"UpdateFiles"), folder_(folder) {
    program_.Format(L"%s%s.exe", folder_, name);
    newVersion_.Format(L"%s%s.upd", folder_, name);
    signatureCopy_.Format(L"%s.sig", newVersion_);
    keptProgram_.Format(L"%s.old", program_);
    updater_.Format(L"%s%s", folder_, UpdateStatement::kUpdaterFileName);
    record_.Format(L"%s%s.update", folder_, name);
}

std::vector<std::wstring> UpdateFiles::FileNames() const {
    return {FileNameOf(updater_), FileNameOf(newVersion_), FileNameOf(signatureCopy_), FileNameOf(keptProgram_)};
}

void UpdateFiles::Record(std::initializer_list<const String*> files) {
    std::vector<std::wstring> names = ReadRecord();
    for (const String* file : files) {
        if (!Contains(names, FileNameOf(*file))) names.push_back(FileNameOf(*file));
    }
    WriteRecord(names);
}

bool UpdateFiles::IsRecorded(const String& file) const { return Contains(ReadRecord(), FileNameOf(file)); }

void UpdateFiles::RemoveRecorded() {
    std::vector<std::wstring> left;
    for (const std::wstring& name : ReadRecord()) {
        std::wstring path = std::wstring(folder_.GetText()) + name;
        if (!DeleteFileW(path.c_str()) && GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
            left.push_back(name);
        }
    }
    WriteRecord(left);
}

std::vector<std::wstring> UpdateFiles::ReadRecord() const {
    std::vector<std::wstring> names;
    std::unique_ptr<char[]> bytes;
    try {
        File file(record_.GetText());
        file.OpenFile(FileAccess::Read, FileCreation::OpenExisting);
        if (!file.IsOpen() || file.GetSize() > kLargestRecord) return names;
        file.LoadIntoMemory(bytes);  // ends in zero bytes: UTF-16 text
    } catch (Exception* e) {
        delete e;
        return names;
    }
    std::vector<std::wstring> known = FileNames();
    std::wstring text(reinterpret_cast<const wchar_t*>(bytes.get()));
    for (size_t start = 0; start < text.size();) {
        size_t end = std::min(text.find(L'\n', start), text.size());
        std::wstring name = text.substr(start, end - start);
        if (Contains(known, name) && !Contains(names, name)) names.push_back(name);
        start = end + 1;
    }
    return names;
}

void UpdateFiles::WriteRecord(const std::vector<std::wstring>& names) {
    if (names.empty()) {
        File(record_.GetText()).Delete();
        return;
    }
    std::wstring text;
    for (const std::wstring& name : names) text += name + L"\n";
    File file(record_.GetText());
    file.OpenFile(FileAccess::Write, FileCreation::CreateAlways);
    if (!file.IsOpen()) throw new Exception(L"UpdateFiles::Record()\nFile : %s\nIt cannot be written.", record_);
    file.Write(text.data(), static_cast<uint32_t>(text.size() * sizeof(wchar_t)));
}

}  // namespace version
}  // namespace util
