#pragma once
// Many BLAKE3 inputs of the same kind at once, one per vector lane: whole chunks numbered from
// a first chunk, or parent nodes (two chaining values each). A lane set gives the vector word
// (a GCC vector of 32-bit lanes, so that + and ^ work lane by lane), its rotations, a load that
// turns one block of each lane's input into sixteen vectors of one message word each, and the
// store that turns eight vectors back into each lane's chaining value.
//
// Included only by the files that build a kernel for their extensions; internal linkage, as
// with blake3_rounds.h.

#include <bit>
#include <cstddef>
#include <cstdint>

#include "digest/blake3_rounds.h"
#include "digest/digest_kernels.h"

namespace tessik {
namespace {

template <typename Lanes>
[[gnu::always_inline]] inline typename Lanes::Word Splat(std::uint32_t value) {
    return typename Lanes::Word{} + value;
}

// Inputs in whole groups of the lane count; the rest goes to `narrower`.
template <typename Lanes>
[[gnu::always_inline]] inline void Blake3ManyLanes(const std::uint8_t* inputs, std::size_t count,
                                                   bool parents, std::uint64_t firstChunk,
                                                   std::uint8_t* cvs, Blake3ManyKernel narrower) {
    using Word = typename Lanes::Word;
    constexpr std::size_t kLanes = Lanes::kCount;
    const std::size_t blocks = parents ? 1 : kBlake3BlocksPerChunk;
    const std::size_t stride = blocks * kBlake3BlockBytes;
    Word laneNumbers{};
    for (std::size_t i = 0; i < kLanes; ++i) laneNumbers[i] = parents ? 0 : std::uint32_t(i);

    std::size_t done = 0;
    for (; count - done >= kLanes; done += kLanes) {
        const std::uint64_t counter = parents ? 0 : firstChunk + done;
        const Word lowBase = Splat<Lanes>(static_cast<std::uint32_t>(counter));
        const Word low = lowBase + laneNumbers;
        // A lane whose low word wrapped carries into its high word.
        const Word high = Splat<Lanes>(static_cast<std::uint32_t>(counter >> 32)) -
                          std::bit_cast<Word>(low < lowBase);
        Word h[8];
        for (int i = 0; i < 8; ++i) h[i] = Splat<Lanes>(kBlake3Iv[i]);
        const std::uint8_t* group = inputs + done * stride;
        // The next group's chunks, a slice per block: sixteen streams a kilobyte apart are more
        // than the processor's own prefetcher follows from memory.
        const bool prefetch = !parents && count - done >= 2 * kLanes;
        for (std::size_t block = 0; block < blocks; ++block) {
            if (prefetch) {
                constexpr std::size_t kSlice = kLanes * kBlake3ChunkBytes / kBlake3BlocksPerChunk;
                const std::uint8_t* slice = group + kLanes * stride + block * kSlice;
                for (std::size_t line = 0; line < kSlice; line += 64)
                    __builtin_prefetch(slice + line);
            }
            Word m[16];
            Lanes::LoadBlock(group + block * kBlake3BlockBytes, stride, m);
            const std::uint32_t flags =
                parents ? kParent
                        : (block == 0 ? kChunkStart : 0) | (block + 1 == blocks ? kChunkEnd : 0);
            Word v[16] = {h[0],
                          h[1],
                          h[2],
                          h[3],
                          h[4],
                          h[5],
                          h[6],
                          h[7],
                          Splat<Lanes>(kBlake3Iv[0]),
                          Splat<Lanes>(kBlake3Iv[1]),
                          Splat<Lanes>(kBlake3Iv[2]),
                          Splat<Lanes>(kBlake3Iv[3]),
                          low,
                          high,
                          Splat<Lanes>(kBlake3BlockBytes),
                          Splat<Lanes>(flags)};
            Blake3Rounds<Lanes>(v, m);
            for (int i = 0; i < 8; ++i) h[i] = v[i] ^ v[i + 8];
        }
        Lanes::StoreCvs(h, cvs + done * 32);
    }
    if (done < count)
        narrower(inputs + done * stride, count - done, parents, firstChunk + done, cvs + done * 32);
}

}  // namespace
}  // namespace tessik
