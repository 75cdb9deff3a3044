// UpdateInfo: the texts of the update service's reply.
#include "UpdateInfo.h"

#include "common/Exception.h"
#include "common/util/Base64.h"

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
    if (message_.GetLength() > 0) return;
    version_.Set(GetFirstElementContentByTagName(L"version", true));
    downloadUrl_.Set(GetFirstElementContentByTagName(L"downloadUrl", true));
    updaterUrl_.Set(GetFirstElementContentByTagName(L"updaterUrl", true));
    updaterSignature_.Set(GetFirstElementContentByTagName(L"updaterSignature", false));
    downloadSignature_.Set(GetFirstElementContentByTagName(L"downloadSignature", false));
}

bool UpdateInfo::DecodeSignature(const String& text, std::vector<uint8_t>& signature) {
    if (DecodeBase64(text.GetText(), signature) && signature.size() == kSignatureSize) return true;
    signature.clear();
    return false;
}

}  // namespace version
}  // namespace util
