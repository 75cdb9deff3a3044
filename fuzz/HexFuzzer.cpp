// Fuzzes the hexadecimal reader of chunk sizes.
#include "common/Exception.h"
#include "common/net/http/HexUtils.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    try {
        if (net::http::HexUtils::HexStringToInteger(text.c_str()) < 0) __builtin_trap();
    } catch (Exception* e) {
        delete e;
    }
    return 0;
}
