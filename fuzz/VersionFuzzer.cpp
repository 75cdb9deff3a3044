// Fuzzes the reading and comparing of version texts.
#include "common/util/version/Version.h"

#include "FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    std::wstring first = input.TakeText(60);
    std::wstring second = input.TakeText(60);
    util::version::Version a(first.c_str());
    util::version::Version b(second.c_str());
    // An ordering: never newer both ways, and never newer than itself.
    if (a.IsNewerThan(b) && b.IsNewerThan(a)) __builtin_trap();
    if (a.IsNewerThan(a)) __builtin_trap();
    return 0;
}
