// IXMLDocument: an XML document parsed from memory or a file.
#pragma once

#include "IXMLElement.h"

#include <memory>
#include <vector>

namespace xml {

// Elements found by a search, in document order. The list belongs to the caller, the
// elements to the document.
using XMLElementList = std::vector<IXMLElement*>;

// Parses XML text into a tree of elements, finds elements by tag name, and prints or
// saves the tree. Documents are never deleted through this interface. Every element it
// hands out belongs to the document and stays valid until the next parse or the
// document's destruction.
class IXMLDocument {
public:
    // The root element chosen by the last parse, or null.
    virtual IXMLElement* GetDocumentElement() = 0;
    // Loads and parses the file at path (null: the path the document already has).
    // Raises when the file cannot be read or holds no root element.
    virtual void Load(const wchar_t* path) = 0;
    // Parses text in place: the text is changed and must stay alive and unchanged as
    // long as the document is used. Raises for null or malformed text.
    virtual void Parse(wchar_t* text) = 0;
    // The document class's name.
    virtual const wchar_t* GetTypeName() = 0;
    // Every element whose tag name equals tag exactly, in document order, from the root
    // element down; empty without a root or for a null tag.
    virtual XMLElementList GetElementsByTagName(const wchar_t* tag) = 0;
    // The whole document printed, indented with tabs, in a new null-terminated buffer.
    virtual void Print(std::unique_ptr<wchar_t[]>& out) = 0;
    // A new element, not yet attached; name and value are kept by pointer.
    virtual IXMLElement* CreateElement(const wchar_t* name, const wchar_t* value) = 0;
    // Writes the printed document to a new file at path.
    virtual void Save(const wchar_t* path) = 0;

protected:
    ~IXMLDocument() = default;
};

}  // namespace xml
