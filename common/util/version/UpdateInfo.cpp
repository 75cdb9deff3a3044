// UpdateInfo: the texts of the update service's reply.
#include "UpdateInfo.h"

#include "common/Exception.h"

namespace util {
namespace version {

UpdateInfo::UpdateInfo(xml::IXMLDocument* document) : Object(L"UpdateInfo"), document_(document) {}

const wchar_t* UpdateInfo::GetFirstElementContentByTagName(const wchar_t* tag, bool mandatory) {
    xml::XMLElementList elements = document_->GetElementsByTagName(tag);
    if (!elements.empty()) return elements.front()->GetText();
    if (mandatory) {
        throw new Exception(L"UpdateInfo::GetFirstElementContentByTagName() : No tag <%s> found", tag);
    }
    return nullptr;
}

void UpdateInfo::ReadReply() {
    message_.Set(GetFirstElementContentByTagName(L"message", false));
    latestVersion_.Set(GetFirstElementContentByTagName(L"latestVersion", false));
    latestExpires_.Set(GetFirstElementContentByTagName(L"latestExpires", false));
    latestArchitectureSignature_.Set(GetFirstElementContentByTagName(L"latestArchitectureSignature", false));
    // Beside a message the release is optional (UpdateQuery decides whether it counts);
    // without one it is required. A release is always read whole.
    const wchar_t* version = GetFirstElementContentByTagName(L"version", message_.GetLength() == 0);
    if (version == nullptr) return;
    version_.Set(version);
    downloadUrl_.Set(GetFirstElementContentByTagName(L"downloadUrl", true));
    updaterUrl_.Set(GetFirstElementContentByTagName(L"updaterUrl", true));
    updaterSignature_.Set(GetFirstElementContentByTagName(L"updaterSignature", false));
    downloadSignature_.Set(GetFirstElementContentByTagName(L"downloadSignature", false));
}

}  // namespace version
}  // namespace util
