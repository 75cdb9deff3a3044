// Fuzzes the XML parser with the update service's reply read from the parsed document;
// failures are raised as Exception.
#include "common/Exception.h"
#include "common/util/version/UpdateInfo.h"
#include "common/xml/rapidxml/RapidXMLDocument.h"

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The reply arrives as narrow text and is parsed as wide text, in place.
    std::vector<wchar_t> text(data, data + size);
    text.push_back(0);
    xml::rapidxml::RapidXMLDocument document;
    try {
        document.Parse(text.data());
        util::version::UpdateInfo info(&document);
        info.ReadReply();
    } catch (Exception* e) {
        delete e;
    }
    return 0;
}
