// RapidXMLDocument: an XML document parsed with RapidXML.
#include "RapidXMLDocument.h"

#include "ElementDepthBound.h"

#include "common/Exception.h"
#include "common/LastErrorText.h"
#include "common/TextConversion.h"
#include "common/util/TextFile.h"

#include <rapidxml/rapidxml_print.hpp>

#include <cwchar>
#include <iterator>
#include <string>

namespace xml {
namespace rapidxml {

namespace {

// Declarations and the DOCTYPE become nodes; comments, processing instructions and
// CDATA are skipped; an element's text is its value (no data nodes); references are
// translated and names and values terminated in place (RapidXML's defaults).
const int kParseFlags =
    ::rapidxml::parse_declaration_node | ::rapidxml::parse_doctype_node | ::rapidxml::parse_no_data_nodes;

const wchar_t kByteOrderMark = 0xFEFF;

// RapidXML recurses once per element level: ten thousand levels, a few tens of kilobytes
// of text, overflow a Windows thread's stack. The update reply needs a handful.
const size_t kMaxElementDepth = 64;

// UTF-16 bytes as wide text without a leading byte-order mark, null-terminated. Where
// wchar_t holds whole code points, surrogate pairs are joined.
std::vector<wchar_t> Utf16ToWide(const unsigned char* bytes, uint32_t size, bool bigEndian) {
    std::vector<wchar_t> text;
    text.reserve(size / 2 + 1);
    for (uint32_t i = 0; i + 1 < size; i += 2) {
        uint32_t unit = bigEndian ? (bytes[i] << 8) | bytes[i + 1] : bytes[i] | (bytes[i + 1] << 8);
        if (i == 0 && unit == kByteOrderMark) continue;
        if constexpr (sizeof(wchar_t) > 2) {
            bool lowFollows = i + 3 < size;
            uint32_t next = !lowFollows        ? 0
                            : bigEndian        ? (bytes[i + 2] << 8) | bytes[i + 3]
                                               : bytes[i + 2] | (bytes[i + 3] << 8);
            if (unit >= 0xD800 && unit < 0xDC00 && next >= 0xDC00 && next < 0xE000) {
                unit = 0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00);
                i += 2;
            }
        }
        text.push_back(static_cast<wchar_t>(unit));
    }
    text.push_back(0);
    return text;
}

// Recursive, but a parsed tree is at most kMaxElementDepth levels deep (Parse refuses
// deeper texts), and the program adds only the odd element to it.
void CollectByTagName(::rapidxml::xml_node<wchar_t>* node, const wchar_t* tag,
                      std::vector<::rapidxml::xml_node<wchar_t>*>& found) {
    if (node->type() != ::rapidxml::node_element) return;
    if (std::wcscmp(node->name(), tag) == 0) found.push_back(node);
    for (auto* child = node->first_node(); child != nullptr; child = child->next_sibling()) {
        CollectByTagName(child, tag, found);
    }
}

}  // namespace

RapidXMLDocument::RapidXMLDocument()
    : File(L"RapidXMLDocument", L"File"), document_(std::make_unique<Document>()) {}

RapidXMLDocument::~RapidXMLDocument() = default;

void RapidXMLDocument::Load(const wchar_t* path) {
    if (path != nullptr) SetPath(path);
    OpenFile(util::FileAccess::Read, util::FileCreation::OpenExisting);
    if (!IsOpen()) {
        throw new Exception(L"File::ReadFromBeginning()\nFile : %s\n%s", GetPath(), GetLastErrorText());
    }
    DetectEncoding();
    SetPointerToBeginning();
    std::unique_ptr<char[]> bytes;
    uint32_t size = LoadIntoMemory(bytes);
    loadedAsAnsi_ = GetEncoding() == util::FileEncoding::Ascii;
    if (loadedAsAnsi_) {
        std::wstring text = AnsiToWide(bytes.get());
        content_.assign(text.c_str(), text.c_str() + text.size() + 1);
    } else {
        content_ = Utf16ToWide(reinterpret_cast<const unsigned char*>(bytes.get()), size,
                               GetEncoding() == util::FileEncoding::Utf16BigEndian);
    }
    bytes.reset();
    Parse(content_.data());
    if (root_ == nullptr) {
        throw new Exception(L"XMLDocument::Load (\"%s\")\nDocument could not be parsed.", GetPath());
    }
}

void RapidXMLDocument::Parse(wchar_t* text) {
    if (text == nullptr) throw new Exception(L"RapidXMLDocument::Parse()\nDocument content is null");
    root_ = nullptr;
    elements_.clear();
    document_->clear();
    if (ElementDepthBound(text) > kMaxElementDepth) {
        throw new Exception(L"RapidXMLDocument::Parse()\nDocument nested deeper than %d elements.",
                            static_cast<int>(kMaxElementDepth));
    }
    try {
        document_->parse<kParseFlags>(text);
    } catch (...) {
        // RapidXML's own texts ("expected <", ...) are not for the user.
        throw new Exception(L"RapidXMLDocument::Parse()\nError while parsing XML document.");
    }
    // Each top-level element in turn becomes the root, so the last one is it.
    RapidXMLElement::Node* last = nullptr;
    for (auto* node = document_->first_node(); node != nullptr; node = node->next_sibling()) {
        if (node->type() == ::rapidxml::node_element) last = node;
    }
    if (last != nullptr) root_ = MakeElement(last);
}

XMLElementList RapidXMLDocument::GetElementsByTagName(const wchar_t* tag) {
    XMLElementList elements;
    if (root_ == nullptr || tag == nullptr) return elements;
    std::vector<RapidXMLElement::Node*> nodes;
    CollectByTagName(root_->GetNode(), tag, nodes);
    for (auto* node : nodes) elements.push_back(MakeElement(node));
    return elements;
}

void RapidXMLDocument::Print(std::unique_ptr<wchar_t[]>& out) {
    std::wstring printed;
    ::rapidxml::print(std::back_inserter(printed), *document_, 0);
    out.reset(new wchar_t[printed.size() + 1]);
    std::wmemcpy(out.get(), printed.c_str(), printed.size() + 1);
}

IXMLElement* RapidXMLDocument::CreateElement(const wchar_t* name, const wchar_t* value) {
    return MakeElement(document_->allocate_node(::rapidxml::node_element, name, value));
}

void RapidXMLDocument::Save(const wchar_t* path) {
    std::unique_ptr<wchar_t[]> printed;
    Print(printed);
    util::TextFile file(path);
    file.SetEncoding(loadedAsAnsi_ ? util::FileEncoding::Ascii : util::FileEncoding::Utf16LittleEndian);
    file.CreateNew();
    file.WriteLine(printed.get());
    file.Close();
}

RapidXMLElement* RapidXMLDocument::MakeElement(RapidXMLElement::Node* node) {
    elements_.push_back(std::make_unique<RapidXMLElement>(*this, node));
    return elements_.back().get();
}

}  // namespace rapidxml
}  // namespace xml
