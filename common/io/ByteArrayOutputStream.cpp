// ByteArrayOutputStream: an output stream that collects its bytes in memory.
#include "ByteArrayOutputStream.h"

#include "common/Exception.h"

#include <cstring>
#include <memory>
#include <new>

namespace io {

ByteArrayOutputStream::~ByteArrayOutputStream() { delete[] buffer_; }

void ByteArrayOutputStream::Reset() {
    if (buffer_ != nullptr) dirty_ = true;
    delete[] buffer_;
    buffer_ = nullptr;
    OutputStreamBase::Reset();
}

void ByteArrayOutputStream::Write(const void* data, int count) {
    if (count <= 0) return;
    size_t size = static_cast<size_t>(count_) + static_cast<size_t>(count);
    char* grown = size <= 0x7FFFFFFF ? new (std::nothrow) char[size] : nullptr;
    if (grown == nullptr) {
        throw new Exception(
            L"ByteArrayOutputStream::Write()\nNo memory for %d more bytes after %d.", count,
            count_);
    }
    if (buffer_ != nullptr) std::memcpy(grown, buffer_, count_);
    std::memcpy(grown + count_, data, count);
    delete[] buffer_;
    buffer_ = grown;
    count_ += count;
    dirty_ = true;
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
