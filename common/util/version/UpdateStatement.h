// UpdateStatement: what the publisher's signature on a file of a release says the file is.
#pragma once

#include "common/Object.h"
#include "common/String.h"

#include <cstdint>
#include <string>

namespace util {
namespace version {

// What a downloaded file of a release is for.
enum class UpdateRole {
    Program,  // the new version of the program
    Updater,  // the updater that puts it in place
};

// The publisher signs a statement for each file of a release, not the file alone, so
// that a signature holds for one use only: a signed updater served as the program, a
// win64 program offered to a win32 one, or one release's file offered as another's, all
// fail. The statement is six lines, each ending in one LF (0x0A), in ASCII:
//
//   Enneo Tessary update statement
//   name=<the program's name, "Enneo">
//   role=<"program" or "updater">
//   architecture=<"win32" or "win64">
//   version=<the release, "1.0.3">
//   sha256=<the SHA-256 of the file's exact bytes, 64 lower-case hex digits>
//
// and the signature is ECDSA P-256 over the SHA-256 of those bytes.
// scripts/sign-update.py writes the same text; docs/updates.md documents it. The release's
// newest version is stated apart (LatestStatement).
class UpdateStatement : public Object {
public:
    static const int kDigestSize = 32;
    // The updater's file name, and the "OriginalFilename" of its version resource.
    static constexpr const wchar_t* kUpdaterFileName = L"updater.exe";

    // value as ASCII when it is 1 to 64 of A-Z a-z 0-9 . _ -, the values a statement
    // can hold; empty otherwise.
    static std::string PlainValue(const String& value);

    // The texts are copied; see GetText for the values a statement can hold.
    UpdateStatement(const wchar_t* name, UpdateRole role, const wchar_t* architecture, const wchar_t* version);

    // The statement for a file whose SHA-256 is digest (kDigestSize bytes). Empty when
    // the name, the architecture or the version is not 1 to 64 of A-Z a-z 0-9 . _ -:
    // such a statement cannot be written, so no signature holds for it.
    std::string GetText(const uint8_t* digest) const;

    const String& GetName() const { return name_; }
    const String& GetArchitecture() const { return architecture_; }
    const String& GetVersion() const { return version_; }
    // The "OriginalFilename" that a file of this role carries in its version resource:
    // the program's name, or kUpdaterFileName.
    const wchar_t* GetOriginalFilename() const;
    // The PE header's machine for the architecture: 0x014C (i386) for "win32", 0x8664
    // (AMD64) for "win64", 0 for anything else.
    uint16_t GetMachine() const;

private:
    String name_;
    UpdateRole role_;
    String architecture_;
    String version_;
};

}  // namespace version
}  // namespace util
