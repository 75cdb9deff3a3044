// UpdateInfo: the texts of the update service's reply.
#pragma once

#include "common/Object.h"
#include "common/String.h"
#include "common/xml/IXMLDocument.h"

#include <cstdint>
#include <vector>

namespace util {
namespace version {

// Reads the reply document: a non-empty "message" element means the reply carries no
// release; otherwise the "version", "downloadUrl" and "updaterUrl" elements must all
// be there, and "updaterSignature" and "downloadSignature" may be. Each is the first
// element of its tag name anywhere in the tree. The document is not owned and must
// outlive the UpdateInfo.
class UpdateInfo : public Object {
public:
    // Bytes of a signature: ECDSA P-256's r and s, 32 bytes each, big-endian.
    static const int kSignatureSize = 64;

    explicit UpdateInfo(xml::IXMLDocument* document);

    // The text of the first element named tag, or null when there is none and it is
    // not mandatory. Raises "UpdateInfo::GetFirstElementContentByTagName()" for a
    // missing mandatory element. The text lives as long as the document's tree.
    const wchar_t* GetFirstElementContentByTagName(const wchar_t* tag, bool mandatory);
    // Fills the texts from the reply; raises for the first missing required element,
    // and the later ones (the signatures among them) are not read.
    void ReadReply();
    // Decodes a signature text (base64, lines may be wrapped) into signature. False,
    // with signature empty, unless it decodes to exactly kSignatureSize bytes.
    static bool DecodeSignature(const String& text, std::vector<uint8_t>& signature);

    const String& GetMessageText() const { return message_; }
    const String& GetVersion() const { return version_; }
    const wchar_t* GetDownloadUrl() const { return downloadUrl_.GetText(); }
    const wchar_t* GetUpdaterUrl() const { return updaterUrl_.GetText(); }
    // The base64 signatures of the files at the updater's and the download's URL, each
    // over the file's exact bytes; empty when the reply has none.
    const String& GetUpdaterSignature() const { return updaterSignature_; }
    const String& GetDownloadSignature() const { return downloadSignature_; }

private:
    xml::IXMLDocument* document_;
    String version_;
    String downloadUrl_;
    String updaterUrl_;
    String message_;
    String updaterSignature_;
    String downloadSignature_;
};

}  // namespace version
}  // namespace util
