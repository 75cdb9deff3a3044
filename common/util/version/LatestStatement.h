// LatestStatement: the publisher's signed word on which release is the newest, and until when.
#pragma once

#include "SignatureVerifier.h"

#include "common/Object.h"
#include "common/String.h"

#include <cstdint>
#include <string>

namespace util {
namespace version {

// The reply of the update service is not signed as a whole, so whoever answers for the
// service could say "nothing new" for ever, or offer an old signed release. The
// publisher therefore signs, beside each file, a statement of the newest release that
// expires some days ahead and is signed anew before it does (scripts/resign-latest.py).
// A release is made per architecture, so the statement names it: a win64 statement
// must never raise what a win32 program has seen. It is five lines, each ending in one
// LF (0x0A), in ASCII:
//
//   Enneo Tessary latest statement
//   name=<the program's name, "Enneo">
//   architecture=<"win32" or "win64">
//   version=<the newest release, "1.0.3">
//   expires=<seconds since 1970-01-01 00:00 UTC, decimal, "1767225600">
//
// and the signature is ECDSA P-256 over the SHA-256 of those bytes, like a file's
// statement (UpdateStatement). scripts/sign-update.py writes the same text. The program
// checks the statement of its own architecture (the build's, ENNEO_ARCH) only; the
// older four-line form without the architecture, which the service still carries for
// programs installed before, is never accepted.
class LatestStatement : public Object {
public:
    // The texts are copied, as the reply gives them; the architecture is the build's.
    LatestStatement(const String& name, const String& version, const String& expires);

    // True when signature (base64) signs this statement, whose version is a plain
    // dotted version and whose expiry a number of 1 to 18 digits.
    bool IsSignedBy(const SignatureVerifier& verifier, const String& signature) const;
    // The expiry in seconds since 1970 UTC; -1 when it is not such a number.
    int64_t GetExpiry() const;
    const String& GetVersion() const { return version_; }

private:
    // The statement's bytes; empty when a value cannot stand in it.
    std::string GetText() const;

    String name_;
    String version_;
    String expires_;
};

}  // namespace version
}  // namespace util
