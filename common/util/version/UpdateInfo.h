// UpdateInfo: the texts of the update service's reply.
#pragma once

#include "common/Object.h"
#include "common/String.h"
#include "common/xml/IXMLDocument.h"

namespace util {
namespace version {

// Reads the reply document: the "version", "downloadUrl" and "updaterUrl" elements of a
// release must all be there, and "updaterSignature" and "downloadSignature" may be;
// beside a non-empty "message" element the release may be left out altogether (no
// "version"). The latest statement's "latestVersion", "latestExpires" and
// "latestArchitectureSignature" (LatestStatement, the form that names the architecture)
// may come with a message too; "latestSignature", the signature of the older form
// without the architecture that programs installed before still read, is not read. Each is the first
// element of its tag name anywhere in the tree. The document is not owned and must
// outlive the UpdateInfo.
class UpdateInfo : public Object {
public:
    explicit UpdateInfo(xml::IXMLDocument* document);

    // The text of the first element named tag, or null when there is none and it is
    // not mandatory. Raises "UpdateInfo::GetFirstElementContentByTagName()" for a
    // missing mandatory element. The text lives as long as the document's tree.
    const wchar_t* GetFirstElementContentByTagName(const wchar_t* tag, bool mandatory);
    // Fills the texts from the reply; raises for the first missing required element,
    // and the later ones (the file signatures among them) are not read.
    void ReadReply();

    const String& GetMessageText() const { return message_; }
    const String& GetVersion() const { return version_; }
    const wchar_t* GetDownloadUrl() const { return downloadUrl_.GetText(); }
    const wchar_t* GetUpdaterUrl() const { return updaterUrl_.GetText(); }
    // The base64 signatures of the files at the updater's and the download's URL, each
    // over the file's exact bytes; empty when the reply has none.
    const String& GetUpdaterSignature() const { return updaterSignature_; }
    const String& GetDownloadSignature() const { return downloadSignature_; }
    // The latest statement's texts; empty when the reply has none. The signature is
    // the one of the statement naming the architecture.
    const String& GetLatestVersion() const { return latestVersion_; }
    const String& GetLatestExpires() const { return latestExpires_; }
    const String& GetLatestArchitectureSignature() const { return latestArchitectureSignature_; }

private:
    xml::IXMLDocument* document_;
    String version_;
    String downloadUrl_;
    String updaterUrl_;
    String message_;
    String updaterSignature_;
    String downloadSignature_;
    String latestVersion_;
    String latestExpires_;
    String latestArchitectureSignature_;
};

}  // namespace version
}  // namespace util
