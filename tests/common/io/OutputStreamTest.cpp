// Tests of the output streams: counts, exact bytes, Reset and the lazy text.
#include "common/io/ByteArrayOutputStream.h"
#include "common/io/FileOutputStream.h"

#include "common/Exception.h"
#include "tests/common/TestFiles.h"

#include <gtest/gtest.h>

#include <chrono>

using io::ByteArrayOutputStream;
using io::FileOutputStream;
using io::IOutputStream;

namespace {

std::string Content(const ByteArrayOutputStream& stream, int size) {
    return stream.GetBuffer() ? std::string(stream.GetBuffer(), size) : std::string();
}

TEST(ByteArrayOutputStreamTest, KeepsEveryByteInOrderAndCountsThem) {
    ByteArrayOutputStream stream;
    IOutputStream& output = stream;
    EXPECT_EQ(0, output.GetSize());
    EXPECT_EQ(nullptr, stream.GetBuffer());
    output.Write("abc", 3);
    output.Write(std::string("d\0fg", 4).data(), 4);
    EXPECT_EQ(7, output.GetSize());
    EXPECT_EQ(std::string("abcd\0fg", 7), Content(stream, 7));
    output.Reset();
    EXPECT_EQ(0, output.GetSize());
    EXPECT_EQ(nullptr, stream.GetBuffer());
    output.Write("xy", 2);
    EXPECT_EQ("xy", Content(stream, output.GetSize()));
}

// Pieces of every size up to 1000 bytes, 16 MiB in all: each growth keeps the bytes
// before it, and the time stays linear (a buffer of the exact size at each write
// would copy some 280 GB here).
TEST(ByteArrayOutputStreamTest, ManyWritesKeepEveryByteInLinearTime) {
    ByteArrayOutputStream stream;
    std::string expected;
    std::string piece;
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; expected.size() < (16u << 20); ++i) {
        piece.assign(i % 1000 + 1, static_cast<char>('a' + i % 26));
        stream.Write(piece.data(), static_cast<int>(piece.size()));
        expected += piece;
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    ASSERT_EQ(static_cast<int>(expected.size()), stream.GetSize());
    EXPECT_TRUE(Content(stream, stream.GetSize()) == expected);
}

TEST(ByteArrayOutputStreamTest, ToStringConvertsOnlyAfterAChange) {
    ByteArrayOutputStream stream;
    EXPECT_EQ(0, stream.ToString().GetLength());
    // The text comes from the system's code page, so only its ASCII is the same everywhere.
    stream.Write("h\xC3\xA9", 3);
    const String& first = stream.ToString();
    const wchar_t* text = first.GetText();
    EXPECT_EQ(text, stream.ToString().GetText());  // the same text, not converted again
    EXPECT_EQ(L'h', text[0]);

    stream.Write("!", 1);
    std::wstring changed = stream.ToString().GetText();
    EXPECT_EQ(L'h', changed.front());
    EXPECT_EQ(L'!', changed.back());

    stream.Reset();
    EXPECT_EQ(0, stream.ToString().GetLength());
    stream.Write("ok", 2);
    EXPECT_STREQ(L"ok", stream.ToString().GetText());
    EXPECT_STREQ(L"ByteArrayOutputStream", stream.GetName());
}

TEST(FileOutputStreamTest, CreatesTheFileAtOnceAndStartsOverOnReset) {
    TempFolder folder;
    std::wstring path = folder.Path("stream.bin");
    WriteBytes(path, "previous download");
    {
        FileOutputStream stream(path.c_str());
        EXPECT_EQ("", ReadBytes(path));  // truncated at creation, no mark
        stream.Write("0123456789", 10);
        EXPECT_EQ(10, stream.GetSize());
        stream.Reset();
        EXPECT_TRUE(FileExists(path));
        EXPECT_EQ("", ReadBytes(path));
        EXPECT_EQ(0, stream.GetSize());
        stream.Write("ab", 2);
        stream.Write("c", 1);
        EXPECT_EQ(3, stream.GetSize());
    }
    EXPECT_EQ("abc", ReadBytes(path));
}

TEST(FileOutputStreamTest, RaisesWhenTheFileCannotBeCreated) {
    TempFolder folder;
    std::wstring path = folder.Path("missing-folder/stream.bin");
    std::wstring message;
    try {
        FileOutputStream stream(path.c_str());
    } catch (Exception* e) {
        message = e->GetMessageText();
        delete e;
    }
    std::wstring start = L"File::CreateNew()\nFile : " + path + L"\n";
    EXPECT_EQ(start, message.substr(0, start.size()));
}

}  // namespace
