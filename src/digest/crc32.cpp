#include "digest/crc32.h"

#include <algorithm>

#include "digest/byte_order.h"

extern "C" {
#include <isa-l/crc.h>
}

namespace tessik {
namespace {

// The CRC-32C call takes its length as an int.
constexpr std::size_t kLargestCall = std::size_t{1} << 30;

}  // namespace

// ISA-L picks its carry-less-multiply or CRC32-instruction kernel for this processor by itself.
// Its CRC-32 call complements on the way in and out, as zlib's does; its CRC-32C call does
// neither, so the state is complemented around it to keep both in the same finished form.
void Crc32Engine::Update(const std::uint8_t* data, std::size_t length) {
    while (length > 0) {
        const std::size_t part = std::min(length, kLargestCall);
        if (polynomial_ == CrcPolynomial::kIeee) {
            state_.value = crc32_gzip_refl(state_.value, data, part);
        } else {
            state_.value = ~crc32_iscsi(const_cast<std::uint8_t*>(data), static_cast<int>(part),
                                        ~state_.value);
        }
        data += part;
        length -= part;
    }
}

void Crc32Engine::Finish(std::uint8_t* digest) {
    StoreBe32(state_.value, digest);
    Restart();
}

}  // namespace tessik
