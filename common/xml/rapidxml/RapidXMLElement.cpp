// RapidXMLElement: an element of a RapidXMLDocument.
#include "RapidXMLElement.h"

#include "RapidXMLDocument.h"

#include "common/Exception.h"

#include <cwchar>

namespace xml {
namespace rapidxml {

RapidXMLElement::RapidXMLElement(RapidXMLDocument& document, Node* node)
    : Object(L"RapidXMLElement"), document_(document), node_(node) {}

const XMLNodeList& RapidXMLElement::GetChildNodes() {
    if (children_.empty()) {
        for (Node* child = node_->first_node(); child != nullptr; child = child->next_sibling()) {
            children_.push_back(document_.MakeElement(child));
        }
    }
    return children_;
}

void RapidXMLElement::AddChildNode(IXMLNode* child) {
    auto* element = dynamic_cast<RapidXMLElement*>(child);
    if (child == nullptr || child->GetNodeType() != 0 || element == nullptr) {
        throw new Exception(L"RapidXMLElement::AddChildNode()\nAdding non element nodes not supported.");
    }
    GetChildNodes();  // lists the present children first, so the new one comes last
    node_->append_node(element->GetNode());
    children_.push_back(element);
}

IXMLElement* RapidXMLElement::GetNextSibling() {
    if (nextSibling_ == nullptr && node_->next_sibling() != nullptr) {
        nextSibling_ = document_.MakeElement(node_->next_sibling());
    }
    return nextSibling_;
}

IXMLElement* RapidXMLElement::GetPreviousSibling() {
    if (previousSibling_ == nullptr && node_->previous_sibling() != nullptr) {
        previousSibling_ = document_.MakeElement(node_->previous_sibling());
    }
    return previousSibling_;
}

int RapidXMLElement::SetValue(const wchar_t* text) {
    if (text == nullptr) text = L"";
    node_->value(text);
    return static_cast<int>(std::wcslen(text));
}

}  // namespace rapidxml
}  // namespace xml
