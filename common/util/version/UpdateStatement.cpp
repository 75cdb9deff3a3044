// UpdateStatement: what the publisher's signature on a file of a release says the file is.
#include "UpdateStatement.h"

#include <cwchar>

namespace util {
namespace version {

namespace {

const int kLongestValue = 64;

}  // namespace

std::string UpdateStatement::PlainValue(const String& value) {
    std::string plain;
    if (value.GetLength() < 1 || value.GetLength() > kLongestValue) return plain;
    for (const wchar_t* c = value.GetText(); *c != 0; ++c) {
        bool allowed = (*c >= L'A' && *c <= L'Z') || (*c >= L'a' && *c <= L'z') || (*c >= L'0' && *c <= L'9') ||
                       *c == L'.' || *c == L'_' || *c == L'-';
        if (!allowed) return std::string();
        plain += static_cast<char>(*c);
    }
    return plain;
}

UpdateStatement::UpdateStatement(const wchar_t* name, UpdateRole role, const wchar_t* architecture,
                                 const wchar_t* version)
    : Object(L"UpdateStatement"), name_(name), role_(role), architecture_(architecture), version_(version) {}

std::string UpdateStatement::GetText(const uint8_t* digest) const {
    std::string name = PlainValue(name_), architecture = PlainValue(architecture_), version = PlainValue(version_);
    if (name.empty() || architecture.empty() || version.empty()) return std::string();
    static const char kHexDigits[] = "0123456789abcdef";
    std::string hex;
    for (int i = 0; i < kDigestSize; ++i) {
        hex += kHexDigits[digest[i] >> 4];
        hex += kHexDigits[digest[i] & 0x0F];
    }
    return "Enneo Tessary update statement\nname=" + name +
           "\nrole=" + (role_ == UpdateRole::Program ? "program" : "updater") + "\narchitecture=" + architecture +
           "\nversion=" + version + "\nsha256=" + hex + "\n";
}

const wchar_t* UpdateStatement::GetOriginalFilename() const {
    return role_ == UpdateRole::Program ? name_.GetText() : kUpdaterFileName;
}

uint16_t UpdateStatement::GetMachine() const {
    const wchar_t* architecture = architecture_.GetLength() > 0 ? architecture_.GetText() : L"";
    if (std::wcscmp(architecture, L"win32") == 0) return 0x014C;
    if (std::wcscmp(architecture, L"win64") == 0) return 0x8664;
    return 0;
}

}  // namespace version
}  // namespace util
