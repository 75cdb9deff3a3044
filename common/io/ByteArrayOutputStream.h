// ByteArrayOutputStream: an output stream that collects its bytes in memory.
#pragma once

#include "OutputStreamBase.h"

#include "common/Object.h"
#include "common/String.h"

#include <cstddef>

namespace io {

// Holds exactly the bytes written, in one buffer whose capacity at least doubles
// whenever a write needs more room, so that a run of writes costs time in proportion
// to the bytes written; it hands them out raw or as text converted lazily from the
// system's ANSI code page.
class ByteArrayOutputStream : public Object, public OutputStreamBase {
public:
    ByteArrayOutputStream() : Object(L"ByteArrayOutputStream") {}
    virtual ~ByteArrayOutputStream();
    ByteArrayOutputStream(const ByteArrayOutputStream&) = delete;
    ByteArrayOutputStream& operator=(const ByteArrayOutputStream&) = delete;

    // Also lets the buffer go.
    void Reset() override;
    // Raises "ByteArrayOutputStream::Write()" when the buffer cannot grow; the bytes
    // written before stay as they were.
    void Write(const void* data, int count) override;

    // The GetSize() bytes written, without a terminator; null when there are none.
    // Owned by the stream and valid until the next Write or Reset.
    const char* GetBuffer() const { return buffer_; }
    // The bytes as text (up to the first zero byte), converted only when they changed
    // since the last call. Owned by the stream.
    const String& ToString();

private:
    // Makes room for size bytes in all, keeping the bytes held.
    void Grow(size_t size, int count);

    char* buffer_ = nullptr;
    size_t capacity_ = 0;
    String text_;
    bool dirty_ = true;
};

}  // namespace io
