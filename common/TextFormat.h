// TextFormat: the printf-style formatter behind String::Format and Exception.
#pragma once

#include <string>
#include <type_traits>

class String;

// One formatting argument, captured with its type so that the formatter never reads
// an argument as something it is not. Wide text, String and integers are accepted;
// narrow text and floating-point values do not compile, on purpose.
class FormatArgument {
public:
    enum class Kind { Integer, Text };

    template <typename T, typename = std::enable_if_t<std::is_integral_v<T>>>
    FormatArgument(T value)
        : kind_(Kind::Integer),
          integer_(static_cast<long long>(value)),
          isUnsigned_(std::is_unsigned_v<T>),
          size_(sizeof(T)) {}
    FormatArgument(const wchar_t* text) : kind_(Kind::Text), text_(text) {}
    FormatArgument(wchar_t* text) : kind_(Kind::Text), text_(text) {}
    FormatArgument(const String& text);

    Kind GetKind() const { return kind_; }
    long long GetInteger() const { return integer_; }
    bool IsUnsigned() const { return isUnsigned_; }
    int GetSize() const { return size_; }  // bytes of the integer type passed
    const wchar_t* GetText() const { return text_; }

private:
    Kind kind_;
    long long integer_ = 0;
    bool isUnsigned_ = false;
    int size_ = 0;
    const wchar_t* text_ = nullptr;
};

// Formats like the wide printf family of Windows on every platform: "%s" takes wide
// text (a null text prints "(null)"), "%c" a character, "%d"/"%i"/"%u"/"%x"/"%X"/"%o"
// integers, with flags "-0+ #", a width and a precision; length modifiers are accepted
// and ignored because the arguments carry their own types. A conversion without an
// argument, or whose argument has the wrong kind, is copied to the output as written.
std::wstring FormatText(const wchar_t* format, const FormatArgument* arguments, int count);
