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

String UpdateFileVerifier::Check(const wchar_t* path, const wchar_t* name, UpdateRole role, const wchar_t* version,
                                 const String& signature) const {
    UpdateStatement statement(name, role, ENNEO_ARCH, version);
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
    String fileName = GetFileVersionInfoValue(path, L"OriginalFilename");
    if (!Equal(fileName, statement.GetOriginalFilename())) {
        reason.Format(L"is \"%s\", not %s", fileName, statement.GetOriginalFilename());
        return reason;
    }
    String fileVersion = GetFileVersionInfoValue(path, L"ProductVersion");
    if (!Equal(fileVersion, statement.GetVersion().GetText())) {
        reason.Format(L"is \"%s\", not the %s %s offered", fileVersion, statement.GetName(), statement.GetVersion());
    }
    return reason;
}

}  // namespace version
}  // namespace util
