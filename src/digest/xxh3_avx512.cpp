// XXH3's stripes in AVX-512 registers.
#define XXH_VECTOR XXH_AVX512
#include "digest/xxhash_inline.h"

#include "digest/digest_kernels.h"

namespace tessik {

void Xxh3UpdateAvx512(XxhashState& state, const std::uint8_t* data, std::size_t length) {
    XXH3_64bits_update(LibraryXxh3State(state), data, length);
}

}  // namespace tessik
