// Tests of ProgramImage: the machine and the version texts of program files built here byte by byte.
#include "common/util/version/ProgramImage.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

using util::version::ProgramImage;

namespace {

void Put16(std::string& bytes, size_t at, uint32_t value) {
    bytes[at] = static_cast<char>(value & 0xFF);
    bytes[at + 1] = static_cast<char>((value >> 8) & 0xFF);
}
void Put32(std::string& bytes, size_t at, uint32_t value) {
    Put16(bytes, at, value & 0xFFFF);
    Put16(bytes, at + 2, value >> 16);
}
std::string Padded(std::string bytes) {
    while (bytes.size() % 4 != 0) bytes += '\0';
    return bytes;
}
// UTF-16LE with its terminating zero.
std::string Utf16(const std::string& text) {
    std::string units;
    for (char c : text) units += std::string{c, '\0'};
    return units + std::string(2, '\0');
}

// A block of a version resource: header, key, value, children (each already a block).
std::string Block(const std::string& key, const std::string& value, bool text, const std::string& children = "") {
    std::string block = Padded(std::string(6, '\0') + Utf16(key)) + value;
    if (!children.empty()) block = Padded(block) + children;
    Put16(block, 0, static_cast<uint32_t>(block.size()));
    Put16(block, 2, static_cast<uint32_t>(text ? value.size() / 2 : value.size()));
    Put16(block, 4, text ? 1 : 0);
    return Padded(block);
}
std::string Value(const std::string& key, const std::string& text) { return Block(key, Utf16(text), true); }

// A version resource with the two texts in table "0C0A04B0" and a translation naming
// translation ("" for none).
std::string VersionResource(const std::string& originalFilename, const std::string& version,
                            const std::string& translation = "\x0a\x0c\xb0\x04") {
    std::string table =
        Block("0C0A04B0", "", true, Value("OriginalFilename", originalFilename) + Value("ProductVersion", version));
    std::string children =
        Block("StringFileInfo", "", true, Block("0409FDE9", "", true, Value("ProductVersion", "0")) + table);
    if (!translation.empty()) children += Block("VarFileInfo", "", true, Block("Translation", translation, false));
    return Block("VS_VERSION_INFO", std::string(52, '\0'), false, children);
}

// A PE file of one section, ".rsrc", holding the version resource: PE32 for i386,
// PE32+ for AMD64.
std::string Image(uint16_t machine, const std::string& version) {
    bool plus = machine == 0x8664;
    const size_t optionalSize = plus ? 240 : 224, header = 0x40, sections = header + 24 + optionalSize;
    const uint32_t raw = 0x200, address = 0x1000, versionAt = 0x58;
    std::string image(raw, '\0');
    image[0] = 'M';
    image[1] = 'Z';
    Put32(image, 0x3C, header);
    image.replace(header, 4, std::string("PE\0\0", 4));
    Put16(image, header + 4, machine);
    Put16(image, header + 6, 1);
    Put16(image, header + 20, static_cast<uint32_t>(optionalSize));
    size_t optional = header + 24, directories = optional + (plus ? 112 : 96);
    Put16(image, optional, plus ? 0x20B : 0x10B);
    Put32(image, directories - 4, 16);
    std::string resources(versionAt, '\0');
    Put16(resources, 0x0E, 1);  // the type: RT_VERSION
    Put32(resources, 0x10, 16);
    Put32(resources, 0x14, 0x80000018);
    Put16(resources, 0x18 + 0x0E, 1);  // the name: 1
    Put32(resources, 0x28, 1);
    Put32(resources, 0x2C, 0x80000030);
    Put16(resources, 0x30 + 0x0E, 1);  // the language, and its data
    Put32(resources, 0x40, 0x0C0A);
    Put32(resources, 0x44, 0x48);
    Put32(resources, 0x48, address + versionAt);
    Put32(resources, 0x4C, static_cast<uint32_t>(version.size()));
    resources += version;
    Put32(image, directories + 16, address);
    Put32(image, directories + 20, static_cast<uint32_t>(resources.size()));
    image.replace(sections, 6, ".rsrc\0", 6);
    Put32(image, sections + 8, static_cast<uint32_t>(resources.size()));
    Put32(image, sections + 12, address);
    Put32(image, sections + 16, static_cast<uint32_t>(resources.size()));
    Put32(image, sections + 20, raw);
    return image + resources;
}

TEST(ProgramImageTest, ReadsTheMachineAndTheTextsOfTheTranslationsTable) {
    for (uint16_t machine : {0x014C, 0x8664}) {
        std::string image = Image(machine, VersionResource("Enneo", "1.0.3"));
        ProgramImage program(image);
        EXPECT_EQ(machine, program.GetMachine());
        EXPECT_STREQ(L"Enneo", program.GetVersionValue(L"OriginalFilename").GetText());
        EXPECT_STREQ(L"1.0.3", program.GetVersionValue(L"ProductVersion").GetText());
        EXPECT_STREQ(L"", program.GetVersionValue(L"CompanyName").GetText());
    }
    // Without a translation, the first table counts.
    const std::string untranslatedImage = Image(0x014C, VersionResource("Enneo", "1.0.3", ""));
    ProgramImage untranslated(untranslatedImage);
    EXPECT_STREQ(L"0", untranslated.GetVersionValue(L"ProductVersion").GetText());
    const std::string script = "#!/bin/sh\n";
    ProgramImage notAProgram(script);
    EXPECT_EQ(0, notAProgram.GetMachine());
    EXPECT_STREQ(L"", notAProgram.GetVersionValue(L"ProductVersion").GetText());
}

// Every prefix of a program file, and every byte of its headers and resource tables
// changed, reads without a fault (the sanitizer tree watches each read): the texts are
// the right ones or none.
TEST(ProgramImageTest, CutOrCorruptedFilesReadSafely) {
    const std::string image = Image(0x014C, VersionResource("Enneo", "1.0.3"));
    for (size_t size = 0; size < image.size(); ++size) {
        ProgramImage cut(image.data(), size);
        String version = cut.GetVersionValue(L"ProductVersion");
        EXPECT_TRUE(std::wstring(version.GetText()).empty()) << size;
    }
    for (size_t at = 0; at < 0x2A0; ++at) {
        for (char value : {'\x00', '\x7f', '\xff'}) {
            std::string corrupted = image;
            corrupted[at] = value;
            String text = ProgramImage(corrupted.data(), corrupted.size()).GetVersionValue(L"OriginalFilename");
            std::wstring found(text.GetText());
            EXPECT_TRUE(found.empty() || found == L"Enneo" || found.size() <= 5) << at;
        }
    }
}

}  // namespace
