// UpdateFileVerifier: decides whether a downloaded file is the one the publisher released for its use.
#pragma once

#include "SignatureVerifier.h"
#include "UpdatePublicKey.h"
#include "UpdateStatement.h"

#include "common/Object.h"
#include "common/String.h"

#include <string>

namespace util {
namespace version {

// The checks that the program makes on both downloads and the updater on the new
// version before either is started: the publisher's signature on the file's statement,
// and, in case the publisher ever signed a wrong statement, the file's own PE header
// and version resource against the same statement. They read the file's bytes as the
// caller read them, from a handle that lets nobody write the file, never the file by its
// name again: the bytes checked are the bytes run.
class UpdateFileVerifier : public Object {
public:
    // Raises when the key is empty, or the system cannot check signatures with it.
    explicit UpdateFileVerifier(const UpdatePublicKey& key);

    // Empty when bytes are what the publisher released as program name's file of the
    // role, at version, for the architecture this program was built for (the build's
    // ENNEO_ARCH, "win32" or "win64"): signature (the base64 text of the reply or of the
    // signature copy) signs that statement for the bytes; their PE header names the
    // architecture's machine; their version resource's "OriginalFilename" and
    // "ProductVersion" are the role's and the version. Otherwise the first reason they
    // are not, as the rest of a sentence about the file in the language chosen now: "is
    // not signed by the publisher of Enneo".
    String Check(const std::string& bytes, const wchar_t* name, UpdateRole role, const wchar_t* version,
                 const String& signature) const;

private:
    SignatureVerifier signatures_;
};

}  // namespace version
}  // namespace util
