// CatalogueText: a text of the program's catalogues as the class library's String.
#pragma once

#include "String.h"
#include "languages/Language.h"

#include <cstdint>
#include <string>
#include <vector>

// id's text in the language chosen now, each "{N}" filled with values[N - 1]
// (Language::Say), for the library's boxes and the reasons its exceptions give.
inline String CatalogueText(TextId id, const std::vector<std::wstring>& values = {}) {
    return String(Language::Say(id, values).c_str());
}

// The same of a text with plural forms, in the form for count.
inline String CatalogueText(TextId id, int64_t count, const std::vector<std::wstring>& values) {
    return String(Language::Fill(Language::Text(id, count), values).c_str());
}
