// SignatureVerifier: checks the publisher's ECDSA P-256 signature on an update statement.
#pragma once

#include "UpdatePublicKey.h"
#include "UpdateStatement.h"

#include "common/Object.h"

#include <windows.h>

#include <bcrypt.h>

#include <cstdint>
#include <vector>

namespace util {
namespace version {

// Holds the publisher's public key in Windows' CNG (bcrypt.dll, taken from the system
// folder only) and verifies signatures made with the matching private key over the
// statement of a file (UpdateStatement). The signature is the raw 64 bytes r‖s, the
// form the update service sends (base64-encoded).
class SignatureVerifier : public Object {
public:
    // Raises when the key is empty, or CNG cannot be loaded or refuses the key.
    explicit SignatureVerifier(const UpdatePublicKey& key);
    ~SignatureVerifier();
    SignatureVerifier(const SignatureVerifier&) = delete;
    SignatureVerifier& operator=(const SignatureVerifier&) = delete;

    // True when signature (UpdateInfo::kSignatureSize bytes) signs statement for a file
    // of these bytes; false when it does not, has another size, or the statement
    // cannot be written.
    bool Verify(const void* bytes, uint32_t size, const UpdateStatement& statement,
                const std::vector<uint8_t>& signature) const;

private:
    // The SHA-256 of the bytes into digest (UpdateStatement::kDigestSize bytes); false
    // when CNG fails.
    bool Hash(const void* bytes, uint32_t size, uint8_t* digest) const;
    // Closes whatever handles are open.
    void Release();

    BCRYPT_ALG_HANDLE ecdsa_ = nullptr;
    BCRYPT_ALG_HANDLE sha256_ = nullptr;
    BCRYPT_KEY_HANDLE key_ = nullptr;
};

}  // namespace version
}  // namespace util
