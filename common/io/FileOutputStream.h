// FileOutputStream: an output stream that writes its bytes into a new file.
#pragma once

#include "OutputStreamBase.h"

#include "common/Object.h"
#include "common/util/File.h"

namespace io {

// Creates (or truncates) its target file at construction, without a mark, and keeps it
// open for writing until destruction. Reset starts the file over, empty.
class FileOutputStream : public Object, public OutputStreamBase {
public:
    // Raises "File::CreateNew()" when the file cannot be created.
    explicit FileOutputStream(const wchar_t* path);
    virtual ~FileOutputStream() = default;

    void Reset() override;
    // Raises "File::Write()" when the file refuses the bytes.
    void Write(const void* data, int count) override;

private:
    util::File file_;
};

}  // namespace io
