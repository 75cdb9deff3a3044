// ElementDepthBound: how deeply RapidXML may nest a text's elements, found without recursion.
#include "ElementDepthBound.h"

#include <algorithm>
#include <cwchar>

namespace xml {
namespace rapidxml {

namespace {

// RapidXML's character tables have 256 entries and are indexed by a character's low
// byte, so a wide character such as U+0120 is whitespace to it and U+012F ends a name.
// The classes here do the same: each may only be as wide as RapidXML's.
unsigned char LowByte(wchar_t c) { return static_cast<unsigned char>(c); }

bool IsSpace(wchar_t c) {
    unsigned char b = LowByte(c);
    return b == ' ' || b == '\t' || b == '\n' || b == '\r';
}

bool IsNameCharacter(wchar_t c) {
    unsigned char b = LowByte(c);
    return b != 0 && !IsSpace(c) && b != '/' && b != '>' && b != '?';
}

bool IsAttributeNameCharacter(wchar_t c) {
    return IsNameCharacter(c) && LowByte(c) != '<' && LowByte(c) != '=' && LowByte(c) != '!';
}

const wchar_t* SkipWhile(const wchar_t* p, bool (*test)(wchar_t)) {
    while (test(*p)) ++p;
    return p;
}

// Just past the first end at or after p; null when the text ends first.
const wchar_t* SkipPast(const wchar_t* p, const wchar_t* end) {
    const wchar_t* found = std::wcsstr(p, end);
    return found != nullptr ? found + std::wcslen(end) : nullptr;
}

// Attributes, from their first name on: name, '=', a value in ' or ", each with optional
// whitespace around. Returns where they end, or where RapidXML fails on them.
const wchar_t* SkipAttributes(const wchar_t* p) {
    while (IsAttributeNameCharacter(*p)) {
        p = SkipWhile(SkipWhile(p, IsAttributeNameCharacter), IsSpace);
        if (*p != L'=') return p;
        p = SkipWhile(p + 1, IsSpace);
        wchar_t quote = *p;
        if (quote != L'\'' && quote != L'"') return p;
        // The value ends at the first character whose low byte is the quote's or 0;
        // RapidXML fails there unless it is the quote itself.
        for (++p; LowByte(*p) != quote && LowByte(*p) != 0; ++p) {
        }
        if (*p != quote) return p;
        p = SkipWhile(p + 1, IsSpace);
    }
    return p;
}

// Just past the '>' that closes a DOCTYPE, from after "<!DOCTYPE "; a '>' inside
// brackets, which nest, does not close it. Null when the text ends first.
const wchar_t* SkipDoctype(const wchar_t* p) {
    size_t brackets = 0;
    for (; *p != 0; ++p) {
        if (*p == L'[') {
            ++brackets;
        } else if (*p == L']' && brackets > 0) {
            --brackets;
        } else if (*p == L'>' && brackets == 0) {
            return p + 1;
        }
    }
    return nullptr;
}

// Just past a node that starts with "<!", from its '!'; null when the text ends first.
const wchar_t* SkipExclamationNode(const wchar_t* p) {
    if (p[1] == L'-' && p[2] == L'-') return SkipPast(p + 3, L"-->");
    if (std::wcsncmp(p + 1, L"[CDATA[", 7) == 0) return SkipPast(p + 8, L"]]>");
    if (std::wcsncmp(p + 1, L"DOCTYPE", 7) == 0 && IsSpace(p[8])) return SkipDoctype(p + 9);
    return SkipPast(p + 1, L">");  // any other "<!" node ends at the first '>'
}

// Just past a node that starts with "<?", from after the '?': the declaration "<?xml"
// with whitespace holds attributes, whose values may hold "?>"; any other processing
// instruction ends at the first "?>". Null when the text ends first.
const wchar_t* SkipQuestionNode(const wchar_t* p) {
    bool declaration = (p[0] == L'x' || p[0] == L'X') && (p[1] == L'm' || p[1] == L'M') &&
                       (p[2] == L'l' || p[2] == L'L') && IsSpace(p[3]);
    if (!declaration) return SkipPast(p, L"?>");
    p = SkipAttributes(SkipWhile(p + 4, IsSpace));
    return p[0] == L'?' && p[1] == L'>' ? p + 2 : p;
}

}  // namespace

size_t ElementDepthBound(const wchar_t* text) {
    size_t depth = 0;
    size_t deepest = 0;
    const wchar_t* p = text;
    // Outside markup everything up to the next '<' is text: entity references in it,
    // translated by RapidXML, never stand for markup.
    while (p != nullptr && *p != 0) {
        if (*p++ != L'<') continue;
        if (*p == L'/') {
            // A closing tag: a name, which may hold '<', and whitespace before its '>'.
            if (depth > 0) --depth;
            p = SkipPast(p, L">");
        } else if (*p == L'?') {
            p = SkipQuestionNode(p + 1);
        } else if (*p == L'!') {
            p = SkipExclamationNode(p);
        } else {
            // An element: its name (which may hold quotes, '=' and '<'), whitespace,
            // attributes, then "/>" or, opening a level, '>'.
            p = SkipAttributes(SkipWhile(SkipWhile(p, IsNameCharacter), IsSpace));
            if (p[0] == L'/' && p[1] == L'>') {
                p += 2;
            } else {
                deepest = std::max(deepest, ++depth);
            }
        }
    }
    return deepest;
}

}  // namespace rapidxml
}  // namespace xml
