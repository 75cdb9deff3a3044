// ProgramSwap: puts a checked new version in the old program's place, in one step.
#include "ProgramSwap.h"

#include "SystemReason.h"

#include "common/CatalogueText.h"
#include "common/Exception.h"

#include <windows.h>

#include <string>
#include <vector>

ProgramSwap::ProgramSwap(util::version::UpdateFiles& files) : Object(L"ProgramSwap"), files_(files) {}

void ProgramSwap::Prepare() {
    const wchar_t* program = files_.GetProgram().GetText();
    DWORD attributes = GetFileAttributesW(program);
    readOnly_ = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    if (readOnly_ && !SetFileAttributesW(program, attributes & ~FILE_ATTRIBUTE_READONLY)) {
        readOnly_ = false;
        String reason = SystemReason();  // first, while the last error is the failure's
        throw new Exception(L"%s",
                            CatalogueText(TextId::kUpdaterReadOnly, {files_.GetProgram().ToWide(), reason.ToWide()}));
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
    if (!newVersion.Flush()) {
        String reason = SystemReason();  // first, while the last error is the failure's
        throw new Exception(
            L"%s", CatalogueText(TextId::kUpdaterNotFlushed, {newVersion.GetPath().ToWide(), reason.ToWide()}));
    }
    const String& kept = files_.GetKeptProgram();
    for (const String* file : {&files_.GetRecord(), &kept}) {
        if (file == &kept ? !files_.Claim(kept) : !files_.IsRecordUsable()) {
            throw new Exception(L"%s", CatalogueText(TextId::kUpdaterNotFromUpdate, {file->ToWide()}));
        }
    }
    try {
        files_.Write(kept, oldProgram.data(), oldProgram.size());
    } catch (Exception* e) {
        delete e;
        String reason = SystemReason();  // first, while the last error is the failure's
        throw new Exception(L"%s", CatalogueText(TextId::kUpdaterNotKept,
                                                 {files_.GetProgram().ToWide(), kept.ToWide(), reason.ToWide()}));
    }
    // One rename over the program file: its name holds the old program or the new one,
    // whole, at every moment.
    if (!newVersion.RenameTo(files_.GetProgram().GetText())) {
        String reason = SystemReason();  // first, while the last error is the failure's
        throw new Exception(
            L"%s", CatalogueText(TextId::kUpdaterNotReplaced,
                                 {newVersion.GetPath().ToWide(), files_.GetProgram().ToWide(), reason.ToWide()}));
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
