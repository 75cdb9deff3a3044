// ProgramSwap: puts a checked new version in the old program's place, in one step.
#pragma once

#include "common/Object.h"
#include "common/util/File.h"
#include "common/util/version/UpdateFiles.h"

#include <string>

// The file swap of an update, given the new version as an open file (opened once, for
// reading, writing and renaming, shared with nobody: the bytes that were checked) and
// the old program's bytes. The old program is kept as "<name>.exe.old" only where that
// name is the update's to use (UpdateFiles::Claim: a user's own file of that name is
// never replaced, and the swap is refused); the new version is flushed to disk and then
// renamed over "<name>.exe" through its handle, so that the name holds the old program
// or the new one, whole, at every moment. A read-only program file is replaced all the
// same and the new one is read-only again; the kept copy is not.
class ProgramSwap : public Object {
public:
    // files: the update's files; not owned, must outlive the object.
    explicit ProgramSwap(util::version::UpdateFiles& files);

    // Clears the program file's read-only attribute, which would keep it from being
    // replaced, and remembers it for Finish; raises, with the reason for the user, when
    // it cannot.
    void Prepare();
    // Keeps the old program and moves the new version into its place; raises, with the
    // reason for the user, when a step fails.
    void Swap(util::File& newVersion, const std::string& oldProgram);
    // Gives the program file its read-only attribute back, when it had it.
    void Finish();
    // Moves the kept program back when the program file is missing; false when it is
    // missing and cannot be put back.
    bool Restore();

private:
    util::version::UpdateFiles& files_;
    bool readOnly_ = false;  // the program file was read-only
};
