// SignatureVerifier: the OpenSSL calls behind the signature checks.
#include "SignatureVerifier.h"

#include "common/Exception.h"

#include <openssl/core_names.h>
#include <openssl/ecdsa.h>
#include <openssl/evp.h>
#include <openssl/param_build.h>

#include <cstring>
#include <vector>

namespace util {
namespace version {

struct SignatureVerifier::Keys {
    EVP_PKEY* key = nullptr;
    ~Keys() { EVP_PKEY_free(key); }
};

SignatureVerifier::SignatureVerifier(const UpdatePublicKey& key)
    : Object(L"SignatureVerifier"), keys_(std::make_unique<Keys>()) {
    if (key.IsEmpty()) throw new Exception(L"SignatureVerifier()\nThere is no publisher key.");
    // The uncompressed point: 0x04, then X and Y.
    std::vector<unsigned char> point(1 + UpdatePublicKey::kPointSize, 0x04);
    std::memcpy(point.data() + 1, key.GetPoint(), UpdatePublicKey::kPointSize);
    char group[] = "prime256v1";
    OSSL_PARAM parameters[] = {
        OSSL_PARAM_construct_utf8_string(OSSL_PKEY_PARAM_GROUP_NAME, group, 0),
        OSSL_PARAM_construct_octet_string(OSSL_PKEY_PARAM_PUB_KEY, point.data(), point.size()),
        OSSL_PARAM_construct_end(),
    };
    EVP_PKEY_CTX* context = EVP_PKEY_CTX_new_from_name(nullptr, "EC", nullptr);
    bool made = context != nullptr && EVP_PKEY_fromdata_init(context) == 1 &&
                EVP_PKEY_fromdata(context, &keys_->key, EVP_PKEY_PUBLIC_KEY, parameters) == 1;
    EVP_PKEY_CTX_free(context);
    if (!made) throw new Exception(L"SignatureVerifier()\nThe system cannot use the publisher's key.");
}

SignatureVerifier::~SignatureVerifier() = default;

bool SignatureVerifier::Hash(const void* bytes, size_t size, uint8_t* digest) const {
    return EVP_Digest(bytes, size, digest, nullptr, EVP_sha256(), nullptr) == 1;
}

bool SignatureVerifier::Verify(const std::string& text, const std::vector<uint8_t>& signature) const {
    uint8_t digest[kDigestSize];
    if (signature.size() != kSignatureSize || text.empty() || !Hash(text.data(), text.size(), digest)) return false;
    // OpenSSL takes the signature in DER.
    ECDSA_SIG* pair = ECDSA_SIG_new();
    BIGNUM* r = BN_bin2bn(signature.data(), kSignatureSize / 2, nullptr);
    BIGNUM* s = BN_bin2bn(signature.data() + kSignatureSize / 2, kSignatureSize / 2, nullptr);
    unsigned char* der = nullptr;
    int derSize = 0;
    if (pair != nullptr && r != nullptr && s != nullptr && ECDSA_SIG_set0(pair, r, s) == 1) {
        r = s = nullptr;  // the pair owns them now
        derSize = i2d_ECDSA_SIG(pair, &der);
    }
    BN_free(r);
    BN_free(s);
    ECDSA_SIG_free(pair);
    EVP_PKEY_CTX* context = derSize > 0 ? EVP_PKEY_CTX_new(keys_->key, nullptr) : nullptr;
    bool verified = context != nullptr && EVP_PKEY_verify_init(context) == 1 &&
                    EVP_PKEY_verify(context, der, static_cast<size_t>(derSize), digest, kDigestSize) == 1;
    EVP_PKEY_CTX_free(context);
    OPENSSL_free(der);
    return verified;
}

}  // namespace version
}  // namespace util
