// SignatureVerifier: checks a file against the publisher's ECDSA P-256 signature.
#pragma once

#include "UpdatePublicKey.h"

#include "common/Object.h"

#include <windows.h>

#include <bcrypt.h>

#include <cstdint>
#include <vector>

namespace util {
namespace version {

// Holds the publisher's public key in Windows' CNG and verifies signatures made with
// the matching private key over the SHA-256 of a file's exact bytes. The signature is
// the raw 64 bytes r‖s, the form the update service sends (base64-encoded).
class SignatureVerifier : public Object {
public:
    // Raises when the key is empty or CNG refuses it.
    explicit SignatureVerifier(const UpdatePublicKey& key);
    ~SignatureVerifier();
    SignatureVerifier(const SignatureVerifier&) = delete;
    SignatureVerifier& operator=(const SignatureVerifier&) = delete;

    // True when signature (UpdateInfo::kSignatureSize bytes) signs the file's bytes;
    // false when it does not, has another size, or the file cannot be read whole.
    bool VerifyFile(const wchar_t* path, const std::vector<uint8_t>& signature) const;

private:
    // Closes whatever handles are open.
    void Release();

    BCRYPT_ALG_HANDLE ecdsa_ = nullptr;
    BCRYPT_ALG_HANDLE sha256_ = nullptr;
    BCRYPT_KEY_HANDLE key_ = nullptr;
};

}  // namespace version
}  // namespace util
