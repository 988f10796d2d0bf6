#include <algorithm>

#include "digest/crc32_update.h"

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
// neither, so the value is complemented around it to keep both in the same finished form.
std::uint32_t UpdateCrc(CrcPolynomial polynomial, std::uint32_t crc, const std::uint8_t* data,
                        std::size_t length) {
    while (length > 0) {
        const std::size_t part = std::min(length, kLargestCall);
        if (polynomial == CrcPolynomial::kIeee) {
            crc = crc32_gzip_refl(crc, data, part);
        } else {
            crc = ~crc32_iscsi(const_cast<std::uint8_t*>(data), static_cast<int>(part), ~crc);
        }
        data += part;
        length -= part;
    }
    return crc;
}

}  // namespace tessik
