// IXMLElement: an element node of an XML document.
#pragma once

#include "IXMLNode.h"

namespace xml {

// An element: a node with a tag name whose children can be detached.
class IXMLElement : public IXMLNode {
public:
    // The tag name; the empty text when it has none.
    virtual const wchar_t* GetTagName() = 0;
    // Detaches every child node from this element's node; objects already made for
    // them stay valid, and the list of child objects is left as it was.
    virtual void RemoveAllChildNodes() = 0;
};

}  // namespace xml
