// HexUtils: reading the hexadecimal chunk sizes of HTTP bodies.
#pragma once

namespace net {
namespace http {

// Holder of the one hex conversion the HTTP layer needs.
class HexUtils {
public:
    // The value of narrow hexadecimal text ('0'-'9', 'a'-'f', 'A'-'F'). Trailing
    // blanks are skipped; any other blank counts as a zero digit, so leading blanks do
    // not matter and '1 0' is 256. Raises "HexUtils::HexStringToInteger(%s) %c not an
    // hex digit." on any other character (the last one, as the text is read from its
    // end), and "HexUtils::HexStringToInteger(%s) does not fit 31 bits." when the value
    // is above 0x7FFFFFFF (it would turn negative).
    static int HexStringToInteger(const char* text);
};

}  // namespace http
}  // namespace net
