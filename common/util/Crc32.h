// Crc32: the CRC-32 check value of bytes, as zip and PNG compute it.
#pragma once

#include <cstdint>
#include <string_view>

namespace util {

// The CRC-32 (polynomial 0xEDB88320, reflected, inverted before and after) of bytes,
// continued from the value of the bytes before them: Crc32(b, Crc32(a)) is the value
// of a followed by b, and the value of nothing is 0. It catches every change of one
// bit, or of a run of bits up to 32 long.
uint32_t Crc32(std::string_view bytes, uint32_t previous = 0);

}  // namespace util
