// ElementDepthBound: how deeply RapidXML may nest a text's elements, found without recursion.
#pragma once

#include <cstddef>

namespace xml {
namespace rapidxml {

// An upper bound of the element nesting that RapidXML's parser, which recurses once per
// level, reaches on null-terminated text: one pass, front to back, in linear time and
// without recursion. An element with content (even empty) is a level; a self-closing one
// is not. The markup is read the way RapidXML reads it (processing instructions, the
// declaration with its quoted values, comments, CDATA, DOCTYPE with its bracketed
// subset, other "<!" nodes, tags with quoted attribute values, closing tags), down to
// its quirks, so that nothing it takes for an element hides inside something taken
// for a comment or a value here. Past a fault that makes RapidXML stop, the count goes
// on and may exceed any depth RapidXML reaches.
size_t ElementDepthBound(const wchar_t* text);

}  // namespace rapidxml
}  // namespace xml
