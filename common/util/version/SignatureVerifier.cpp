// SignatureVerifier: checks the publisher's ECDSA P-256 signature on an update statement.
#include "SignatureVerifier.h"

#include "UpdateInfo.h"

#include "common/Exception.h"
#include "common/util/SystemLibrary.h"

#include <cstring>
#include <string>
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

SignatureVerifier::SignatureVerifier(const UpdatePublicKey& key) : Object(L"SignatureVerifier") {
    if (key.IsEmpty()) throw new Exception(L"SignatureVerifier()\nThere is no publisher key.");
    const Cng& cng = GetCng();
    // The key blob: its header, then X and Y.
    const ULONG pointSize = UpdatePublicKey::kPointSize;
    std::vector<UCHAR> blob(sizeof(BCRYPT_ECCKEY_BLOB) + pointSize);
    BCRYPT_ECCKEY_BLOB header = {BCRYPT_ECDSA_PUBLIC_P256_MAGIC, pointSize / 2};
    std::memcpy(blob.data(), &header, sizeof header);
    std::memcpy(blob.data() + sizeof header, key.GetPoint(), pointSize);
    NTSTATUS status = cng.openAlgorithmProvider(&ecdsa_, BCRYPT_ECDSA_P256_ALGORITHM, nullptr, 0);
    if (Succeeded(status)) status = cng.openAlgorithmProvider(&sha256_, BCRYPT_SHA256_ALGORITHM, nullptr, 0);
    if (Succeeded(status)) {
        status = cng.importKeyPair(ecdsa_, nullptr, BCRYPT_ECCPUBLIC_BLOB, &key_, blob.data(),
                                   static_cast<ULONG>(blob.size()), 0);
    }
    if (!Succeeded(status)) {
        Release();  // the handles opened so far
        throw new Exception(L"SignatureVerifier()\nThe system cannot use the publisher's key (0x%08X).",
                            static_cast<unsigned>(status));
    }
}

SignatureVerifier::~SignatureVerifier() { Release(); }

void SignatureVerifier::Release() {
    if (key_ == nullptr && sha256_ == nullptr && ecdsa_ == nullptr) return;
    const Cng& cng = GetCng();  // loaded already: a handle is open
    if (key_ != nullptr) cng.destroyKey(key_);
    if (sha256_ != nullptr) cng.closeAlgorithmProvider(sha256_, 0);
    if (ecdsa_ != nullptr) cng.closeAlgorithmProvider(ecdsa_, 0);
    key_ = nullptr;
    sha256_ = ecdsa_ = nullptr;
}

bool SignatureVerifier::Hash(const void* bytes, uint32_t size, uint8_t* digest) const {
    const Cng& cng = GetCng();
    BCRYPT_HASH_HANDLE hash = nullptr;
    // CNG takes the bytes as non-const but only reads them.
    bool hashed = Succeeded(cng.createHash(sha256_, &hash, nullptr, 0, nullptr, 0, 0)) &&
                  Succeeded(cng.hashData(hash, static_cast<PUCHAR>(const_cast<void*>(bytes)), size, 0)) &&
                  Succeeded(cng.finishHash(hash, digest, UpdateStatement::kDigestSize, 0));
    if (hash != nullptr) cng.destroyHash(hash);
    return hashed;
}

bool SignatureVerifier::Verify(const void* bytes, uint32_t size, const UpdateStatement& statement,
                               const std::vector<uint8_t>& signature) const {
    if (signature.size() != UpdateInfo::kSignatureSize) return false;
    uint8_t fileDigest[UpdateStatement::kDigestSize];
    if (!Hash(bytes, size, fileDigest)) return false;
    std::string text = statement.GetText(fileDigest);
    uint8_t statementDigest[UpdateStatement::kDigestSize];
    if (text.empty() || !Hash(text.data(), static_cast<uint32_t>(text.size()), statementDigest)) return false;
    std::vector<UCHAR> signatureBytes(signature.begin(), signature.end());  // CNG takes it as non-const
    return Succeeded(GetCng().verifySignature(key_, nullptr, statementDigest, UpdateStatement::kDigestSize,
                                              signatureBytes.data(), static_cast<ULONG>(signatureBytes.size()), 0));
}

}  // namespace version
}  // namespace util
