// IXMLNode: one node of an XML document tree.
#pragma once

#include <vector>

namespace xml {

class IXMLElement;
class IXMLNode;

// The child objects of a node, in document order; owned by the node's document.
using XMLNodeList = std::vector<IXMLNode*>;

// A node of a parsed document. Node objects belong to the document that made them and
// stay valid until it is parsed again or destroyed. Texts returned are never null; texts
// passed in are kept by pointer and must outlive the document.
class IXMLNode {
public:
    virtual ~IXMLNode() = default;

    // 0 for an element, the only kind of node there is so far.
    virtual int GetNodeType() = 0;
    // Made on the first call, in document order; later calls return the same list.
    virtual const XMLNodeList& GetChildNodes() = 0;
    virtual bool HasChildNodes() = 0;
    // Appends child (an element of the same document) as the last child.
    virtual void AddChildNode(IXMLNode* child) = 0;
    // The sibling element, or null when there is none.
    virtual IXMLElement* GetNextSibling() = 0;
    virtual IXMLElement* GetPreviousSibling() = 0;
    // The node's text; the empty text when it has none.
    virtual const wchar_t* GetValue() = 0;
    // Makes text (kept by pointer) the node's value; returns its length.
    virtual int SetValue(const wchar_t* text) = 0;
    virtual const wchar_t* GetText() = 0;
    virtual int SetText(const wchar_t* text) = 0;
};

}  // namespace xml
