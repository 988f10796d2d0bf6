#include "digest/crc32_update.h"
#include "digest/digest_kernels.h"

namespace tessik {

// Where the build has no CRC library, the kernels of our own chosen for this processor.
std::uint32_t UpdateCrc(CrcPolynomial polynomial, std::uint32_t crc, const std::uint8_t* data,
                        std::size_t length) {
    const DigestKernels& kernels = ActiveDigestKernels();
    return (polynomial == CrcPolynomial::kIeee ? kernels.crc32 : kernels.crc32c)(crc, data, length);
}

}  // namespace tessik
