#include "engine_test_support.h"

// The low-level calls are deprecated in OpenSSL 3 but are the only way to MD4 without loading
// the legacy provider.
#ifndef TESSIK_WITHOUT_LIBCRYPTO
#define OPENSSL_SUPPRESS_DEPRECATED
#include <openssl/evp.h>
#include <openssl/md4.h>
#include <openssl/sha.h>
#endif

#include <algorithm>
#include <array>
#include <memory>
#include <numeric>
#include <stdexcept>
#include <utility>

#include "digest/hex.h"

namespace tessik::testing {
namespace {

// The first 730 decimal digits of pi; the shuffle below consumes 722 of them.
constexpr std::string_view kPiDigits =
    "3141592653589793238462643383279502884197169399375105820974944592307816406"
    "2862089986280348253421170679821480865132823066470938446095505822317253594"
    "0812848111745028410270193852110555964462294895493038196442881097566593344"
    "6128475648233786783165271201909145648566923460348610454326648213393607260"
    "2491412737245870066063155881748815209209628292540917153643678925903600113"
    "3053054882046652138414695194151160943305727036575959195309218611738193261"
    "1793105118548074462379962749567351885752724891227938183011949129833673362"
    "4406566430860213949463952247371907021798609437027705392171762931767523846"
    "7481846766940513200056812714526356082778577134275778960917363717872146844"
    "0901224953430146549585371050792279689258923542019956112129021960864034418";

// MD2's table as its designers built it: a Durstenfeld shuffle of 0-255 whose random numbers
// are taken from successive digits of pi, rejecting values that would bias the choice.
std::array<std::uint8_t, 256> PiShuffle() {
    std::size_t next = 0;
    const auto digit = [&next] { return static_cast<unsigned>(kPiDigits.at(next++) - '0'); };
    const auto below = [&digit](unsigned n) {
        for (;;) {
            unsigned x = digit();
            unsigned range = 10;
            if (n > 10) x = x * 10 + digit(), range = 100;
            if (n > 100) x = x * 10 + digit(), range = 1000;
            if (x < n * (range / n)) return x % n;
        }
    };
    std::array<std::uint8_t, 256> table;
    std::iota(table.begin(), table.end(), 0);
    for (unsigned i = 2; i <= 256; ++i) std::swap(table[below(i)], table[i - 1]);
    return table;
}

#ifndef TESSIK_WITHOUT_LIBCRYPTO
std::string EvpHex(const char* algorithm, const std::uint8_t* data, std::size_t length) {
    const std::unique_ptr<EVP_MD, decltype(&EVP_MD_free)> md(
        EVP_MD_fetch(nullptr, algorithm, nullptr), EVP_MD_free);
    std::uint8_t digest[EVP_MAX_MD_SIZE];
    unsigned int size = 0;
    if (!md || !EVP_Digest(data, length, digest, &size, md.get(), nullptr)) return {};
    return HexDigest(digest, size);
}

template <const char* kAlgorithm>
std::string EvpReference(const std::uint8_t* data, std::size_t length) {
    return EvpHex(kAlgorithm, data, length);
}

constexpr char kMd5[] = "MD5", kSha224[] = "SHA224", kSha256[] = "SHA256", kSha384[] = "SHA384",
               kSha512[] = "SHA512", kSha3_224[] = "SHA3-224", kSha3_256[] = "SHA3-256",
               kSha3_384[] = "SHA3-384", kSha3_512[] = "SHA3-512", kSha512_224[] = "SHA512-224",
               kSha512_256[] = "SHA512-256", kBlake2b[] = "BLAKE2B-512", kBlake2s[] = "BLAKE2S-256";

std::string ReferenceMd4Hex(const std::uint8_t* data, std::size_t length) {
    std::uint8_t digest[MD4_DIGEST_LENGTH];
    MD4(data, length, digest);
    return HexDigest(digest, sizeof digest);
}

std::string ReferenceSha1Hex(const std::uint8_t* data, std::size_t length) {
    std::uint8_t digest[SHA_DIGEST_LENGTH];
    SHA1(data, length, digest);
    return HexDigest(digest, sizeof digest);
}
#endif

// The string hashes as they are defined, one byte at a time, kept apart from the engines' block
// forms so each checks the other.
enum class Plain { kAk, kBkdr, kDek, kDjb, kElf, kJs, kPjw, kRs, kSdbm };

template <Plain kHash>
std::string ReferenceStringHashHex(const std::uint8_t* data, std::size_t length) {
    std::uint32_t h = 0;
    std::uint32_t a = 63689;
    if (kHash == Plain::kDjb) h = 5381;
    if (kHash == Plain::kJs) h = 1315423911;
    if (kHash == Plain::kDek) h = static_cast<std::uint32_t>(length);
    for (std::size_t i = 0; i < length; ++i) {
        const auto b = static_cast<std::uint32_t>(static_cast<std::int8_t>(data[i]));
        std::uint32_t x = 0;
        switch (kHash) {
            case Plain::kAk:
                h ^= i % 2 == 0 ? ((h << 7) ^ b ^ (h >> 3)) : ~((h << 11) ^ b ^ (h >> 5));
                break;
            case Plain::kBkdr:
                h = h * 131 + b;
                break;
            case Plain::kDek:
                h = (h << 5) ^ (h >> 27) ^ b;
                break;
            case Plain::kDjb:
                h = (h << 5) + h + b;
                break;
            case Plain::kElf:
                h = (h << 4) + b;
                x = h & 0xF0000000;
                if (x != 0) h ^= x >> 24;
                h &= ~x;
                break;
            case Plain::kJs:
                h ^= (h << 5) + b + (h >> 2);
                break;
            case Plain::kPjw:
                h = (h << 4) + b;
                x = h & 0xF0000000;
                if (x != 0) h = (h ^ (x >> 24)) & 0x0FFFFFFF;
                break;
            case Plain::kRs:
                h = h * a + b;
                a *= 378551;
                break;
            case Plain::kSdbm:
                h = h * 65599 + b;
                break;
        }
    }
    h &= 0x7FFFFFFF;
    const std::uint8_t bytes[] = {static_cast<std::uint8_t>(h), static_cast<std::uint8_t>(h >> 8),
                                  static_cast<std::uint8_t>(h >> 16),
                                  static_cast<std::uint8_t>(h >> 24)};
    return HexDigest(bytes, sizeof bytes);
}

// A CRC as its definition reads, a bit at a time over the reflected polynomial, far from the
// engines' folding kernels.
template <std::uint32_t kReflectedPolynomial>
std::string ReferenceCrcHex(const std::uint8_t* data, std::size_t length) {
    std::uint32_t crc = 0xFFFFFFFF;
    for (std::size_t i = 0; i < length; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ ((crc & 1) ? kReflectedPolynomial : 0);
    }
    crc = ~crc;
    const std::uint8_t bytes[] = {
        static_cast<std::uint8_t>(crc >> 24), static_cast<std::uint8_t>(crc >> 16),
        static_cast<std::uint8_t>(crc >> 8), static_cast<std::uint8_t>(crc)};
    return HexDigest(bytes, sizeof bytes);
}

}  // namespace

const AlgorithmInfo& AlgorithmNamed(std::string_view name) {
    for (const AlgorithmInfo& algorithm : AlgorithmCatalogue()) {
        if (algorithm.name == name) return algorithm;
    }
    throw std::invalid_argument("no algorithm of that name");
}

std::string OneShotHex(const AlgorithmInfo& algorithm, const std::uint8_t* data,
                       std::size_t length) {
    const auto engine = algorithm.makeEngine();
    return HexDigest(DigestOfBytes(*engine, data, length));
}

std::string OneShotHex(const AlgorithmInfo& algorithm, const Bytes& message) {
    return OneShotHex(algorithm, message.empty() ? nullptr : message.data(), message.size());
}

std::string PiecewiseHex(const AlgorithmInfo& algorithm, const Bytes& message,
                         const std::vector<std::size_t>& pieces) {
    const auto engine = algorithm.makeEngine();
    std::size_t at = 0;
    for (std::size_t size : pieces) {
        engine->Update(size == 0 ? nullptr : message.data() + at, size);
        at += size;
    }
    return HexDigest(TakeDigest(*engine));
}

const std::vector<EngineUnderTest>& EnginesUnderTest() {
    static const std::vector<EngineUnderTest> engines = {
        {AlgorithmNamed("MD2"), ReferenceMd2Hex},
#ifndef TESSIK_WITHOUT_LIBCRYPTO  // the reference of these
        {AlgorithmNamed("MD4"), ReferenceMd4Hex},
        {AlgorithmNamed("MD5"), EvpReference<kMd5>},
        {AlgorithmNamed("SHA-1"), ReferenceSha1Hex},
        {AlgorithmNamed("SHA-2(224)"), EvpReference<kSha224>},
        {AlgorithmNamed("SHA-2(256)"), EvpReference<kSha256>},
        {AlgorithmNamed("SHA-2(384)"), EvpReference<kSha384>},
        {AlgorithmNamed("SHA-2(512)"), EvpReference<kSha512>},
        {AlgorithmNamed("SHA-3(224)"), EvpReference<kSha3_224>},
        {AlgorithmNamed("SHA-3(256)"), EvpReference<kSha3_256>},
        {AlgorithmNamed("SHA-3(384)"), EvpReference<kSha3_384>},
        {AlgorithmNamed("SHA-3(512)"), EvpReference<kSha3_512>},
#endif
        {AlgorithmNamed("AK"), ReferenceStringHashHex<Plain::kAk>},
        {AlgorithmNamed("BKDR"), ReferenceStringHashHex<Plain::kBkdr>},
        {AlgorithmNamed("DEK"), ReferenceStringHashHex<Plain::kDek>},
        {AlgorithmNamed("DJB"), ReferenceStringHashHex<Plain::kDjb>},
        {AlgorithmNamed("ELF"), ReferenceStringHashHex<Plain::kElf>},
        {AlgorithmNamed("JS"), ReferenceStringHashHex<Plain::kJs>},
        {AlgorithmNamed("PJW"), ReferenceStringHashHex<Plain::kPjw>},
        {AlgorithmNamed("RS"), ReferenceStringHashHex<Plain::kRs>},
        {AlgorithmNamed("SDBM"), ReferenceStringHashHex<Plain::kSdbm>},
        {AlgorithmNamed("CRC-32"), ReferenceCrcHex<0xEDB88320>},
        {AlgorithmNamed("CRC-32C"), ReferenceCrcHex<0x82F63B78>},
#ifndef TESSIK_WITHOUT_LIBCRYPTO
        {AlgorithmNamed("BLAKE2b(512)"), EvpReference<kBlake2b>},
        {AlgorithmNamed("BLAKE2s(256)"), EvpReference<kBlake2s>},
        {AlgorithmNamed("SHA-2(512/224)"), EvpReference<kSha512_224>},
        {AlgorithmNamed("SHA-2(512/256)"), EvpReference<kSha512_256>},
#endif
    };
    return engines;
}

Bytes RandomBytes(std::mt19937_64& random, std::size_t length) {
    std::uniform_int_distribution<int> byte(0, 255);
    Bytes bytes(length);
    for (auto& b : bytes) b = static_cast<std::uint8_t>(byte(random));
    return bytes;
}

std::vector<std::size_t> RandomPieces(std::mt19937_64& random, std::size_t length) {
    std::vector<std::size_t> pieces;
    while (length > 0) {
        const auto kind = random() % 4;
        std::size_t size = kind == 0   ? random() % 2        // empty or a single byte
                           : kind == 1 ? 60 + random() % 10  // about one block
                           : kind == 2 ? random() % 16
                                       : random() % (length + 1);  // a long run
        size = std::min(size, length);
        pieces.push_back(size);
        length -= size;
    }
    pieces.push_back(0);
    return pieces;
}

// Pads the whole message, computes the checksum over it, then runs every block: the order in
// which the standard describes MD2, unlike the engine's streaming form.
std::string ReferenceMd2Hex(const std::uint8_t* data, std::size_t length) {
    static const std::array<std::uint8_t, 256> s = PiShuffle();
    std::vector<std::uint8_t> message(data, data + length);
    const std::size_t pad = 16 - length % 16;
    message.insert(message.end(), pad, static_cast<std::uint8_t>(pad));

    std::uint8_t checksum[16] = {};
    std::uint8_t last = 0;
    for (std::size_t i = 0; i < message.size(); ++i) {
        last = checksum[i % 16] ^= s[message[i] ^ last];
    }
    message.insert(message.end(), checksum, checksum + 16);

    std::uint8_t x[48] = {};
    for (std::size_t block = 0; block < message.size(); block += 16) {
        for (int j = 0; j < 16; ++j) {
            x[16 + j] = message[block + j];
            x[32 + j] = x[16 + j] ^ x[j];
        }
        std::uint8_t t = 0;
        for (int round = 0; round < 18; ++round) {
            for (std::uint8_t& cell : x) t = cell ^= s[t];
            t = static_cast<std::uint8_t>(t + round);
        }
    }
    return HexDigest(x, 16);
}

}  // namespace tessik::testing
