// ChunkDecoder: the data of a "chunked" HTTP body, decoded as its bytes arrive.
#include "ChunkDecoder.h"

#include "HexUtils.h"

#include "common/Exception.h"

#include <algorithm>
#include <cstring>

namespace net {
namespace http {

void ChunkDecoder::Feed(const char* bytes, int count) {
    int position = 0;
    while (position < count && state_ != State::kDone) {
        switch (state_) {
        case State::kData: position = TakeData(bytes, count, position); break;
        case State::kDataEnd: position = TakeDataEnd(bytes, count, position); break;
        default: position = TakeLine(bytes, count, position); break;  // a size or trailer line
        }
    }
}

int ChunkDecoder::TakeLine(const char* bytes, int count, int position) {
    const void* found = std::memchr(bytes + position, '\n', count - position);
    int end = found ? static_cast<int>(static_cast<const char*>(found) - bytes) : count;
    line_.append(bytes + position, end - position);
    // The CR that ends the line is still held here.
    if (line_.size() > static_cast<size_t>(kMaxLineLength) + 1) {
        throw new Exception(L"ChunkDecoder::Feed()\nA line of the body passes %d bytes.",
                            kMaxLineLength);
    }
    if (found == nullptr) return count;
    EndLine();
    return end + 1;
}

void ChunkDecoder::EndLine() {
    if (line_.empty() || line_.back() != '\r') {
        throw new Exception(L"ChunkDecoder::Feed()\nA line of the body ends without CR LF.");
    }
    line_.pop_back();
    if (state_ == State::kSizeLine) {
        // HexUtils stops at a zero byte and reads blanks alone as 0.
        if (line_.find('\0') != std::string::npos ||
            line_.find_first_not_of(' ') == std::string::npos) {
            throw new Exception(L"ChunkDecoder::Feed()\nA chunk size line holds no size.");
        }
        left_ = HexUtils::HexStringToInteger(line_.c_str());
        state_ = left_ > 0 ? State::kData : State::kTrailer;
    } else if (line_.empty()) {
        state_ = State::kDone;  // the empty line after the last chunk's trailer
    }
    line_.clear();
}

int ChunkDecoder::TakeData(const char* bytes, int count, int position) {
    int taken = std::min(left_, count - position);
    body_.Write(bytes + position, taken);
    left_ -= taken;
    if (left_ == 0) {
        state_ = State::kDataEnd;
        left_ = 2;
    }
    return position + taken;
}

int ChunkDecoder::TakeDataEnd(const char* bytes, int count, int position) {
    for (; position < count && left_ > 0; ++position, --left_) {
        if (bytes[position] != "\r\n"[2 - left_]) {
            throw new Exception(
                L"ChunkDecoder::Feed()\nThe data of a chunk is not followed by CR LF.");
        }
    }
    if (left_ == 0) state_ = State::kSizeLine;
    return position;
}

}  // namespace http
}  // namespace net
