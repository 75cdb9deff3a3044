// SignatureVerifier: checks a file against the publisher's ECDSA P-256 signature.
#include "SignatureVerifier.h"

#include "UpdateInfo.h"

#include "common/Exception.h"
#include "common/util/File.h"

#include <cstring>
#include <memory>
#include <vector>

namespace util {
namespace version {

namespace {

bool Succeeded(NTSTATUS status) { return status >= 0; }

const ULONG kDigestSize = 32;

}  // namespace

SignatureVerifier::SignatureVerifier(const UpdatePublicKey& key) : Object(L"SignatureVerifier") {
    if (key.IsEmpty()) throw new Exception(L"SignatureVerifier()\nThere is no publisher key.");
    // The key blob: its header, then X and Y.
    const ULONG pointSize = UpdatePublicKey::kPointSize;
    std::vector<UCHAR> blob(sizeof(BCRYPT_ECCKEY_BLOB) + pointSize);
    BCRYPT_ECCKEY_BLOB header = {BCRYPT_ECDSA_PUBLIC_P256_MAGIC, pointSize / 2};
    std::memcpy(blob.data(), &header, sizeof header);
    std::memcpy(blob.data() + sizeof header, key.GetPoint(), pointSize);
    NTSTATUS status = BCryptOpenAlgorithmProvider(&ecdsa_, BCRYPT_ECDSA_P256_ALGORITHM, nullptr, 0);
    if (Succeeded(status)) status = BCryptOpenAlgorithmProvider(&sha256_, BCRYPT_SHA256_ALGORITHM, nullptr, 0);
    if (Succeeded(status)) {
        status = BCryptImportKeyPair(ecdsa_, nullptr, BCRYPT_ECCPUBLIC_BLOB, &key_, blob.data(),
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
    if (key_ != nullptr) BCryptDestroyKey(key_);
    if (sha256_ != nullptr) BCryptCloseAlgorithmProvider(sha256_, 0);
    if (ecdsa_ != nullptr) BCryptCloseAlgorithmProvider(ecdsa_, 0);
    key_ = nullptr;
    sha256_ = ecdsa_ = nullptr;
}

bool SignatureVerifier::VerifyFile(const wchar_t* path, const std::vector<uint8_t>& signature) const {
    if (signature.size() != UpdateInfo::kSignatureSize) return false;
    std::unique_ptr<char[]> bytes;
    uint32_t size = 0;
    try {
        File file(path);
        file.OpenFile(FileAccess::Read, FileCreation::OpenExisting);
        if (!file.IsOpen()) return false;
        size = file.LoadIntoMemory(bytes);
    } catch (Exception* e) {
        delete e;
        return false;
    }
    UCHAR digest[kDigestSize];
    std::vector<UCHAR> signatureBytes(signature.begin(), signature.end());  // CNG takes it as non-const
    BCRYPT_HASH_HANDLE hash = nullptr;
    bool hashed = Succeeded(BCryptCreateHash(sha256_, &hash, nullptr, 0, nullptr, 0, 0)) &&
                  Succeeded(BCryptHashData(hash, reinterpret_cast<PUCHAR>(bytes.get()), size, 0)) &&
                  Succeeded(BCryptFinishHash(hash, digest, kDigestSize, 0));
    if (hash != nullptr) BCryptDestroyHash(hash);
    return hashed && Succeeded(BCryptVerifySignature(key_, nullptr, digest, kDigestSize, signatureBytes.data(),
                                                     static_cast<ULONG>(signatureBytes.size()), 0));
}

}  // namespace version
}  // namespace util
