// UpdateInfo: the texts of the update service's reply.
#pragma once

#include "common/Object.h"
#include "common/String.h"
#include "common/xml/IXMLDocument.h"

namespace util {
namespace version {

// Reads the reply document: a non-empty "message" element means the reply carries no
// release; otherwise the "version", "downloadUrl" and "updaterUrl" elements must all
// be there. Each is the first element of its tag name anywhere in the tree. The
// document is not owned and must outlive the UpdateInfo.
class UpdateInfo : public Object {
public:
    explicit UpdateInfo(xml::IXMLDocument* document);

    // The text of the first element named tag, or null when there is none and it is
    // not mandatory. Raises "UpdateInfo::GetFirstElementContentByTagName()" for a
    // missing mandatory element. The text lives as long as the document's tree.
    const wchar_t* GetFirstElementContentByTagName(const wchar_t* tag, bool mandatory);
    // Fills the texts from the reply; raises for the first missing required element,
    // and the later ones are not read.
    void ReadReply();

    const String& GetMessageText() const { return message_; }
    const String& GetVersion() const { return version_; }
    const wchar_t* GetDownloadUrl() const { return downloadUrl_.GetText(); }
    const wchar_t* GetUpdaterUrl() const { return updaterUrl_.GetText(); }

private:
    xml::IXMLDocument* document_;
    String version_;
    String downloadUrl_;
    String updaterUrl_;
    String message_;
};

}  // namespace version
}  // namespace util
