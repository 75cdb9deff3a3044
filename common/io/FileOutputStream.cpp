// FileOutputStream: an output stream that writes its bytes into a new file.
#include "FileOutputStream.h"

namespace io {

FileOutputStream::FileOutputStream(const wchar_t* path)
    : Object(L"FileOutputStream"), file_(path, L"File") {
    file_.CreateNew();
}

void FileOutputStream::Write(const void* data, int count) {
    if (count <= 0) return;
    file_.Write(data, static_cast<uint32_t>(count));
    count_ += count;
}

void FileOutputStream::Reset() {
    file_.Close();
    file_.Delete();
    file_.CreateNew();
    OutputStreamBase::Reset();
}

}  // namespace io
