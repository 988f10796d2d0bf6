#pragma once
// The engines' inner loops, each in every form it is built in, and the table through which
// the engines reach the forms chosen for this machine.

#include <cstddef>
#include <cstdint>

namespace tessik {

// Each runs the compression function over `blockCount` consecutive blocks.
using Md4Kernel = void (*)(std::uint32_t state[4], const std::uint8_t* data,
                           std::size_t blockCount);
using Md5Kernel = void (*)(std::uint32_t state[4], const std::uint8_t* data,
                           std::size_t blockCount);
using Sha1Kernel = void (*)(std::uint32_t state[5], const std::uint8_t* data,
                            std::size_t blockCount);
using Sha256Kernel = void (*)(std::uint32_t state[8], const std::uint8_t* data,
                              std::size_t blockCount);
using Sha512Kernel = void (*)(std::uint64_t state[8], const std::uint8_t* data,
                              std::size_t blockCount);
// XORs each block of `rateLanes` little-endian words into the first lanes and permutes.
using KeccakAbsorbKernel = void (*)(std::uint64_t lanes[25], const std::uint8_t* data,
                                    std::size_t blockCount, std::size_t rateLanes);
using KeccakPermuteKernel = void (*)(std::uint64_t lanes[25]);
// BLAKE3's chaining values of `count` inputs laid end to end, 32 bytes each into `cvs`: whole
// chunks numbered from `firstChunk`, or parent nodes (two chaining values each).
using Blake3ManyKernel = void (*)(const std::uint8_t* inputs, std::size_t count, bool parents,
                                  std::uint64_t firstChunk, std::uint8_t* cvs);
// `counter` is the byte count the first block ends at, each later one a block further; `last`
// marks the final block of the message.
using Blake2bKernel = void (*)(std::uint64_t h[8], const std::uint8_t* data, std::size_t blockCount,
                               std::uint64_t counter, bool last);
using Blake2sKernel = void (*)(std::uint32_t h[8], const std::uint8_t* data, std::size_t blockCount,
                               std::uint64_t counter, bool last);
// Feeds any number of bytes, one or more, to XXH3's streaming state.
struct XxhashState;
using Xxh3Kernel = void (*)(XxhashState& state, const std::uint8_t* data, std::size_t length);
// The CRC of the bytes before and then `data`, from that of the bytes before; both in finished
// form, final complement included.
using CrcKernel = std::uint32_t (*)(std::uint32_t crc, const std::uint8_t* data,
                                    std::size_t length);

struct DigestKernels {
    Md4Kernel md4;
    Md5Kernel md5;
    Sha1Kernel sha1;
    Sha256Kernel sha256;
    Sha512Kernel sha512;
    KeccakAbsorbKernel keccakAbsorb;
    KeccakPermuteKernel keccakPermute;
    Blake3ManyKernel blake3Many;
    Blake2bKernel blake2b;
    Blake2sKernel blake2s;
    Xxh3Kernel xxh3;
    CrcKernel crc32;
    CrcKernel crc32c;
};

const DigestKernels& ActiveDigestKernels();

void Md4BlocksPortable(std::uint32_t state[4], const std::uint8_t* data, std::size_t blockCount);
void Md5BlocksPortable(std::uint32_t state[4], const std::uint8_t* data, std::size_t blockCount);
void Sha1BlocksPortable(std::uint32_t state[5], const std::uint8_t* data, std::size_t blockCount);
void Sha256BlocksPortable(std::uint32_t state[8], const std::uint8_t* data, std::size_t blockCount);
void Sha512BlocksPortable(std::uint64_t state[8], const std::uint8_t* data, std::size_t blockCount);
void KeccakAbsorbPortable(std::uint64_t lanes[25], const std::uint8_t* data, std::size_t blockCount,
                          std::size_t rateLanes);
void KeccakPermutePortable(std::uint64_t lanes[25]);
void Blake3ManyPortable(const std::uint8_t* inputs, std::size_t count, bool parents,
                        std::uint64_t firstChunk, std::uint8_t* cvs);
// One BLAKE3 compression, all sixteen output words: the chaining value and, for the root's
// extended output, the rest. `out` may be `cv`.
void Blake3CompressPortable(const std::uint32_t cv[8], const std::uint8_t block[64],
                            std::uint32_t blockBytes, std::uint64_t counter, std::uint32_t flags,
                            std::uint32_t out[16]);
void Blake2bBlocksPortable(std::uint64_t h[8], const std::uint8_t* data, std::size_t blockCount,
                           std::uint64_t counter, bool last);
void Blake2sBlocksPortable(std::uint32_t h[8], const std::uint8_t* data, std::size_t blockCount,
                           std::uint64_t counter, bool last);
void Xxh3UpdatePortable(XxhashState& state, const std::uint8_t* data, std::size_t length);
std::uint32_t Crc32UpdatePortable(std::uint32_t crc, const std::uint8_t* data, std::size_t length);
std::uint32_t Crc32cUpdatePortable(std::uint32_t crc, const std::uint8_t* data, std::size_t length);

// Built only for x86 processors, each in a file of its own compiled for its extensions.
void Sha1BlocksShaNi(std::uint32_t state[5], const std::uint8_t* data, std::size_t blockCount);
void Sha256BlocksShaNi(std::uint32_t state[8], const std::uint8_t* data, std::size_t blockCount);
void Sha512BlocksAvx2(std::uint64_t state[8], const std::uint8_t* data, std::size_t blockCount);
void KeccakAbsorbBmi(std::uint64_t lanes[25], const std::uint8_t* data, std::size_t blockCount,
                     std::size_t rateLanes);
void KeccakPermuteBmi(std::uint64_t lanes[25]);
void Sha512BlocksAvx512(std::uint64_t state[8], const std::uint8_t* data, std::size_t blockCount);
void Md4BlocksAvx512(std::uint32_t state[4], const std::uint8_t* data, std::size_t blockCount);
void Md5BlocksAvx512(std::uint32_t state[4], const std::uint8_t* data, std::size_t blockCount);
void KeccakAbsorbAvx512(std::uint64_t lanes[25], const std::uint8_t* data, std::size_t blockCount,
                        std::size_t rateLanes);
void KeccakPermuteAvx512(std::uint64_t lanes[25]);
// BLAKE3 in 4, 8 and 16 lanes; each hands what is left of a whole group to the next narrower.
void Blake3ManySse41(const std::uint8_t* inputs, std::size_t count, bool parents,
                     std::uint64_t firstChunk, std::uint8_t* cvs);
void Blake3ManyAvx2(const std::uint8_t* inputs, std::size_t count, bool parents,
                    std::uint64_t firstChunk, std::uint8_t* cvs);
void Blake3ManyAvx512(const std::uint8_t* inputs, std::size_t count, bool parents,
                      std::uint64_t firstChunk, std::uint8_t* cvs);
void Blake2bBlocksAvx2(std::uint64_t h[8], const std::uint8_t* data, std::size_t blockCount,
                       std::uint64_t counter, bool last);
void Blake2sBlocksAvx2(std::uint32_t h[8], const std::uint8_t* data, std::size_t blockCount,
                       std::uint64_t counter, bool last);
void Blake2bBlocksAvx512(std::uint64_t h[8], const std::uint8_t* data, std::size_t blockCount,
                         std::uint64_t counter, bool last);
void Blake2sBlocksAvx512(std::uint32_t h[8], const std::uint8_t* data, std::size_t blockCount,
                         std::uint64_t counter, bool last);
void Xxh3UpdateAvx2(XxhashState& state, const std::uint8_t* data, std::size_t length);
void Xxh3UpdateAvx512(XxhashState& state, const std::uint8_t* data, std::size_t length);
// The table-driven kernel takes what is too short to fold.
std::uint32_t Crc32UpdateClmul(std::uint32_t crc, const std::uint8_t* data, std::size_t length);
std::uint32_t Crc32cUpdateSse42(std::uint32_t crc, const std::uint8_t* data, std::size_t length);

}  // namespace tessik
