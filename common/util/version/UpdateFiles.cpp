// UpdateFiles: the files an update makes in the program's folder, and the record of them.
#include "UpdateFiles.h"

#include "UpdateStatement.h"

#include "common/CatalogueText.h"
#include "common/Exception.h"
#include "common/FilePath.h"
#include "common/TextConversion.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace util {
namespace version {

namespace {

const char kHeader[] = "Enneo Tessary update record\n";
// A record is a few short lines; anything larger was not written by an update.
const uint32_t kLargestRecord = 4096;

std::wstring FileNameOf(const String& path) {
    std::wstring text(path.GetText());
    return text.substr(text.find_last_of(L"\\/") + 1);
}

// Whether anything (a file, a folder, a link) has the name.
bool Exists(const wchar_t* path) {
    std::error_code error;
    return std::filesystem::symlink_status(ToFilePath(path), error).type() != std::filesystem::file_type::not_found;
}

std::string Utf8(const std::wstring& text) { return WideToUtf8(text.c_str(), text.size()); }

// The decimal number that the whole of text is; false for anything else.
bool ReadNumber(const std::string& text, uint64_t& number) {
    if (text.empty() || text.size() > 19 || text.find_first_not_of("0123456789") != std::string::npos) return false;
    number = std::stoull(text);
    return true;
}

// The lines of text, each ended by separator; false when the last does not end so.
template <typename Text>
bool SplitLines(const Text& text, typename Text::value_type separator, std::vector<Text>& lines) {
    size_t start = 0;
    for (size_t end; (end = text.find(separator, start)) != Text::npos; start = end + 1) {
        lines.push_back(text.substr(start, end - start));
    }
    return start == text.size();
}

// Whether bytes are a record of the earlier form: the UTF-16 names of an update's
// files (of known), one a line, and nothing else.
bool IsEarlierRecord(const std::string& bytes, const std::vector<std::wstring>& known) {
    if (bytes.size() % 2 != 0) return false;
    std::u16string text(bytes.size() / 2, u'\0');
    for (size_t i = 0; i < text.size(); ++i) {
        text[i] =
            static_cast<char16_t>(static_cast<uint8_t>(bytes[2 * i]) | static_cast<uint8_t>(bytes[2 * i + 1]) << 8);
    }
    std::vector<std::u16string> names;
    if (!SplitLines(text, u'\n', names) || names.empty()) return false;
    return std::all_of(names.begin(), names.end(), [&](const std::u16string& name) {
        return std::any_of(known.begin(), known.end(),
                           [&](const std::wstring& file) { return std::u16string(file.begin(), file.end()) == name; });
    });
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

bool UpdateFiles::ReadRecord(std::vector<Entry>& entries) const {
    entries.clear();
    std::string bytes;
    File record(record_.GetText());
    record.OpenFile(FileAccess::Read, FileCreation::OpenExisting);
    // Missing, it is an empty record; unreadable, not one to rely on.
    if (!record.IsOpen()) return !Exists(record_.GetText());
    if (!record.ReadAll(bytes, kLargestRecord)) return false;
    if (bytes.compare(0, sizeof kHeader - 1, kHeader) != 0) return IsEarlierRecord(bytes, FileNames());
    std::vector<std::string> lines;
    if (!SplitLines(bytes.substr(sizeof kHeader - 1), '\n', lines)) return false;
    for (const std::string& line : lines) {
        Entry entry;
        if (!ReadEntry(line, entry)) return false;
        entries.push_back(entry);
    }
    return true;
}

bool UpdateFiles::ReadEntry(const std::string& line, Entry& entry) const {
    size_t first = line.find(' '), second = first == std::string::npos ? first : line.find(' ', first + 1);
    if (second == std::string::npos || !ReadNumber(line.substr(0, first), entry.identity.size) ||
        !ReadNumber(line.substr(first + 1, second - first - 1), entry.identity.index)) {
        return false;
    }
    for (const std::wstring& name : FileNames()) {
        if (Utf8(name) == line.substr(second + 1)) {
            entry.name = name;
            return true;
        }
    }
    return false;
}

bool UpdateFiles::WriteRecord(const std::vector<Entry>& entries) {
    if (entries.empty()) return File(record_.GetText()).Delete() || !Exists(record_.GetText());
    std::string text = kHeader;
    for (const Entry& entry : entries) {
        text += std::to_string(entry.identity.size) + " " + std::to_string(entry.identity.index) + " " +
                Utf8(entry.name) + "\n";
    }
    File record(record_.GetText());
    record.OpenFile(FileAccess::Write, FileCreation::CreateAlways);
    try {
        return record.IsOpen() && record.Write(text.data(), static_cast<uint32_t>(text.size())) == text.size();
    } catch (Exception* e) {
        delete e;
        return false;
    }
}

bool UpdateFiles::DeleteIfRecorded(const std::wstring& path, const FileIdentity& identity) const {
    File file(path.c_str());
    file.OpenFile(FileAccess::ReadDelete, FileCreation::OpenExisting);
    if (!file.IsOpen()) return !Exists(path.c_str());
    FileIdentity found;
    return file.GetIdentity(found) && found == identity && file.DeleteWhenClosed();
}

bool UpdateFiles::IsRecordUsable() const {
    std::vector<Entry> entries;
    return ReadRecord(entries);
}

bool UpdateFiles::Claim(const String& file) {
    std::vector<Entry> entries;
    if (!ReadRecord(entries)) return false;
    std::wstring name = FileNameOf(file);
    for (const Entry& entry : entries) {
        if (entry.name == name) return DeleteIfRecorded(file.GetText(), entry.identity);
    }
    return !Exists(file.GetText());
}

void UpdateFiles::Write(const String& file, const char* bytes, size_t size) {
    File made(file.GetText());
    made.OpenFile(FileAccess::Write, FileCreation::CreateNew, FileSharing::None);
    FileIdentity identity;
    bool written = false;
    try {
        written = made.IsOpen() && size <= UINT32_MAX && made.Write(bytes, static_cast<uint32_t>(size)) == size &&
                  made.Flush() && made.GetIdentity(identity);
    } catch (Exception* e) {
        delete e;
    }
    if (!written) {
        if (made.IsOpen()) made.DeleteWhenClosed();
        throw new Exception(L"%s", CatalogueText(TextId::kUpdateFileNotWritten, {file.ToWide()}));
    }
    Record(file, identity);
}

void UpdateFiles::Record(const String& file, const FileIdentity& identity) {
    std::vector<Entry> entries;
    bool read = ReadRecord(entries);
    std::wstring name = FileNameOf(file);
    entries.erase(
        std::remove_if(entries.begin(), entries.end(), [&](const Entry& entry) { return entry.name == name; }),
        entries.end());
    entries.push_back({name, identity});
    if (!read || !WriteRecord(entries)) {
        throw new Exception(L"%s", CatalogueText(TextId::kUpdateRecordNotWritten, {record_.ToWide()}));
    }
}

void UpdateFiles::RemoveRecorded() {
    std::vector<Entry> entries;
    if (!ReadRecord(entries)) return;
    std::vector<Entry> left;
    for (const Entry& entry : entries) {
        std::wstring path = std::wstring(folder_.GetText()) + entry.name;
        if (!DeleteIfRecorded(path, entry.identity)) {
            // Still the update's own, but it cannot go yet: tried again next time.
            File file(path.c_str());
            file.OpenFile(FileAccess::Read, FileCreation::OpenExisting);
            FileIdentity found;
            if (file.GetIdentity(found) && found == entry.identity) left.push_back(entry);
        }
    }
    WriteRecord(left);
}

}  // namespace version
}  // namespace util
