// FilePath: the file-system path for a wide path text.
#pragma once

#include <filesystem>

// Windows paths are wide already; elsewhere the path's bytes are its UTF-8 encoding
// (the standard library's own conversion depends on the C locale and throws on
// non-ASCII text under the default one).
std::filesystem::path ToFilePath(const wchar_t* path);
