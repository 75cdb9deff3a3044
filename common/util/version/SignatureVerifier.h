// SignatureVerifier: checks the publisher's ECDSA P-256 signature on a statement.
#pragma once

#include "UpdatePublicKey.h"

#include "common/Object.h"
#include "common/String.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace util {
namespace version {

// Holds the publisher's public key in the system's cryptography (Windows' CNG from
// bcrypt.dll, taken from the system folder only; OpenSSL's libcrypto elsewhere) and
// verifies signatures made with the matching private key over a statement's text
// (UpdateStatement, LatestStatement). The signature is the raw 64 bytes r‖s, the form
// the update service sends (base64-encoded).
class SignatureVerifier : public Object {
public:
    static const int kDigestSize = 32;
    // Bytes of a signature: ECDSA P-256's r and s, 32 bytes each, big-endian.
    static const int kSignatureSize = 64;

    // Raises when the key is empty, or the system cannot use it.
    explicit SignatureVerifier(const UpdatePublicKey& key);
    ~SignatureVerifier();
    SignatureVerifier(const SignatureVerifier&) = delete;
    SignatureVerifier& operator=(const SignatureVerifier&) = delete;

    // The SHA-256 of the bytes into digest (kDigestSize bytes); false when the system
    // fails.
    bool Hash(const void* bytes, size_t size, uint8_t* digest) const;
    // True when signature (kSignatureSize bytes) signs text; false when it does not, has
    // another size, or text is empty (a statement that cannot be written).
    bool Verify(const std::string& text, const std::vector<uint8_t>& signature) const;
    // Decodes a signature text (base64, lines may be wrapped) into signature. False,
    // with signature empty, unless it decodes to exactly kSignatureSize bytes.
    static bool Decode(const String& text, std::vector<uint8_t>& signature);

private:
    // The system's handles (SignatureVerifier_win32.cpp, SignatureVerifier_posix.cpp).
    struct Keys;
    std::unique_ptr<Keys> keys_;
};

}  // namespace version
}  // namespace util
