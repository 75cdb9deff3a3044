// ChunkDecoder: the data of a "chunked" HTTP body, decoded as its bytes arrive.
#pragma once

#include "common/io/IOutputStream.h"

#include <string>

namespace net {
namespace http {

// Takes the bytes of a chunked body in pieces of any size and writes the data of each
// chunk to its stream as soon as they come. A chunk is a size line (hexadecimal, read
// by HexUtils, no extensions), CR LF, that many bytes of data and CR LF; the chunk of
// size 0 is followed by trailer lines, ignored, and an empty line. The body is complete
// only after that empty line, whatever the data holds; bytes after it are ignored.
class ChunkDecoder {
public:
    // The longest size or trailer line taken, CR LF excluded.
    static constexpr int kMaxLineLength = 4096;

    // body must outlive the decoder.
    explicit ChunkDecoder(io::IOutputStream& body) : body_(body) {}
    ChunkDecoder(const ChunkDecoder&) = delete;
    ChunkDecoder& operator=(const ChunkDecoder&) = delete;

    // Decodes the next count bytes of the body. Raises "ChunkDecoder::Feed()" for a
    // line longer than kMaxLineLength or ended by LF alone, a size line without a size,
    // and data not followed by CR LF; raises HexUtils' errors for a size line that is
    // not hex or does not fit, and the stream's own. After a raise the decoder must
    // not be fed again.
    void Feed(const char* bytes, int count);
    bool IsComplete() const { return state_ == State::kDone; }

private:
    enum class State { kSizeLine, kData, kDataEnd, kTrailer, kDone };

    // Each takes what it can of bytes from position on and returns where it stopped.
    int TakeLine(const char* bytes, int count, int position);
    int TakeData(const char* bytes, int count, int position);
    int TakeDataEnd(const char* bytes, int count, int position);
    // Acts on the size or trailer line just ended, held in line_ without its LF.
    void EndLine();

    io::IOutputStream& body_;
    State state_ = State::kSizeLine;
    std::string line_;
    // In kData the bytes of the chunk still to come; in kDataEnd those of its CR LF.
    int left_ = 0;
};

}  // namespace http
}  // namespace net
