#pragma once
// The CRC kernel behind Crc32Engine, one of two chosen by the build: ISA-L's where Debian has it,
// elsewhere (the Windows build: Debian has no ISA-L for mingw) our own kernels, picked for the
// processor at run time like the other engines' (digest_kernels.h).

#include <cstddef>
#include <cstdint>

#include "digest/crc32.h"

namespace tessik {

// The CRC of the bytes before and then `data`, from that of the bytes before; both in finished
// form, final complement included.
std::uint32_t UpdateCrc(CrcPolynomial polynomial, std::uint32_t crc, const std::uint8_t* data,
                        std::size_t length);

}  // namespace tessik
