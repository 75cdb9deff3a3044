// RapidXMLDocument: an XML document parsed with RapidXML.
#pragma once

#include "RapidXMLElement.h"

#include "common/util/File.h"
#include "common/xml/IXMLDocument.h"

#include <rapidxml/rapidxml.hpp>

#include <memory>
#include <vector>

namespace xml {
namespace rapidxml {

// Parses wide text in place into RapidXML's node tree, whose nodes come from the
// document's memory pool and whose names and values point into the parsed text. The
// document owns every element object it hands out and frees them all at the next
// parse and at its destruction. It is a File: Load reads the file at its path, which
// stays open until the document is destroyed, so a document loads once.
class RapidXMLDocument : public util::File, public IXMLDocument {
public:
    RapidXMLDocument();
    ~RapidXMLDocument();

    // The root element: the last top-level element of the text (well-formed XML has
    // only one), which GetElementsByTagName searches; null when there is none.
    IXMLElement* GetDocumentElement() override { return root_; }
    // Takes an ANSI file (no mark, 8-bit text) through the system's code page and any
    // other file as UTF-16 in the byte order of its mark (little-endian without one);
    // a byte-order mark is not part of the text. Raises "XMLDocument::Load" when the
    // text holds no root element.
    void Load(const wchar_t* path) override;
    // Also raises, before RapidXML reads it, for text whose elements may nest more than
    // 64 levels deep: RapidXML's parser recurses per level.
    void Parse(wchar_t* text) override;
    const wchar_t* GetTypeName() override { return L"zam::RapidXMLDocument"; }
    XMLElementList GetElementsByTagName(const wchar_t* tag) override;
    void Print(std::unique_ptr<wchar_t[]>& out) override;
    IXMLElement* CreateElement(const wchar_t* name, const wchar_t* value) override;
    // Writes an ANSI-loaded document as 8-bit text and any other as UTF-16
    // little-endian with its mark, the forms Load reads back.
    void Save(const wchar_t* path) override;

    // A new element object for node, kept by the document; for its elements' use.
    RapidXMLElement* MakeElement(RapidXMLElement::Node* node);

private:
    using Document = ::rapidxml::xml_document<wchar_t>;

    // Large (its pool's first block is inside it), hence held on the heap.
    std::unique_ptr<Document> document_;
    RapidXMLElement* root_ = nullptr;
    std::vector<std::unique_ptr<RapidXMLElement>> elements_;
    // The text Load read, null-terminated; parsed in place.
    std::vector<wchar_t> content_;
    bool loadedAsAnsi_ = false;
};

}  // namespace rapidxml
}  // namespace xml
