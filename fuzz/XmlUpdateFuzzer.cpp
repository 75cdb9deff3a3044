// Fuzzes the XML parser with the update service's reply read from the parsed document
// and its signatures decoded, then the whole decision on the reply's bytes; failures
// are raised as Exception. Also checks the depth
// bound that guards RapidXML's recursion against the tree RapidXML builds.
#include "common/Exception.h"
#include "common/util/version/SignatureVerifier.h"
#include "common/util/version/UpdateInfo.h"
#include "common/util/version/UpdateQuery.h"
#include "common/xml/rapidxml/ElementDepthBound.h"
#include "common/xml/rapidxml/RapidXMLDocument.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace {

// Levels of elements from element down, 1 for one without children; walked without
// recursion.
size_t TreeDepth(xml::IXMLElement* element) {
    size_t deepest = 0;
    std::vector<std::pair<xml::IXMLNode*, size_t>> pending;
    if (element != nullptr) pending.emplace_back(element, 1);
    while (!pending.empty()) {
        auto [node, depth] = pending.back();
        pending.pop_back();
        deepest = std::max(deepest, depth);
        for (xml::IXMLNode* child : node->GetChildNodes()) pending.emplace_back(child, depth + 1);
    }
    return deepest;
}

// A public key whose private key was thrown away.
const wchar_t kSomeonesKey[] =
    L"MFkwEwYHKoZIzj0CAQYIKoZIzj0DAQcDQgAEA96RlLnqDOnjcNNgAQuaVC2INoqmyRLMvccjhYiSSJITqtF7zYAPZfauUC7Sv/"
    L"78z5IcvUiJzpT9zEKZGIFHog==";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The reply arrives as narrow text and is parsed as wide text, in place.
    std::vector<wchar_t> text(data, data + size);
    text.push_back(0);
    size_t bound = xml::rapidxml::ElementDepthBound(text.data());
    xml::rapidxml::RapidXMLDocument document;
    try {
        document.Parse(text.data());
        // Every element above the deepest leaf was opened, so the bound counts them all.
        if (TreeDepth(document.GetDocumentElement()) > bound + 1) __builtin_trap();
        util::version::UpdateInfo info(&document);
        info.ReadReply();
        std::vector<uint8_t> signature;
        for (const String* signatureText : {&info.GetUpdaterSignature(), &info.GetDownloadSignature()}) {
            bool decoded = util::version::SignatureVerifier::Decode(*signatureText, signature);
            if (signature.size() != (decoded ? util::version::SignatureVerifier::kSignatureSize : 0u)) __builtin_trap();
        }
    } catch (Exception* e) {
        delete e;
    }
    // The whole decision on the same bytes: nothing is offered without a latest
    // statement that a key of no one's verifies.
    static util::version::UpdatePublicKey key;
    if (key.IsEmpty()) key.Read(kSomeonesKey);
    util::version::UpdateQuery query({L"Enneo", L"1.0.2", L"", 1}, key);
    util::version::UpdateVerdict verdict = query.Decide(std::string(reinterpret_cast<const char*>(data), size));
    if (verdict == util::version::UpdateVerdict::Offer || verdict == util::version::UpdateVerdict::UpToDate) {
        __builtin_trap();
    }
    return 0;
}
