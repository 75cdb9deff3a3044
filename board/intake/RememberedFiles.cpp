// RememberedFiles: a short list of files, the latest first, kept in the program's settings.
#include "RememberedFiles.h"

#include <algorithm>
#include <cwctype>

namespace {

const wchar_t kNoteMark = L'|';

bool SamePath(const std::wstring& a, const std::wstring& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](wchar_t x, wchar_t y) { return std::towlower(x) == std::towlower(y); });
}

}  // namespace

RememberedFiles::RememberedFiles(util::IProperties& properties, const wchar_t* section, size_t capacity)
    : properties_(properties), section_(section), capacity_(capacity) {
    for (size_t i = 1; i <= capacity_; ++i) {
        String value;
        if (!properties_.GetProperty(std::to_wstring(i).c_str(), value, section_)) continue;
        std::wstring text = value.GetText();
        size_t mark = text.rfind(kNoteMark);
        Entry entry{text.substr(0, mark), mark == std::wstring::npos ? std::wstring() : text.substr(mark + 1)};
        if (!entry.path.empty() && Locate(entry.path) == entries_.end()) entries_.push_back(std::move(entry));
    }
}

std::vector<RememberedFiles::Entry>::iterator RememberedFiles::Locate(const std::wstring& path) {
    return std::find_if(entries_.begin(), entries_.end(),
                        [&](const Entry& entry) { return SamePath(entry.path, path); });
}

std::optional<std::wstring> RememberedFiles::Find(const std::wstring& path) const {
    for (const Entry& entry : entries_) {
        if (SamePath(entry.path, path)) return entry.note;
    }
    return std::nullopt;
}

void RememberedFiles::Put(const std::wstring& path, const std::wstring& note) {
    auto found = Locate(path);
    if (found != entries_.end()) entries_.erase(found);
    entries_.insert(entries_.begin(), Entry{path, note});
    if (entries_.size() > capacity_) entries_.resize(capacity_);
    Write();
}

void RememberedFiles::Remove(const std::wstring& path) {
    auto found = Locate(path);
    if (found == entries_.end()) return;
    entries_.erase(found);
    Write();
}

void RememberedFiles::Write() {
    for (size_t i = 0; i < capacity_; ++i) {
        std::wstring text;
        if (i < entries_.size()) {
            text = entries_[i].path;
            if (!entries_[i].note.empty()) text += kNoteMark + entries_[i].note;
        }
        properties_.SetProperty(std::to_wstring(i + 1).c_str(), text.c_str(), section_);
    }
}

std::wstring RememberedFiles::MenuText(size_t index, const std::wstring& path) {
    std::wstring shown = path;
    if (shown.size() > kMenuLength) {
        size_t name = shown.find_last_of(L"\\/");
        std::wstring tail =
            name == std::wstring::npos ? shown.substr(shown.size() - kMenuLength / 2) : shown.substr(name);
        size_t head = tail.size() + 6 < kMenuLength ? kMenuLength - tail.size() - 3 : 3;
        shown = shown.substr(0, head) + L"..." + tail;
    }
    std::wstring text = L"&" + std::to_wstring(index + 1) + L" ";
    for (wchar_t c : shown) {
        if (c == L'&') text += L'&';
        text += c;
    }
    return text;
}
