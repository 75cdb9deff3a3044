// UpdateFileVerifier: decides whether a downloaded file is the one the publisher released for its use.
#include "UpdateFileVerifier.h"

#include "UpdateInfo.h"

#include "common/Exception.h"
#include "common/util/File.h"
#include "common/util/VersionInfo.h"

#include <cstring>
#include <cwchar>
#include <memory>
#include <vector>

namespace util {
namespace version {

namespace {

// The machine field of the PE header in a program file's bytes; 0 when they hold no
// PE header.
uint16_t MachineOf(const char* bytes, uint32_t size) {
    const uint32_t kHeaderOffsetAt = 0x3C;
    if (size < kHeaderOffsetAt + 4 || bytes[0] != 'M' || bytes[1] != 'Z') return 0;
    uint32_t header = 0;
    std::memcpy(&header, bytes + kHeaderOffsetAt, sizeof header);  // little-endian, as Windows
    if (header > size - 6 || std::memcmp(bytes + header, "PE\0\0", 4) != 0) return 0;
    uint16_t machine = 0;
    std::memcpy(&machine, bytes + header + 4, sizeof machine);
    return machine;
}

bool Equal(const String& text, const wchar_t* other) {
    return std::wcscmp(text.GetLength() > 0 ? text.GetText() : L"", other != nullptr ? other : L"") == 0;
}

}  // namespace

UpdateFileVerifier::UpdateFileVerifier(const UpdatePublicKey& key) : Object(L"UpdateFileVerifier"), signatures_(key) {}

const wchar_t* UpdateFileVerifier::GetBuildArchitecture() { return ENNEO_ARCH; }

String UpdateFileVerifier::Check(const wchar_t* path, const UpdateStatement& statement, const String& signature) const {
    String reason;
    std::unique_ptr<char[]> bytes;
    uint32_t size = 0;
    try {
        File file(path);
        file.OpenFile(FileAccess::Read, FileCreation::OpenExisting);
        if (file.IsOpen()) size = file.LoadIntoMemory(bytes);
    } catch (Exception* e) {
        delete e;
        bytes.reset();
    }
    std::vector<uint8_t> decoded;
    if (bytes == nullptr || !UpdateInfo::DecodeSignature(signature, decoded) ||
        !signatures_.Verify(bytes.get(), size, statement, decoded)) {
        reason.Format(L"is not signed by the publisher of %s", statement.GetName());
        return reason;
    }
    if (MachineOf(bytes.get(), size) != statement.GetMachine()) {
        reason.Format(L"is not a %s program", statement.GetArchitecture());
        return reason;
    }
    String name = GetFileVersionInfoValue(path, L"OriginalFilename");
    if (!Equal(name, statement.GetOriginalFilename())) {
        reason.Format(L"is \"%s\", not %s", name, statement.GetOriginalFilename());
        return reason;
    }
    String version = GetFileVersionInfoValue(path, L"ProductVersion");
    if (!Equal(version, statement.GetVersion().GetText())) {
        reason.Format(L"is \"%s\", not the %s %s offered", version, statement.GetName(), statement.GetVersion());
    }
    return reason;
}

}  // namespace version
}  // namespace util
