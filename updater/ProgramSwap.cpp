// ProgramSwap: puts a checked new version in the old program's place, in one step.
#include "ProgramSwap.h"

#include "SystemReason.h"

#include "common/Exception.h"

#include <windows.h>

ProgramSwap::ProgramSwap(util::version::UpdateFiles& files) : Object(L"ProgramSwap"), files_(files) {}

void ProgramSwap::Prepare() {
    const wchar_t* program = files_.GetProgram().GetText();
    DWORD attributes = GetFileAttributesW(program);
    readOnly_ = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    if (readOnly_ && !SetFileAttributesW(program, attributes & ~FILE_ATTRIBUTE_READONLY)) {
        readOnly_ = false;
        throw new Exception(L"%s is read-only, and that cannot be changed (%s)", files_.GetProgram(), SystemReason());
    }
}

void ProgramSwap::Finish() {
    DWORD attributes = GetFileAttributesW(files_.GetProgram().GetText());
    if (readOnly_ && attributes != INVALID_FILE_ATTRIBUTES) {
        SetFileAttributesW(files_.GetProgram().GetText(), attributes | FILE_ATTRIBUTE_READONLY);
    }
}

void ProgramSwap::Swap(util::File& newVersion, const std::string& oldProgram) {
    // On disk before it takes the program's name: a crash after the rename must not
    // leave a program file whose bytes never reached the disk.
    if (!newVersion.Flush())
        throw new Exception(L"%s could not be written to disk (%s)", newVersion.GetPath(), SystemReason());
    const String& kept = files_.GetKeptProgram();
    for (const String* file : {&files_.GetRecord(), &kept}) {
        if (file == &kept ? !files_.Claim(kept) : !files_.IsRecordUsable()) {
            throw new Exception(L"%s does not come from an update, so it is not replaced", *file);
        }
    }
    try {
        files_.Write(kept, oldProgram.data(), oldProgram.size());
    } catch (Exception* e) {
        delete e;
        throw new Exception(L"%s could not be copied to %s (%s)", files_.GetProgram(), kept, SystemReason());
    }
    // One rename over the program file: its name holds the old program or the new one,
    // whole, at every moment.
    if (!newVersion.RenameTo(files_.GetProgram().GetText())) {
        throw new Exception(L"%s could not replace %s (%s)", newVersion.GetPath(), files_.GetProgram(), SystemReason());
    }
}

bool ProgramSwap::Restore() {
    // The rename replaces the program file in one step, so it is still there after a
    // failed one; should a file system have lost it all the same, the kept copy is
    // moved back, again in one step.
    if (GetFileAttributesW(files_.GetProgram().GetText()) != INVALID_FILE_ATTRIBUTES) return true;
    return MoveFileExW(files_.GetKeptProgram().GetText(), files_.GetProgram().GetText(), MOVEFILE_WRITE_THROUGH) !=
           FALSE;
}
