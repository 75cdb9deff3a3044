// ControlCharacter: the characters that must never travel in a request line or header.
#pragma once

namespace net {

// C0 and C1 controls and DEL: a CR or LF among them would end a line early and let the
// rest of the text pass as a header of its own.
inline bool IsControlCharacter(wchar_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

}  // namespace net
