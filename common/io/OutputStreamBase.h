// OutputStreamBase: the byte count every output stream keeps.
#pragma once

#include "IOutputStream.h"

namespace io {

// Counts the bytes written; derived streams add to the count in Write and call Reset
// when they discard their content.
class OutputStreamBase : public IOutputStream {
public:
    int GetSize() override { return count_; }
    void Reset() override { count_ = 0; }

protected:
    ~OutputStreamBase() = default;

    int count_ = 0;
};

}  // namespace io
