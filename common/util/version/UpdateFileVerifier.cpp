// UpdateFileVerifier: decides whether a downloaded file is the one the publisher released for its use.
#include "UpdateFileVerifier.h"

#include "ProgramImage.h"

#include <cwchar>
#include <vector>

namespace util {
namespace version {

namespace {

bool Equal(const String& text, const wchar_t* other) {
    return std::wcscmp(text.GetLength() > 0 ? text.GetText() : L"", other != nullptr ? other : L"") == 0;
}

}  // namespace

UpdateFileVerifier::UpdateFileVerifier(const UpdatePublicKey& key) : Object(L"UpdateFileVerifier"), signatures_(key) {}

String UpdateFileVerifier::Check(const std::string& bytes, const wchar_t* name, UpdateRole role, const wchar_t* version,
                                 const String& signature) const {
    UpdateStatement statement(name, role, ENNEO_ARCH, version);
    String reason;
    uint8_t digest[SignatureVerifier::kDigestSize];
    std::vector<uint8_t> decoded;
    if (!SignatureVerifier::Decode(signature, decoded) || !signatures_.Hash(bytes.data(), bytes.size(), digest) ||
        !signatures_.Verify(statement.GetText(digest), decoded)) {
        reason.Format(L"is not signed by the publisher of %s", statement.GetName());
        return reason;
    }
    ProgramImage image(bytes);
    if (image.GetMachine() != statement.GetMachine()) {
        reason.Format(L"is not a %s program", statement.GetArchitecture());
        return reason;
    }
    String fileName = image.GetVersionValue(L"OriginalFilename");
    if (!Equal(fileName, statement.GetOriginalFilename())) {
        reason.Format(L"is \"%s\", not %s", fileName, statement.GetOriginalFilename());
        return reason;
    }
    String fileVersion = image.GetVersionValue(L"ProductVersion");
    if (!Equal(fileVersion, statement.GetVersion().GetText())) {
        reason.Format(L"is \"%s\", not the %s %s offered", fileVersion, statement.GetName(), statement.GetVersion());
    }
    return reason;
}

}  // namespace version
}  // namespace util
