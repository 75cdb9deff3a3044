// RapidXMLElement: an element of a RapidXMLDocument.
#pragma once

#include "common/Object.h"
#include "common/xml/IXMLElement.h"

#include <rapidxml/rapidxml.hpp>

namespace xml {
namespace rapidxml {

class RapidXMLDocument;

// Stands for one RapidXML element node, which lives in the document's memory pool.
// Objects for children and siblings are made through the document on first request
// and cached here; the document owns every one of them.
class RapidXMLElement : public Object, public IXMLElement {
public:
    using Node = ::rapidxml::xml_node<wchar_t>;

    // Made by the document only, which keeps the object.
    RapidXMLElement(RapidXMLDocument& document, Node* node);

    int GetNodeType() override { return 0; }
    const XMLNodeList& GetChildNodes() override;
    bool HasChildNodes() override { return !GetChildNodes().empty(); }
    // Raises for a child that is not an element of this kind.
    void AddChildNode(IXMLNode* child) override;
    IXMLElement* GetNextSibling() override;
    IXMLElement* GetPreviousSibling() override;
    const wchar_t* GetValue() override { return node_->value(); }
    int SetValue(const wchar_t* text) override;
    const wchar_t* GetText() override { return GetValue(); }
    int SetText(const wchar_t* text) override { return SetValue(text); }
    const wchar_t* GetTagName() override { return node_->name(); }
    void RemoveAllChildNodes() override { node_->remove_all_nodes(); }

    Node* GetNode() const { return node_; }

private:
    RapidXMLDocument& document_;
    Node* node_;
    RapidXMLElement* previousSibling_ = nullptr;
    RapidXMLElement* nextSibling_ = nullptr;
    XMLNodeList children_;
};

}  // namespace rapidxml
}  // namespace xml
