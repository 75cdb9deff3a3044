// LatestStatement: the publisher's signed word on which release is the newest, and until when.
#include "LatestStatement.h"

#include "UpdateStatement.h"
#include "Version.h"

#include <vector>

namespace util {
namespace version {

namespace {

const int kLongestExpiry = 18;  // fits an int64_t

}  // namespace

LatestStatement::LatestStatement(const String& name, const String& version, const String& expires)
    : Object(L"LatestStatement"), name_(name), version_(version), expires_(expires) {}

int64_t LatestStatement::GetExpiry() const {
    if (expires_.GetLength() < 1 || expires_.GetLength() > kLongestExpiry) return -1;
    int64_t seconds = 0;
    for (const wchar_t* c = expires_.GetText(); *c != 0; ++c) {
        if (*c < L'0' || *c > L'9') return -1;
        seconds = seconds * 10 + (*c - L'0');
    }
    return seconds;
}

std::string LatestStatement::GetText() const {
    std::string name = UpdateStatement::PlainValue(name_), version = UpdateStatement::PlainValue(version_);
    if (name.empty() || version.empty() || !Version::IsVersionText(version_.GetText()) || GetExpiry() < 0) {
        return std::string();
    }
    return "Enneo Tessary latest statement\nname=" + name + "\narchitecture=" +
           UpdateStatement::PlainValue(String(ENNEO_ARCH)) + "\nversion=" + version +
           "\nexpires=" + UpdateStatement::PlainValue(expires_) + "\n";
}

bool LatestStatement::IsSignedBy(const SignatureVerifier& verifier, const String& signature) const {
    std::vector<uint8_t> decoded;
    return SignatureVerifier::Decode(signature, decoded) && verifier.Verify(GetText(), decoded);
}

}  // namespace version
}  // namespace util
