// Fuzzes the HTTP response reader, chunk decoding included, with the bytes arriving in
// pieces as from a socket; failures are raised as Exception.
#include "common/Exception.h"
#include "common/net/TCPSocket.h"
#include "common/net/http/HttpResponse.h"

#include "FuzzInput.h"

#include <algorithm>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    size_t pieceSize = input.TakeByte() % 64 + 1;
    std::string bytes = input.TakeRest();
    size_t sent = 0;
    net::http::HttpResponse response;
    response.SetSizeLimit(1 << 20);
    try {
        response.ReadFrom([&](char* buffer, int) {
            if (sent >= bytes.size()) return 0;  // the peer has closed
            size_t n = std::min(pieceSize, bytes.size() - sent);
            std::memcpy(buffer, bytes.data() + sent, n);
            sent += n;
            return static_cast<int>(n);
        });
    } catch (Exception* e) {
        delete e;
    }
    return 0;
}
