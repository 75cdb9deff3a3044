// String: the framework's one text type.
#include "String.h"

#include "TextConversion.h"

#include <cstring>
#include <cwchar>
#include <vector>

namespace {

// A new exact-size buffer holding length characters of text and a terminator.
wchar_t* NewBuffer(const wchar_t* text, size_t length) {
    wchar_t* buffer = new wchar_t[length + 1];
    std::wmemcpy(buffer, text, length);
    buffer[length] = 0;
    return buffer;
}

}  // namespace

String::String() : Object(L"String") {}

String::String(const wchar_t* text) : String() { Set(text); }

String::String(const String& other) : String() { Set(other.text_); }

String& String::operator=(const String& other) {
    Set(other.text_);
    return *this;
}

String::~String() {
    delete[] text_;
    FreeNarrow();
}

void String::FreeNarrow() {
    delete[] narrow_;
    narrow_ = nullptr;
}

void String::TakeText(const std::wstring& text) {
    wchar_t* buffer = NewBuffer(text.data(), text.size());
    delete[] text_;
    FreeNarrow();
    text_ = buffer;
    length_ = static_cast<int>(text.size());
}

void String::AppendText(const std::wstring& text) {
    size_t oldLength = GetLength();
    wchar_t* buffer = new wchar_t[oldLength + text.size() + 1];
    std::wmemcpy(buffer, text_ ? text_ : L"", oldLength);
    std::wmemcpy(buffer + oldLength, text.data(), text.size());
    buffer[oldLength + text.size()] = 0;
    delete[] text_;  // the UTF-8 copy stays until the next ToUtf8
    text_ = buffer;
    length_ = static_cast<int>(oldLength + text.size());
}

void String::Set(const wchar_t* text) {
    if (text == text_ && text != nullptr) return;
    if (text == nullptr) {
        delete[] text_;
        FreeNarrow();
        text_ = nullptr;
        length_ = 0;
        return;
    }
    TakeText(std::wstring(text));
}

void String::SetAnsi(const char* text) {
    if (text == nullptr) {
        Set(nullptr);
        return;
    }
    TakeText(AnsiToWide(text));
}

void String::Append(const String& other) {
    if (other.IsEmpty()) return;
    AppendText(std::wstring(other.text_, other.GetLength()));
}

int String::Replace(const wchar_t* find, const wchar_t* replacement) {
    if (IsEmpty() || find == nullptr || *find == 0) return 0;
    std::wstring source(text_, length_);
    size_t findLength = std::wcslen(find);
    size_t match = source.find(find);
    if (match == std::wstring::npos) return 0;
    std::wstring result;
    size_t start = 0;
    int count = 0;
    for (; match != std::wstring::npos; match = source.find(find, start)) {
        result.append(source, start, match - start);
        if (replacement != nullptr) result += replacement;
        start = match + findLength;
        ++count;
    }
    result.append(source, start, std::wstring::npos);
    TakeText(result);
    return count;
}

int String::FindLast(const wchar_t* text) const {
    if (text == nullptr || *text == 0 || IsEmpty()) return -1;
    std::wstring_view source(text_, length_);
    size_t textLength = std::wcslen(text);
    int last = -1;
    for (size_t match = source.find(text); match != std::wstring_view::npos;
         match = source.find(text, match + textLength)) {
        last = static_cast<int>(match);
    }
    return last;
}

bool String::SubString(String& out, int start, int count) const {
    int available = GetLength();
    if (start < 0 || start > available) {
        out.Set(nullptr);
        return false;
    }
    if (count == 0) {
        out.Set(nullptr);
        return true;
    }
    int n = (count < 0 || count > available - start) ? available - start : count;
    // Built before out is touched, so that out may be this String.
    std::wstring piece(text_ ? text_ + start : L"", n);
    out.TakeText(piece);
    return true;
}

bool String::Split(const wchar_t* separator, std::unique_ptr<String[]>& pieces, int& count) const {
    if (IsEmpty()) return false;
    std::wstring_view source(text_, length_);
    size_t separatorLength = separator ? std::wcslen(separator) : 0;
    std::vector<std::wstring_view> found;
    size_t start = 0;
    if (separatorLength > 0) {
        for (size_t match = source.find(separator); match != std::wstring_view::npos;
             match = source.find(separator, start)) {
            found.push_back(source.substr(start, match - start));
            start = match + separatorLength;
        }
    }
    if (start < source.size()) found.push_back(source.substr(start));
    auto result = std::make_unique<String[]>(found.size() + 1);
    for (size_t i = 0; i < found.size(); ++i) {
        result[i].TakeText(std::wstring(found[i]));
    }
    pieces = std::move(result);
    count = static_cast<int>(found.size());
    return true;
}

const char* String::ToUtf8() {
    FreeNarrow();
    if (IsEmpty()) return nullptr;
    std::string utf8 = WideToUtf8(text_, length_);
    narrow_ = new char[utf8.size() + 1];
    std::memcpy(narrow_, utf8.data(), utf8.size() + 1);
    return narrow_;
}
