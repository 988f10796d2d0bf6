#include <array>

#include "digest/byte_order.h"
#include "digest/digest_kernels.h"

namespace tessik {
namespace {

// Eight tables: row k gives a byte's effect on the CRC when k more bytes follow it, so eight
// bytes are folded in at once.
using CrcTables = std::array<std::array<std::uint32_t, 256>, 8>;

constexpr CrcTables MakeTables(std::uint32_t reflectedPolynomial) {
    CrcTables tables{};
    for (std::uint32_t byte = 0; byte < 256; ++byte) {
        std::uint32_t crc = byte;
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ ((crc & 1) ? reflectedPolynomial : 0);
        tables[0][byte] = crc;
    }
    for (std::size_t row = 1; row < tables.size(); ++row) {
        for (std::size_t byte = 0; byte < 256; ++byte) {
            const std::uint32_t before = tables[row - 1][byte];
            tables[row][byte] = (before >> 8) ^ tables[0][before & 0xFF];
        }
    }
    return tables;
}

constexpr CrcTables kIeeeTables = MakeTables(0xEDB88320);
constexpr CrcTables kCastagnoliTables = MakeTables(0x82F63B78);

std::uint32_t UpdateWithTables(const CrcTables& t, std::uint32_t crc, const std::uint8_t* data,
                               std::size_t length) {
    crc = ~crc;
    for (; length >= 8; data += 8, length -= 8) {
        const std::uint32_t low = LoadLe32(data) ^ crc;
        const std::uint32_t high = LoadLe32(data + 4);
        crc = t[7][low & 0xFF] ^ t[6][(low >> 8) & 0xFF] ^ t[5][(low >> 16) & 0xFF] ^
              t[4][low >> 24] ^ t[3][high & 0xFF] ^ t[2][(high >> 8) & 0xFF] ^
              t[1][(high >> 16) & 0xFF] ^ t[0][high >> 24];
    }
    for (; length > 0; ++data, --length) crc = (crc >> 8) ^ t[0][(crc ^ *data) & 0xFF];
    return ~crc;
}

}  // namespace

std::uint32_t Crc32UpdatePortable(std::uint32_t crc, const std::uint8_t* data, std::size_t length) {
    return UpdateWithTables(kIeeeTables, crc, data, length);
}

std::uint32_t Crc32cUpdatePortable(std::uint32_t crc, const std::uint8_t* data,
                                   std::size_t length) {
    return UpdateWithTables(kCastagnoliTables, crc, data, length);
}

}  // namespace tessik
