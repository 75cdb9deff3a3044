// IOutputStream: where received bytes go, in memory or in a file.
#pragma once

namespace io {

// A sink of bytes that counts what it took. Slot order: GetSize, Reset, Write.
// Streams are never deleted through this interface.
class IOutputStream {
public:
    // Bytes written since creation or the last Reset.
    virtual int GetSize() = 0;
    // Discards everything written; the count becomes 0.
    virtual void Reset() = 0;
    // Appends count bytes of data.
    virtual void Write(const void* data, int count) = 0;

protected:
    ~IOutputStream() = default;
};

}  // namespace io
