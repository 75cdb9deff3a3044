// Crc32: the CRC-32 check value of bytes, as zip and PNG compute it.
#include "Crc32.h"

namespace util {

// Bit by bit: the files it checks are small, and no table needs building.
uint32_t Crc32(std::string_view bytes, uint32_t previous) {
    uint32_t crc = ~previous;
    for (char byte : bytes) {
        crc ^= static_cast<uint8_t>(byte);
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

}  // namespace util
