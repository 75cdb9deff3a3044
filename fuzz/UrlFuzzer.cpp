// Fuzzes URL: host, port and path of any text, with failures raised as Exception.
#include "common/Exception.h"
#include "common/net/URL.h"

#include "FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    net::URL url;
    std::wstring text = input.TakeText(300);
    try {
        url.Set(text.c_str());
        url.getHost();
        url.getPath();
        url.getPort();
    } catch (Exception* e) {
        delete e;
    }
    return 0;
}
