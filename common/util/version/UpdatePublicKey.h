// UpdatePublicKey: the publisher's ECDSA P-256 public key, read from its PEM text.
#pragma once

#include "common/Object.h"

#include <cstdint>
#include <vector>

namespace util {
namespace version {

// Holds the public point of the key that signs updates, read from the text of a PEM
// "PUBLIC KEY" (a DER SubjectPublicKeyInfo). Only P-256 keys with an uncompressed
// point are taken; whether the point lies on the curve is left to the system's import.
class UpdatePublicKey : public Object {
public:
    // Bytes of the point: X then Y, 32 bytes each, big-endian.
    static const int kPointSize = 64;

    UpdatePublicKey();

    // Reads "-----BEGIN PUBLIC KEY-----", base64 lines and "-----END PUBLIC KEY-----",
    // or the base64 alone; whitespace around and inside is skipped. True when it is a
    // P-256 key; false, with the key emptied, for anything else (another curve or kind
    // of key, a private key, bad base64, a compressed point, null text).
    bool Read(const wchar_t* text);

    bool IsEmpty() const { return point_.empty(); }
    // X‖Y, kPointSize bytes, as CNG's BCRYPT_ECCPUBLIC_BLOB carries them after its
    // header; null while the key is empty. Valid until the next Read.
    const uint8_t* GetPoint() const { return IsEmpty() ? nullptr : point_.data(); }

private:
    std::vector<uint8_t> point_;
};

}  // namespace version
}  // namespace util
