// BLAKE3's compression one block at a time in plain C++: the kernel of every processor without
// vector lanes, and the one single blocks (a chunk's last, the root's output) always take.

#include <algorithm>
#include <iterator>

#include "digest/blake3_rounds.h"
#include "digest/byte_order.h"
#include "digest/digest_kernels.h"

namespace tessik {

void Blake3CompressPortable(const std::uint32_t cv[8], const std::uint8_t block[64],
                            std::uint32_t blockBytes, std::uint64_t counter, std::uint32_t flags,
                            std::uint32_t out[16]) {
    std::uint32_t m[16];
    for (int i = 0; i < 16; ++i) m[i] = LoadLe32(block + 4 * i);
    std::uint32_t v[16] = {cv[0],
                           cv[1],
                           cv[2],
                           cv[3],
                           cv[4],
                           cv[5],
                           cv[6],
                           cv[7],
                           kBlake3Iv[0],
                           kBlake3Iv[1],
                           kBlake3Iv[2],
                           kBlake3Iv[3],
                           static_cast<std::uint32_t>(counter),
                           static_cast<std::uint32_t>(counter >> 32),
                           blockBytes,
                           flags};
    Blake3Rounds<ScalarWords>(v, m);
    // The second half first: `out` may be `cv`.
    for (int i = 0; i < 8; ++i) {
        out[i + 8] = v[i + 8] ^ cv[i];
        out[i] = v[i] ^ v[i + 8];
    }
}

void Blake3ManyPortable(const std::uint8_t* inputs, std::size_t count, bool parents,
                        std::uint64_t firstChunk, std::uint8_t* cvs) {
    const std::size_t blocks = parents ? 1 : kBlake3BlocksPerChunk;
    for (std::size_t i = 0; i < count; ++i) {
        std::uint32_t words[16];
        std::copy(std::begin(kBlake3Iv), std::end(kBlake3Iv), words);
        for (std::size_t block = 0; block < blocks; ++block) {
            const std::uint32_t flags =
                parents ? kParent
                        : (block == 0 ? kChunkStart : 0) | (block + 1 == blocks ? kChunkEnd : 0);
            Blake3CompressPortable(words, inputs + block * kBlake3BlockBytes, kBlake3BlockBytes,
                                   parents ? 0 : firstChunk + i, flags, words);
        }
        for (int w = 0; w < 8; ++w) StoreLe32(words[w], cvs + 32 * i + 4 * w);
        inputs += blocks * kBlake3BlockBytes;
    }
}

}  // namespace tessik
