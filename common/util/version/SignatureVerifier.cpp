// SignatureVerifier: checks the publisher's ECDSA P-256 signature on a statement.
#include "SignatureVerifier.h"

#include "common/util/Base64.h"

namespace util {
namespace version {

bool SignatureVerifier::Decode(const String& text, std::vector<uint8_t>& signature) {
    if (DecodeBase64(text.GetText(), signature) && signature.size() == kSignatureSize) return true;
    signature.clear();
    return false;
}

}  // namespace version
}  // namespace util
