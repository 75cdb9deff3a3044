// ByteArrayOutputStream: an output stream that collects its bytes in memory.
#include "ByteArrayOutputStream.h"

#include "common/Exception.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

namespace io {

ByteArrayOutputStream::~ByteArrayOutputStream() { delete[] buffer_; }

void ByteArrayOutputStream::Reset() {
    if (buffer_ != nullptr) dirty_ = true;
    delete[] buffer_;
    buffer_ = nullptr;
    capacity_ = 0;
    OutputStreamBase::Reset();
}

void ByteArrayOutputStream::Write(const void* data, int count) {
    if (count <= 0) return;
    size_t size = static_cast<size_t>(count_) + static_cast<size_t>(count);
    if (size > capacity_) Grow(size, count);
    std::memcpy(buffer_ + count_, data, count);
    count_ += count;
    dirty_ = true;
}

void ByteArrayOutputStream::Grow(size_t size, int count) {
    const size_t kMaxSize = 0x7FFFFFFF;  // the count is an int
    char* grown = nullptr;
    size_t capacity = std::min(std::max(size, capacity_ * 2), kMaxSize);
    if (size <= kMaxSize) {
        grown = new (std::nothrow) char[capacity];
        // Near the end of the address space the doubled buffer may not fit where
        // the exact one still does.
        if (grown == nullptr && capacity > size) {
            capacity = size;
            grown = new (std::nothrow) char[capacity];
        }
    }
    if (grown == nullptr) {
        throw new Exception(
            L"ByteArrayOutputStream::Write()\nNo memory for %d more bytes after %d.", count,
            count_);
    }
    if (buffer_ != nullptr) std::memcpy(grown, buffer_, count_);
    delete[] buffer_;
    buffer_ = grown;
    capacity_ = capacity;
}

const String& ByteArrayOutputStream::ToString() {
    if (dirty_) {
        std::unique_ptr<char[]> text(new char[count_ + 1]);
        if (count_ > 0) std::memcpy(text.get(), buffer_, count_);
        text[count_] = 0;
        text_.SetAnsi(text.get());
        dirty_ = false;
    }
    return text_;
}

}  // namespace io
