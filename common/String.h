// String: the framework's one text type.
#pragma once

#include "Object.h"
#include "TextFormat.h"

#include <memory>

// Owned, null-terminated wide text in a buffer of exactly length + 1 characters; a null
// buffer is the empty String. Every change allocates a new exact buffer. The String also
// keeps the UTF-8 copy made by the last ToUtf8 call. There are no implicit conversions:
// a String is made from wide text only, and only on request.
class String final : public Object {
public:
    String();
    explicit String(const wchar_t* text);
    String(const String& other);  // copies the wide text, never the UTF-8 copy
    String& operator=(const String& other);
    ~String();

    // The text, or null when the String is empty.
    const wchar_t* GetText() const { return text_; }
    int GetLength() const { return text_ ? length_ : 0; }
    bool IsEmpty() const { return text_ == nullptr; }
    // The text as a standard string, empty for the empty String: a value for
    // Language::Say and the like.
    std::wstring ToWide() const { return text_ ? std::wstring(text_, length_) : std::wstring(); }

    // Copies the text; null empties the String; the String's own text changes nothing.
    void Set(const wchar_t* text);
    // Converts narrow text from the system's ANSI code page; null empties the String.
    void SetAnsi(const char* text);

    // Replaces the content with the formatted text (see FormatText) and returns it.
    template <typename... Args>
    const wchar_t* Format(const wchar_t* format, const Args&... args) {
        const FormatArgument list[] = {FormatArgument(args)..., FormatArgument(0)};
        TakeText(FormatText(format, list, sizeof...(Args)));
        return text_;
    }
    // Appends the formatted text; a null format does nothing.
    template <typename... Args>
    void AppendFormat(const wchar_t* format, const Args&... args) {
        if (format == nullptr) return;
        const FormatArgument list[] = {FormatArgument(args)..., FormatArgument(0)};
        AppendText(FormatText(format, list, sizeof...(Args)));
    }
    void Append(const String& other);

    // Replaces every non-overlapping occurrence of find, left to right, by replacement
    // (null removes them); returns the count. An empty or null find replaces nothing.
    int Replace(const wchar_t* find, const wchar_t* replacement);
    // Index of the last occurrence found by a left-to-right search that skips whole
    // matches (so 'aa' in 'aaa' is at 0), or -1; also -1 for null or empty text.
    int FindLast(const wchar_t* text) const;
    // Copies count characters from start into out (-1: up to the end; cut at the end).
    // False, with out emptied, when start is past the end or negative.
    bool SubString(String& out, int start, int count) const;
    // Splits at every occurrence of the non-empty separator. pieces receives a new
    // array of count + 1 Strings whose last element is empty; a trailing empty piece
    // is not counted. False, with the outputs untouched, when the String is empty.
    bool Split(const wchar_t* separator, std::unique_ptr<String[]>& pieces, int& count) const;

    // The text as UTF-8, valid until the next ToUtf8, change or destruction; null when
    // the String is empty.
    const char* ToUtf8();

private:
    void TakeText(const std::wstring& text);
    void AppendText(const std::wstring& text);
    void FreeNarrow();

    wchar_t* text_ = nullptr;
    char* narrow_ = nullptr;
    int length_ = 0;
};
