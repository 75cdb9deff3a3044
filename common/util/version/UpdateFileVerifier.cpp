// UpdateFileVerifier: decides whether a downloaded file is the one the publisher released for its use.
#include "UpdateFileVerifier.h"

#include "ProgramImage.h"

#include "common/CatalogueText.h"

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
    uint8_t digest[SignatureVerifier::kDigestSize];
    std::vector<uint8_t> decoded;
    if (!SignatureVerifier::Decode(signature, decoded) || !signatures_.Hash(bytes.data(), bytes.size(), digest) ||
        !signatures_.Verify(statement.GetText(digest), decoded)) {
        return CatalogueText(TextId::kUpdateReasonNotSigned, {statement.GetName().ToWide()});
    }
    ProgramImage image(bytes);
    if (image.GetMachine() != statement.GetMachine()) {
        return CatalogueText(TextId::kUpdateReasonArchitecture, {statement.GetArchitecture().ToWide()});
    }
    String fileName = image.GetVersionValue(L"OriginalFilename");
    if (!Equal(fileName, statement.GetOriginalFilename())) {
        return CatalogueText(TextId::kUpdateReasonFileName, {fileName.ToWide(), statement.GetOriginalFilename()});
    }
    String fileVersion = image.GetVersionValue(L"ProductVersion");
    if (!Equal(fileVersion, statement.GetVersion().GetText())) {
        return CatalogueText(TextId::kUpdateReasonVersion,
                             {fileVersion.ToWide(), statement.GetName().ToWide(), statement.GetVersion().ToWide()});
    }
    return String();
}

}  // namespace version
}  // namespace util
