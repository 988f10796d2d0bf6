#include "digest/digest_request.h"

#include <cerrno>
#include <gtest/gtest.h>
#ifndef TESSIK_WITHOUT_LIBCRYPTO
#include <openssl/evp.h>
#endif
#include <sys/stat.h>
#include <unistd.h>

#include <random>
#include <string>
#include <vector>

#include "digest/algorithm_catalogue.h"
#include "digest/file_stream.h"
#include "digest/hex.h"
#include "platform/text_conversion.h"
#include "support/system_call_faults.h"
#include "support/temporary_folder.h"
#include "support/windows_skips.h"

namespace tessik {
namespace {

using test::TemporaryFolder;

#ifndef TESSIK_WITHOUT_LIBCRYPTO
std::string Oracle(const char* algorithm, std::string_view bytes) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int size = 0;
    EVP_Digest(bytes.data(), bytes.size(), digest, &size, EVP_get_digestbyname(algorithm), nullptr);
    return HexDigest(digest, size);
}
#endif

// Valid UTF-8 of exactly `length` bytes and no NUL, mixing one- to three-byte characters so
// that bytes 80-FF, which the string hashes take as negative, appear throughout.
std::string RandomUtf8(std::mt19937& random, std::size_t length) {
    std::string bytes;
    while (bytes.size() < length) {
        const std::size_t left = length - bytes.size();
        const unsigned kind = random() % 3;
        if (kind == 2 && left >= 3) {
            const unsigned c = 0x800 + random() % (0xD800 - 0x800);
            bytes += static_cast<char>(0xE0 | (c >> 12));
            bytes += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            bytes += static_cast<char>(0x80 | (c & 0x3F));
        } else if (kind == 1 && left >= 2) {
            const unsigned c = 0x80 + random() % (0x800 - 0x80);
            bytes += static_cast<char>(0xC0 | (c >> 6));
            bytes += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            bytes += static_cast<char>(1 + random() % 0x7F);
        }
    }
    return bytes;
}

// Empty text for every entry, and abc as text and as a file for many: each pins down which
// engine and which size an index reaches. Message digests from their standards' test vectors;
// the xxHash family's as xxhsum 0.8.1 prints them, the CRCs' as rhash and Python's zlib do.
TEST(DigestRequest, EveryIndexReachesItsOwnEngine) {
    const char* empty[] = {
        "8350e5a3e24c153df2275c9f80692773",
        "31d6cfe0d16ae931b73c59d7e0c089c0",
        "d41d8cd98f00b204e9800998ecf8427e",
        "da39a3ee5e6b4b0d3255bfef95601890afd80709",
        "d14a028c2a3a2bc9476102bb288234c415a2b01f828ea62ac5b3e42f",
        "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855",
        "38b060a751ac96384cd9327eb1b1e36a21fdb71114be07434c0cc7bf63f6e1da274edebfe76f65fbd51ad2"
        "f14898b95b",
        "cf83e1357eefb8bdf1542850d66d8007d620e4050b5715dc83f4a921d36ce9ce47d0d13c5d85f2b0ff8318d2"
        "877eec2f63b931bd47417a81a538327af927da3e",
        "f71837502ba8e10837bdd8d365adb85591895602fc552b48b7390abd",
        "c5d2460186f7233c927e7db2dcc703c0e500b653ca82273b7bfad8045d85a470",
        "2c23146a63a29acf99e73b88f8c24eaa7dc60aa771780ccc006afbfa8fe2479b2dd2b21362337441ac12b515"
        "911957ff",
        "0eab42de4c3ceb9235fc91acffe746b29c29a8c366b7c60e4e67c466f36a4304c00fa9caf9d87976ba469bcb"
        "e06713b435f091ef2769fb160cdab33d3670680e",
        "6b4e03423667dbb73b6e15454f0eb1abd4597f9a1b078e3f5b5a6bc7",
        "a7ffc6f8bf1ed76651c14756a061d662f580ff4de43b49fa82d80a4b80f8434a",
        "0c63a75b845e4f7d01107d852e4c2485c51a50aaaa94fc61995e71bbee983a2ac3713831264adb47fb6bd1e0"
        "58d5f004",
        "a69f73cca23a9ac5c8b567dc185a756e97c982164fe25859e0d1dcc1475c80a615b2123af1f5f94c11e3e940"
        "2c3ac558f500199d95b6d3e301758586281dcd26",
        "00000000",
        "00000000",
        "00000000",
        "05150000",
        "00000000",
        "a7c6674e",
        "00000000",
        "00000000",
        "00000000",
        "00000000",
        "00000000",
        "02cc5d05",
        "ef46db3751d8e999",
        "2d06800538d394c2",
        "99aa06d3014798d86001c324468d497f",
        "786a02f742015903c6c6fd852552d272912f4740e15847618a86e217f71f5419d25e1031afee58531389644493"
        "4eb04b903a685b1448b755d56f701afe9be2ce",
        "69217a3079908094e11121d042354a7c1f55b6482ca1a51e1b250dfd1ed0eef9",
        "af1349b9f5f9a1a6a0404dea36dcc9499bcb25c9adc112b7cc9a93cae41f3262",
        "6ed0dd02806fa89e25de060c19d3ac86cabb87d6a0ddd05c333b84f4",
        "c672b8d1ef56ed28ab87c3622c5114069bdd3ad7b8f9737498d0c01ecef0967a",
    };
    ASSERT_EQ(std::size(empty), static_cast<std::size_t>(AlgorithmCount()));
    for (int index = 0; index < AlgorithmCount(); ++index) {
        EXPECT_EQ(HashFromString(index, u"", true), empty[index]) << index;
    }
    const struct {
        int index;
        const char* abc;
    } abcCases[] = {
        {0, "da853b0d3f88d99b30283a69e6ded6bb"},
        {1, "a448017aaf21d8525fc10ae87aa6729d"},
        {2, "900150983cd24fb0d6963f7d28e17f72"},
        {3, "a9993e364706816aba3e25717850c26c9cd0d89d"},
        {5, "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {9, "4e03657aea45a94fc7d47ba826c8d667c0d1e6e33a64a036ec44f58fa12d6c45"},
        {13, "3a985da74fe225b2045c172d6bd390bd855f086e3e9d525b46bfe24511431532"},
        {16, "e396781e"},
        {17, "f2981900"},
        {18, "23080000"},
        {19, "8b5c880b"},
        {20, "83670000"},
        {21, "a1179b1a"},
        {22, "83670000"},
        {23, "ac2a0131"},
        {24, "62f82530"},
        {25, "352441c2"},
        {26, "364b3fb7"},
        {27, "32d153ff"},
        {28, "44bc2cf5ad770999"},
        {29, "78af5f94892f3950"},
        {30, "06b05ab6733a618578af5f94892f3950"},
        {31,
         "ba80a53f981c4d0d6a2797b69f12f6e94c212f14685ac4b74b12bb6fdbffa2d17d87c5392aab792dc252d5"
         "de4533cc9518d38aa8dbf1925ab92386edd4009923"},
        {32, "508c5e8c327c14e2e1a72ba34eeb452f37458b209ed63a294d999b4c86675982"},
        {33, "6437b3ac38465133ffb63b75273a8db548c558465d79db03fd359c6cd5bd9d85"},
        {34, "4634270f707b6a54daae7530460842e20e37ed265ceee9a43e8924aa"},
        {35, "53048e2681941ef99b2e29b76b4c7dabe4c2d0c634fc6d46e0e2f13107e7af23"},
        // Outside the list: SDBM.
        {-1, "62f82530"},
        {AlgorithmCount(), "62f82530"},
        {-16, "62f82530"},
        {1000, "62f82530"},
    };
    TemporaryFolder temp;
    test::WriteBytes(temp.Native("abc"), "abc");
    for (const auto& c : abcCases) {
        EXPECT_EQ(HashFromString(c.index, u"abc", true), c.abc) << c.index;
        EXPECT_EQ(HashFromFile(c.index, temp.U16("abc"), true), c.abc) << c.index;
    }
}

TEST(DigestRequest, ResultLengthsAndLetterCase) {
    const std::size_t lengths[] = {32, 32, 32, 40,  56, 64, 96, 128, 56, 64, 96, 128,
                                   56, 64, 96, 128, 8,  8,  8,  8,   8,  8,  8,  8,
                                   8,  8,  8,  8,   16, 16, 32, 128, 64, 64, 56, 64};
    ASSERT_EQ(std::size(lengths), static_cast<std::size_t>(AlgorithmCount()));
    for (int index = 0; index < AlgorithmCount(); ++index) {
        const std::string lower = HashFromString(index, u"The quick brown fox", true);
        const std::string upper = HashFromString(index, u"The quick brown fox", false);
        EXPECT_EQ(lower.size(), lengths[index]) << index;
        EXPECT_EQ(lower.find_first_not_of("0123456789abcdef"), std::string::npos) << lower;
        EXPECT_EQ(upper, AsciiUpper(lower)) << index;
    }
    EXPECT_EQ(HashFromString(2, u"", false), "D41D8CD98F00B204E9800998ECF8427E");
    EXPECT_EQ(HashFromString(3, u"", false), "DA39A3EE5E6B4B0D3255BFEF95601890AFD80709");
    EXPECT_EQ(HashFromString(21, u"", false), "A7C6674E");
    EXPECT_EQ(HashFromString(16, u"abc", false), "E396781E");
}

TEST(DigestRequest, TextIsHashedAsItsUtf8Bytes) {
    // é is the two bytes C3 A9; a line break from the multi-line field arrives as CR LF.
    EXPECT_EQ(HashFromString(24, u"\u00e9", true), "a6f0c27f");
    EXPECT_EQ(HashFromString(17, u"\u00e9", true), "72e0ff7f");
#ifndef TESSIK_WITHOUT_LIBCRYPTO  // the reference
    EXPECT_EQ(HashFromString(2, u"\u00e9", true), Oracle("MD5", "\xC3\xA9"));
    EXPECT_EQ(HashFromString(5, u"line one\r\nline two", true),
              Oracle("SHA256", "line one\r\nline two"));
#endif
}

// Every algorithm, over lengths around the engines' blocks and the reader's buffer: a file and
// a text of the same bytes give the same result, and the file result agrees with a reference
// where one exists.
TEST(DigestRequest, FilesAndTextsOfTheSameBytesGiveTheSameDigest) {
    constexpr std::size_t kPiece = kFilePieceBytes;
    const std::size_t lengths[] = {
        0,   1,   55,   56,   63,         64,     65,         135,
        136, 137, 8000, 8001, kPiece - 1, kPiece, kPiece + 1, 2 * kPiece + 5};
    TemporaryFolder temp;
    std::mt19937 random(2024);
    for (std::size_t length : lengths) {
        const std::string bytes = RandomUtf8(random, length);
        const std::u16string text = FromUtf8(bytes);
        ASSERT_EQ(ToUtf8(text), bytes);
        test::WriteBytes(temp.Native("data"), bytes);
        for (int index = 0; index < AlgorithmCount(); ++index) {
            const bool lowerCase = index % 2 == 0;
            EXPECT_EQ(HashFromFile(index, temp.U16("data"), lowerCase),
                      HashFromString(index, text, lowerCase))
                << "index " << index << ", length " << length;
        }
#ifndef TESSIK_WITHOUT_LIBCRYPTO  // the reference
        const struct {
            int index;
            const char* name;
        } references[] = {
            {2, "MD5"},         {3, "SHA1"},        {4, "SHA224"},      {5, "SHA256"},
            {6, "SHA384"},      {7, "SHA512"},      {12, "SHA3-224"},   {13, "SHA3-256"},
            {14, "SHA3-384"},   {15, "SHA3-512"},   {31, "BLAKE2b512"}, {32, "BLAKE2s256"},
            {34, "SHA512-224"}, {35, "SHA512-256"}};
        for (const auto& reference : references) {
            EXPECT_EQ(HashFromFile(reference.index, temp.U16("data"), true),
                      Oracle(reference.name, bytes))
                << reference.name << ", length " << length;
        }
#endif
    }
}

// Anything that is not a regular file is refused at once, without a read that could block.
TEST(DigestRequest, WhatCannotBeReadAsAFileGivesTheEmptyResult) {
    SKIP_ON_WINDOWS("no FIFOs or Unix-domain sockets in a Windows file system");
    TemporaryFolder temp;
    test::MakeFolder(temp.Native("folder"));
    ASSERT_EQ(::mkfifo(temp.Native("fifo").c_str(), 0600), 0);
    ASSERT_EQ(::symlink(temp.Native("gone").c_str(), temp.Native("dangling").c_str()), 0);
    ASSERT_EQ(::symlink(temp.Native("fifo").c_str(), temp.Native("to-fifo").c_str()), 0);
    ASSERT_EQ(::symlink(temp.Native("folder").c_str(), temp.Native("to-folder").c_str()), 0);
    const test::BoundSocket socket(temp.Native("socket"));
    std::vector<std::u16string> paths = {
        temp.U16("missing"), temp.U16("folder"),   temp.U16("fifo"),
        temp.U16("to-fifo"), temp.U16("dangling"), temp.U16("to-folder"),
        temp.U16("socket"),  u"/dev/null",         u"",
        temp.U16("folder/")};
    if (::geteuid() != 0) {  // permissions do not stop the superuser
        test::WriteBytes(temp.Native("locked"), "secret");
        ASSERT_EQ(::chmod(temp.Native("locked").c_str(), 0), 0);
        paths.push_back(temp.U16("locked"));
    }
    for (const auto& path : paths) {
        for (int index = -1; index <= AlgorithmCount(); ++index) {
            const std::string expected(AlgorithmForIndex(index).unreadableHex);
            EXPECT_EQ(HashFromFile(index, path, true), expected) << index;
            EXPECT_EQ(HashFromFile(index, path, false), expected) << index;
        }
    }
}

// A file that is denied, or fails to read at once or part-way, is unreadable: the bytes read
// before the error never make a digest.
TEST(DigestRequest, ReadErrorGivesTheUnreadableResultNeverADigest) {
    TemporaryFolder temp;
    test::WriteBytes(temp.Native("data"), std::string(2 * kFilePieceBytes + 1, 'x'));
    const test::Fault cases[] = {
        {"denied at open", test::Call::kOpen, EACCES},
        {"first read", test::Call::kRead, EIO},
        {"within the first piece", test::Call::kRead, EIO, 4096},
        {"after the first piece", test::Call::kRead, EIO, kFilePieceBytes},
        {"at the last byte", test::Call::kRead, EIO, 2 * kFilePieceBytes},
    };
    for (const test::Fault& c : cases) {
        for (int index = -1; index <= AlgorithmCount(); ++index) {
            const std::string expected(AlgorithmForIndex(index).unreadableHex);
            test::FailingCall failing(c);
            EXPECT_EQ(HashFromFile(index, temp.U16("data"), false), expected)
                << c.name << ", index " << index;
        }
    }
}

}  // namespace
}  // namespace tessik
