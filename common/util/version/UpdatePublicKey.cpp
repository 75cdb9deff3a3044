// UpdatePublicKey: the publisher's ECDSA P-256 public key, read from its PEM text.
#include "UpdatePublicKey.h"

#include "common/util/Base64.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <string_view>

namespace util {
namespace version {

namespace {

const std::wstring_view kBeginLine = L"-----BEGIN PUBLIC KEY-----";
const std::wstring_view kEndLine = L"-----END PUBLIC KEY-----";
const wchar_t kWhitespace[] = L" \t\n\v\f\r";

// The DER SubjectPublicKeyInfo of every P-256 key up to its point: SEQUENCE (89 bytes)
// { SEQUENCE { OID id-ecPublicKey, OID prime256v1 }, BIT STRING (66 bytes, no unused
// bits) }, and the BIT STRING's first byte 0x04, an uncompressed point. X and Y follow.
const uint8_t kKeyPrefix[] = {0x30, 0x59, 0x30, 0x13, 0x06, 0x07, 0x2a, 0x86, 0x48, 0xce, 0x3d, 0x02, 0x01, 0x06,
                              0x08, 0x2a, 0x86, 0x48, 0xce, 0x3d, 0x03, 0x01, 0x07, 0x03, 0x42, 0x00, 0x04};

// The text between the armour lines, or the whole text without them; whitespace around
// either left off. Empty when the armour is not whole.
std::wstring_view Base64Of(std::wstring_view text) {
    text.remove_prefix(std::min(text.find_first_not_of(kWhitespace), text.size()));
    text.remove_suffix(text.size() - (text.find_last_not_of(kWhitespace) + 1));
    if (text.substr(0, kBeginLine.size()) != kBeginLine) return text;
    text.remove_prefix(kBeginLine.size());
    if (text.size() < kEndLine.size() || text.substr(text.size() - kEndLine.size()) != kEndLine) return {};
    text.remove_suffix(kEndLine.size());
    return text;
}

}  // namespace

UpdatePublicKey::UpdatePublicKey() : Object(L"UpdatePublicKey") {}

bool UpdatePublicKey::Read(const wchar_t* text) {
    point_.clear();
    if (text == nullptr) return false;
    std::vector<uint8_t> der;
    if (!DecodeBase64(std::wstring(Base64Of(text)).c_str(), der)) return false;
    const size_t prefixSize = std::size(kKeyPrefix);
    if (der.size() != prefixSize + kPointSize || !std::equal(kKeyPrefix, kKeyPrefix + prefixSize, der.begin())) {
        return false;
    }
    point_.assign(der.begin() + prefixSize, der.end());
    return true;
}

}  // namespace version
}  // namespace util
