#pragma once
// The buffering every block engine shares. Whole blocks go from the caller's data straight to
// the compression function, many at a time; only a partial block is ever copied.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace tessik {

// Feeds `length` bytes through `buffer`, which holds `fill` bytes of an unfinished block, and
// returns the new fill. `compress(blocks, count)` takes `count` consecutive whole blocks.
template <std::size_t kBlockSize, typename Compress>
std::size_t AbsorbThroughBuffer(std::uint8_t* buffer, std::size_t fill, const std::uint8_t* data,
                                std::size_t length, Compress&& compress) {
    if (length == 0) return fill;  // data may be null then
    if (fill > 0) {
        const std::size_t take = std::min(length, kBlockSize - fill);
        std::memcpy(buffer + fill, data, take);
        fill += take;
        if (fill < kBlockSize) return fill;
        compress(buffer, std::size_t{1});
        data += take;
        length -= take;
    }
    const std::size_t blocks = length / kBlockSize;
    if (blocks > 0) compress(data, blocks);
    const std::size_t rest = length % kBlockSize;
    std::memcpy(buffer, data + blocks * kBlockSize, rest);
    return rest;
}

// Closes a message whose last `fill` bytes (fewer than a block) wait in `buffer`: the byte 80,
// zeros, and the encoded length in the last `kLengthSize` bytes, with one more block when the
// length no longer fits after the marker.
template <std::size_t kBlockSize, std::size_t kLengthSize, typename Compress>
void PadFinalBlock(std::uint8_t* buffer, std::size_t fill, const std::uint8_t* encodedLength,
                   Compress&& compress) {
    constexpr std::size_t kLengthAt = kBlockSize - kLengthSize;
    buffer[fill++] = 0x80;
    if (fill > kLengthAt) {
        std::memset(buffer + fill, 0, kBlockSize - fill);
        compress(buffer, std::size_t{1});
        fill = 0;
    }
    std::memset(buffer + fill, 0, kLengthAt - fill);
    std::memcpy(buffer + kLengthAt, encodedLength, kLengthSize);
    compress(buffer, std::size_t{1});
}

}  // namespace tessik
