// SignatureVerifier: the CNG calls behind the signature checks.
#include "SignatureVerifier.h"

#include "common/Exception.h"
#include "common/util/SystemLibrary.h"

#include <windows.h>

#include <bcrypt.h>

#include <cstring>
#include <vector>

namespace util {
namespace version {

namespace {

bool Succeeded(NTSTATUS status) { return status >= 0; }

// The functions of bcrypt.dll this class calls, found once.
struct Cng {
    SystemLibrary library{L"bcrypt.dll"};
    decltype(&BCryptOpenAlgorithmProvider) openAlgorithmProvider =
        library.Find<decltype(BCryptOpenAlgorithmProvider)>("BCryptOpenAlgorithmProvider");
    decltype(&BCryptCloseAlgorithmProvider) closeAlgorithmProvider =
        library.Find<decltype(BCryptCloseAlgorithmProvider)>("BCryptCloseAlgorithmProvider");
    decltype(&BCryptImportKeyPair) importKeyPair = library.Find<decltype(BCryptImportKeyPair)>("BCryptImportKeyPair");
    decltype(&BCryptDestroyKey) destroyKey = library.Find<decltype(BCryptDestroyKey)>("BCryptDestroyKey");
    decltype(&BCryptCreateHash) createHash = library.Find<decltype(BCryptCreateHash)>("BCryptCreateHash");
    decltype(&BCryptHashData) hashData = library.Find<decltype(BCryptHashData)>("BCryptHashData");
    decltype(&BCryptFinishHash) finishHash = library.Find<decltype(BCryptFinishHash)>("BCryptFinishHash");
    decltype(&BCryptDestroyHash) destroyHash = library.Find<decltype(BCryptDestroyHash)>("BCryptDestroyHash");
    decltype(&BCryptVerifySignature) verifySignature =
        library.Find<decltype(BCryptVerifySignature)>("BCryptVerifySignature");
};

// Raises on first use when bcrypt.dll or one of its functions is missing; a later
// call tries again.
const Cng& GetCng() {
    static const Cng cng;
    return cng;
}

}  // namespace

struct SignatureVerifier::Keys {
    BCRYPT_ALG_HANDLE ecdsa = nullptr;
    BCRYPT_ALG_HANDLE sha256 = nullptr;
    BCRYPT_KEY_HANDLE key = nullptr;

    ~Keys() {
        if (key == nullptr && sha256 == nullptr && ecdsa == nullptr) return;
        const Cng& cng = GetCng();  // loaded already: a handle is open
        if (key != nullptr) cng.destroyKey(key);
        if (sha256 != nullptr) cng.closeAlgorithmProvider(sha256, 0);
        if (ecdsa != nullptr) cng.closeAlgorithmProvider(ecdsa, 0);
    }
};

SignatureVerifier::SignatureVerifier(const UpdatePublicKey& key)
    : Object(L"SignatureVerifier"), keys_(std::make_unique<Keys>()) {
    if (key.IsEmpty()) throw new Exception(L"SignatureVerifier()\nThere is no publisher key.");
    const Cng& cng = GetCng();
    // The key blob: its header, then X and Y.
    const ULONG pointSize = UpdatePublicKey::kPointSize;
    std::vector<UCHAR> blob(sizeof(BCRYPT_ECCKEY_BLOB) + pointSize);
    BCRYPT_ECCKEY_BLOB header = {BCRYPT_ECDSA_PUBLIC_P256_MAGIC, pointSize / 2};
    std::memcpy(blob.data(), &header, sizeof header);
    std::memcpy(blob.data() + sizeof header, key.GetPoint(), pointSize);
    NTSTATUS status = cng.openAlgorithmProvider(&keys_->ecdsa, BCRYPT_ECDSA_P256_ALGORITHM, nullptr, 0);
    if (Succeeded(status)) status = cng.openAlgorithmProvider(&keys_->sha256, BCRYPT_SHA256_ALGORITHM, nullptr, 0);
    if (Succeeded(status)) {
        status = cng.importKeyPair(keys_->ecdsa, nullptr, BCRYPT_ECCPUBLIC_BLOB, &keys_->key, blob.data(),
                                   static_cast<ULONG>(blob.size()), 0);
    }
    if (!Succeeded(status)) {
        throw new Exception(L"SignatureVerifier()\nThe system cannot use the publisher's key (0x%08X).",
                            static_cast<unsigned>(status));
    }
}

SignatureVerifier::~SignatureVerifier() = default;

bool SignatureVerifier::Hash(const void* bytes, size_t size, uint8_t* digest) const {
    const Cng& cng = GetCng();
    BCRYPT_HASH_HANDLE hash = nullptr;
    // CNG takes the bytes as non-const but only reads them.
    bool hashed =
        size <= ULONG_MAX && Succeeded(cng.createHash(keys_->sha256, &hash, nullptr, 0, nullptr, 0, 0)) &&
        Succeeded(cng.hashData(hash, static_cast<PUCHAR>(const_cast<void*>(bytes)), static_cast<ULONG>(size), 0)) &&
        Succeeded(cng.finishHash(hash, digest, kDigestSize, 0));
    if (hash != nullptr) cng.destroyHash(hash);
    return hashed;
}

bool SignatureVerifier::Verify(const std::string& text, const std::vector<uint8_t>& signature) const {
    uint8_t digest[kDigestSize];
    if (signature.size() != kSignatureSize || text.empty() || !Hash(text.data(), text.size(), digest)) {
        return false;
    }
    std::vector<UCHAR> signatureBytes(signature.begin(), signature.end());  // CNG takes it as non-const
    return Succeeded(GetCng().verifySignature(keys_->key, nullptr, digest, kDigestSize, signatureBytes.data(),
                                              static_cast<ULONG>(signatureBytes.size()), 0));
}

}  // namespace version
}  // namespace util
