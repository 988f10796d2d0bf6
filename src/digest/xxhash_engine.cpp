// Built for the processor's baseline: XXH3 in SSE2 on x86-64, NEON on 64-bit Arm, plain code
// elsewhere. XXH32 and XXH64 have no vector forms.
#include "digest/xxhash_inline.h"

#include "digest/byte_order.h"
#include "digest/digest_kernels.h"

namespace tessik {
namespace {

template <typename LibraryState>
LibraryState* As(XxhashState& state) {
    return reinterpret_cast<LibraryState*>(state.bytes);
}

}  // namespace

void Xxh3UpdatePortable(XxhashState& state, const std::uint8_t* data, std::size_t length) {
    XXH3_64bits_update(LibraryXxh3State(state), data, length);
}

XxhashEngine::XxhashEngine(XxhashVariant variant) : variant_(variant) {
    Restart();
}

std::size_t XxhashEngine::DigestSize() const {
    switch (variant_) {
        case XxhashVariant::kXxh32:
            return 4;
        case XxhashVariant::kXxh64:
        case XxhashVariant::kXxh3:
            return 8;
        case XxhashVariant::kXxh128:
            return 16;
    }
    return 8;
}

void XxhashEngine::Restart() {
    WipeState();
    switch (variant_) {
        case XxhashVariant::kXxh32:
            XXH32_reset(As<XXH32_state_t>(state_), 0);
            break;
        case XxhashVariant::kXxh64:
            XXH64_reset(As<XXH64_state_t>(state_), 0);
            break;
        case XxhashVariant::kXxh3:
        case XxhashVariant::kXxh128:
            XXH3_64bits_reset(LibraryXxh3State(state_));
            break;
    }
}

// Both XXH3 widths share the streaming state and its update; only the finish differs. The fast
// paths compute the same accumulators, so the finish here completes whatever path fed them.
void XxhashEngine::Update(const std::uint8_t* data, std::size_t length) {
    if (length == 0) return;  // data may be null then
    switch (variant_) {
        case XxhashVariant::kXxh32:
            XXH32_update(As<XXH32_state_t>(state_), data, length);
            break;
        case XxhashVariant::kXxh64:
            XXH64_update(As<XXH64_state_t>(state_), data, length);
            break;
        case XxhashVariant::kXxh3:
        case XxhashVariant::kXxh128:
            ActiveDigestKernels().xxh3(state_, data, length);
            break;
    }
}

// The canonical form is the value's bytes, most significant first; XXH3-128's high half first.
void XxhashEngine::Finish(std::uint8_t* digest) {
    switch (variant_) {
        case XxhashVariant::kXxh32:
            StoreBe32(XXH32_digest(As<XXH32_state_t>(state_)), digest);
            break;
        case XxhashVariant::kXxh64:
            StoreBe64(XXH64_digest(As<XXH64_state_t>(state_)), digest);
            break;
        case XxhashVariant::kXxh3:
            StoreBe64(XXH3_64bits_digest(LibraryXxh3State(state_)), digest);
            break;
        case XxhashVariant::kXxh128: {
            const XXH128_hash_t hash = XXH3_128bits_digest(LibraryXxh3State(state_));
            StoreBe64(hash.high64, digest);
            StoreBe64(hash.low64, digest + 8);
            break;
        }
    }
    Restart();
}

}  // namespace tessik
