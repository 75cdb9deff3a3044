// FuzzInput: takes typed pieces off the front of a fuzzer's input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Reads the fuzzer's bytes front to back; past the end every piece is empty or 0.
class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    uint8_t TakeByte() { return position_ < size_ ? data_[position_++] : 0; }
    // Wide text of up to maxLength characters, one byte each (so that every character
    // of the ASCII range and Latin-1 can occur).
    std::wstring TakeText(size_t maxLength) {
        size_t length = TakeByte() % (maxLength + 1);
        std::wstring text;
        while (text.size() < length && position_ < size_) text += static_cast<wchar_t>(data_[position_++]);
        return text;
    }
    // Everything not taken yet.
    std::string TakeRest() {
        std::string rest(reinterpret_cast<const char*>(data_ + position_), size_ - position_);
        position_ = size_;
        return rest;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t position_ = 0;
};
