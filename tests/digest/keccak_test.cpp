#include "digest/keccak.h"

#include <gtest/gtest.h>

#include <random>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "digest/hex.h"
#include "digest/keccak_f1600.h"
#include "engine_test_support.h"

namespace tessik {
namespace {

using testing::Bytes;
using P = KeccakPadding;

// The catalogue's four sizes.
enum class V { k224, k256, k384, k512 };

Bytes FromHex(std::string_view hex) {
    Bytes bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        bytes.push_back(
            static_cast<std::uint8_t>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16)));
    }
    return bytes;
}

Bytes FromText(std::string_view text, std::size_t times = 1) {
    Bytes bytes;
    for (std::size_t i = 0; i < times; ++i) bytes.insert(bytes.end(), text.begin(), text.end());
    return bytes;
}

const AlgorithmInfo& AlgorithmOf(V variant, P padding) {
    static constexpr std::string_view kKeccakNames[] = {"KECCAK(224)", "KECCAK(256)",
                                                        "KECCAK(384)", "KECCAK(512)"};
    static constexpr std::string_view kSha3Names[] = {"SHA-3(224)", "SHA-3(256)", "SHA-3(384)",
                                                      "SHA-3(512)"};
    const auto& names = padding == P::kKeccak ? kKeccakNames : kSha3Names;
    return testing::AlgorithmNamed(names[static_cast<int>(variant)]);
}

std::string SpongeHex(const Bytes& message, V variant, P padding) {
    return testing::OneShotHex(AlgorithmOf(variant, padding), message);
}

// The Keccak team's intermediate values for Keccak-f[1600]: the all-zero state permuted once,
// and the first lanes after a second permutation.
TEST(KeccakF1600, PermutesAsPublished) {
    const std::uint64_t once[25] = {
        0xF1258F7940E1DDE7, 0x84D5CCF933C0478A, 0xD598261EA65AA9EE, 0xBD1547306F80494D,
        0x8B284E056253D057, 0xFF97A42D7F8E6FD4, 0x90FEE5A0A44647C4, 0x8C5BDA0CD6192E76,
        0xAD30A6F71B19059C, 0x30935AB7D08FFC64, 0xEB5AA93F2317D635, 0xA9A6E6260D712103,
        0x81A57C16DBCF555F, 0x43B831CD0347C826, 0x01F22F1A11A5569F, 0x05E5635A21D9AE61,
        0x64BEFEF28CC970F2, 0x613670957BC46611, 0xB87C5A554FD00ECB, 0x8C3EE88A1CCF32C8,
        0x940C7922AE3A2614, 0x1841F924A2C509E4, 0x16F53526E70465C2, 0x75F644E97F30A13B,
        0xEAF1FF7B5CECA249,
    };
    std::uint64_t lanes[25] = {};
    KeccakF1600(lanes);
    for (int i = 0; i < 25; ++i) EXPECT_EQ(lanes[i], once[i]) << "lane " << i;
    KeccakF1600(lanes);
    EXPECT_EQ(lanes[0], 0x2D5C954DF96ECB3Cu);
    EXPECT_EQ(lanes[1], 0x6A332CD07057B56Du);
}

// Messages of the Keccak team's known-answer files (version 3, ShortMsgKAT): 135 to 137 bytes
// sit on the 256-bit rate, 143 to 145 bytes on the 224-bit rate and twice the 512-bit rate.
const Bytes kMessage100 = FromHex(
    "433c5303131624c0021d868a30825475e8d0bd3052a022180398f4ca4423b98214b6beaac21c8807a2c33f8c"
    "93bd42b092cc1b06cedf3224d5ed1ec29784444f22e08a55aa58542b524b02cd3d5d5f6907afe71c5d746222"
    "4a3f9d9e53e7e0846dcbb4ce");
const Bytes kMessage135 = FromHex(
    "b771d5cef5d1a41a93d15643d7181d2a2ef0a8e84d91812f20ed21f147bef732bf3a60ef4067c3734b85bc8c"
    "d471780f10dc9e8291b58339a677b960218f71e793f2797aea349406512829065d37bb55ea796fa4f56fd889"
    "6b49b2cd19b43215ad967c712b24e5032d065232e02c127409d2ed4146b9d75d763d52db98d949d3b0fed6a8"
    "052fbb");
const Bytes kMessage136 = FromHex(
    "b32d95b0b9aad2a8816de6d06d1f86008505bd8c14124f6e9a163b5a2ade55f835d0ec3880ef50700d3b25e4"
    "2cc0af050ccd1be5e555b23087e04d7bf9813622780c7313a1954f8740b6ee2d3f71f768dd417f520482bd3a"
    "08d4f222b4ee9dbd015447b33507dd50f3ab4247c5de9a8abd62a8decea01e3b87c8b927f5b08beb37674c6f"
    "8e380c04");
const Bytes kMessage137 = FromHex(
    "04410e31082a47584b406f051398a6abe74e4da59bb6f85e6b49e8a1f7f2ca00dfba5462c2cd2bfde8b64fb2"
    "1d70c083f11318b56a52d03b81cac5eec29eb31bd0078b6156786da3d6d8c33098c5c47bb67ac64db14165af"
    "65b44544d806dde5f487d5373c7f9792c299e9686b7e5821e7c8e2458315b996b5677d926dac57b3f22da873"
    "c601016a0d");
const Bytes kMessage143 = FromHex(
    "ea40e83cb18b3a242c1ecc6ccd0b7853a439dab2c569cfc6dc38a19f5c90acbf76aef9ea3742ff3b54ef7d36"
    "eb7ce4ff1c9ab3bc119cff6be93c03e208783335c0ab8137be5b10cdc66ff3f89a1bddc6a1eed74f504cbe72"
    "90690bb295a872b9e3fe2cee9e6c67c41db8efd7d863cf10f840fe618e7936da3dca5ca6df933f24f6954ba0"
    "801a1294cd8d7e66dfafec");
const Bytes kMessage144 = FromHex(
    "157d5b7e4507f66d9a267476d33831e7bb768d4d04cc3438da12f9010263ea5fcafbde2579db2f6b58f911d5"
    "93d5f79fb05fe3596e3fa80ff2f761d1b0e57080055c118c53e53cdb63055261d7c9b2b39bd90acc32520cbb"
    "dbda2c4fd8856dbcee173132a2679198daf83007a9b5c51511ae49766c792a29520388444ebefe28256fb33d"
    "4260439cba73a9479ee00c63");
const Bytes kMessage145 = FromHex(
    "836b34b515476f613fe447a4e0c3f3b8f20910ac89a3977055c960d2d5d2b72bd8acc715a9035321b86703a4"
    "11dde0466d58a59769672aa60ad587b8481de4bba552a1645779789501ec53d540b904821f32b0bd1855b04e"
    "4848f9f8cfe9ebd8911be95781a759d7ad9724a7102dbe576776b7c632bc39b9b5e19057e226552a5994c1db"
    "b3b5c7871a11f5537011044c53");

const Bytes kEmpty, kAbc = FromText("abc"), kCc = FromHex("cc"), k41fb = FromHex("41fb");
const Bytes k448Bits = FromText("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq");
const Bytes k896Bits = FromText(
    "abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqrlmn"
    "opqrsmnopqrstnopqrstu");
const Bytes kMillionA = FromText("a", 1000000);

struct KnownAnswer {
    V variant;
    const Bytes& message;
    const char* digest;
};

// Keccak padding (01): the known-answer files above, plus the widely published digests of "abc".
const KnownAnswer kKeccakAnswers[] = {
    {V::k224, kEmpty, "f71837502ba8e10837bdd8d365adb85591895602fc552b48b7390abd"},
    {V::k224, kCc, "a9cab59eb40a10b246290f2d6086e32e3689faf1d26b470c899f2802"},
    {V::k224, k41fb, "615ba367afdc35aac397bc7eb5d58d106a734b24986d5d978fefd62c"},
    {V::k224, kAbc, "c30411768506ebe1c2871b1ee2e87d38df342317300a9b97a95ec6a8"},
    {V::k224, kMessage100, "62b10f1b6236ebc2da72957742a8d4e48e213b5f8934604bfd4d2c3a"},
    {V::k224, kMessage143, "bfe15bb51f680f2f489f0fdeb32f271090a09d1563f29feaf92104e0"},
    {V::k224, kMessage144, "6d735fb7579135f61b771b2bb0d81514cde9c977accf6feaf6edebf0"},
    {V::k224, kMessage145, "6d93153145904cebe0e8a66c272bedf4f0d0a3c53ab30264135431a7"},
    {V::k256, kEmpty, "c5d2460186f7233c927e7db2dcc703c0e500b653ca82273b7bfad8045d85a470"},
    {V::k256, kCc, "eead6dbfc7340a56caedc044696a168870549a6a7f6f56961e84a54bd9970b8a"},
    {V::k256, k41fb, "a8eaceda4d47b3281a795ad9e1ea2122b407baf9aabcb9e18b5717b7873537d2"},
    {V::k256, kAbc, "4e03657aea45a94fc7d47ba826c8d667c0d1e6e33a64a036ec44f58fa12d6c45"},
    {V::k256, kMessage100, "ce87a5173bffd92399221658f801d45c294d9006ee9f3f9d419c8d427748dc41"},
    {V::k256, kMessage135, "bd6f5492582a7c1b116304de28314df9fffe95b0da11af52fe9440a717a34859"},
    {V::k256, kMessage136, "e717a7769448abbe5fef8187954a88ac56ded1d22e63940ab80d029585a21921"},
    {V::k256, kMessage137, "a95d50b50b4545f0947441df74a1e9d74622eb3baa49c1bbfc3a0cce6619c1aa"},
    {V::k384, kEmpty,
     "2c23146a63a29acf99e73b88f8c24eaa7dc60aa771780ccc006afbfa8fe2479b2dd2b21362337441ac12b515"
     "911957ff"},
    {V::k384, kCc,
     "1b84e62a46e5a201861754af5dc95c4a1a69caf4a796ae405680161e29572641f5fa1e8641d7958336ee7b11"
     "c58f73e9"},
    {V::k384, k41fb,
     "495cce2714cd72c8c53c3363d22c58b55960fe26be0bf3bbc7a3316dd563ad1db8410e75eefea655e39d4670"
     "ec0b1792"},
    {V::k384, kAbc,
     "f7df1165f033337be098e7d288ad6a2f74409d7a60b49c36642218de161b1f99f8c681e4afaf31a34db29fb7"
     "63e3c28e"},
    {V::k384, kMessage100,
     "135114508dd63e279e709c26f7817c0482766cde49132e3edf2eedd8996f4e3596d184100b384868249f1d8b"
     "8fdaa2c9"},
    {V::k512, kEmpty,
     "0eab42de4c3ceb9235fc91acffe746b29c29a8c366b7c60e4e67c466f36a4304c00fa9caf9d87976ba469bcb"
     "e06713b435f091ef2769fb160cdab33d3670680e"},
    {V::k512, kCc,
     "8630c13cbd066ea74bbe7fe468fec1dee10edc1254fb4c1b7c5fd69b646e44160b8ce01d05a0908ca790dfb0"
     "80f4b513bc3b6225ece7a810371441a5ac666eb9"},
    {V::k512, k41fb,
     "551da6236f8b96fce9f97f1190e901324f0b45e06dbbb5cdb8355d6ed1dc34b3f0eae7dcb68622ff232fa3ce"
     "ce0d4616cdeb3931f93803662a28df1cd535b731"},
    {V::k512, kAbc,
     "18587dc2ea106b9a1563e32b3312421ca164c7f1f07bc922a9c83d77cea3a1e5d0c69910739025372dc14ac9"
     "642629379540c17e2a65b19d77aa511a9d00bb96"},
    {V::k512, kMessage100,
     "527d28e341e6b14f4684adb4b824c496c6482e51149565d3d17226828884306b51d6148a72622c2b75f5d351"
     "0b799d8bdc03eaede453676a6ec8fe03a1ad0eab"},
    {V::k512, kMessage143,
     "5da83b7e221933cd67fa2af8c9934db74ce822212c99e0ee01f5220b4fe1e9b0388e42e328a1d174e6368f57"
     "73853042543a9b493a94b625980b73df3f3fccbb"},
    {V::k512, kMessage144,
     "72de9184beb5c6a37ea2c395734d0d5412991a57cffcc13ff9b5fa0f2046ee87c61811fe8ef2470239d5066c"
     "220173de5ebe41885ed8acae397fb395e6ca9aee"},
    {V::k512, kMessage145,
     "b678fa7655584970dedbbc73a16d7840935b104d06dcb468ddd9814d6cf443fa6f9245824dbff3ab5fffef24"
     "b29cb2978796f37e7b49b1682d59f79e3c169e81"},
};

// SHA-3 padding (06): NIST's published SHA-3 example values for the empty message and "abc", and
// the FIPS 180-4 test messages (two blocks of 448 and 896 bits, one million 'a') under SHA-3.
const KnownAnswer kSha3Answers[] = {
    {V::k224, kEmpty, "6b4e03423667dbb73b6e15454f0eb1abd4597f9a1b078e3f5b5a6bc7"},
    {V::k224, kAbc, "e642824c3f8cf24ad09234ee7d3c766fc9a3a5168d0c94ad73b46fdf"},
    {V::k224, k448Bits, "8a24108b154ada21c9fd5574494479ba5c7e7ab76ef264ead0fcce33"},
    {V::k224, k896Bits, "543e6868e1666c1a643630df77367ae5a62a85070a51c14cbf665cbc"},
    {V::k224, kMillionA, "d69335b93325192e516a912e6d19a15cb51c6ed5c15243e7a7fd653c"},
    {V::k256, kEmpty, "a7ffc6f8bf1ed76651c14756a061d662f580ff4de43b49fa82d80a4b80f8434a"},
    {V::k256, kAbc, "3a985da74fe225b2045c172d6bd390bd855f086e3e9d525b46bfe24511431532"},
    {V::k256, k448Bits, "41c0dba2a9d6240849100376a8235e2c82e1b9998a999e21db32dd97496d3376"},
    {V::k256, k896Bits, "916f6061fe879741ca6469b43971dfdb28b1a32dc36cb3254e812be27aad1d18"},
    {V::k256, kMillionA, "5c8875ae474a3634ba4fd55ec85bffd661f32aca75c6d699d0cdcb6c115891c1"},
    {V::k384, kEmpty,
     "0c63a75b845e4f7d01107d852e4c2485c51a50aaaa94fc61995e71bbee983a2ac3713831264adb47fb6bd1e0"
     "58d5f004"},
    {V::k384, kAbc,
     "ec01498288516fc926459f58e2c6ad8df9b473cb0fc08c2596da7cf0e49be4b298d88cea927ac7f539f1edf2"
     "28376d25"},
    {V::k384, k448Bits,
     "991c665755eb3a4b6bbdfb75c78a492e8c56a22c5c4d7e429bfdbc32b9d4ad5aa04a1f076e62fea19eef51ac"
     "d0657c22"},
    {V::k384, k896Bits,
     "79407d3b5916b59c3e30b09822974791c313fb9ecc849e406f23592d04f625dc8c709b98b43b3852b3372161"
     "79aa7fc7"},
    {V::k384, kMillionA,
     "eee9e24d78c1855337983451df97c8ad9eedf256c6334f8e948d252d5e0e76847aa0774ddb90a842190d2c55"
     "8b4b8340"},
    {V::k512, kEmpty,
     "a69f73cca23a9ac5c8b567dc185a756e97c982164fe25859e0d1dcc1475c80a615b2123af1f5f94c11e3e940"
     "2c3ac558f500199d95b6d3e301758586281dcd26"},
    {V::k512, kAbc,
     "b751850b1a57168a5693cd924b6b096e08f621827444f70d884f5d0240d2712e10e116e9192af3c91a7ec576"
     "47e3934057340b4cf408d5a56592f8274eec53f0"},
    {V::k512, k448Bits,
     "04a371e84ecfb5b8b77cb48610fca8182dd457ce6f326a0fd3d7ec2f1e91636dee691fbe0c985302ba1b0d8d"
     "c78c086346b533b49c030d99a27daf1139d6e75e"},
    {V::k512, k896Bits,
     "afebb2ef542e6579c50cad06d2e578f9f8dd6881d7dc824d26360feebf18a4fa73e3261122948efcfd492e74"
     "e82e2189ed0fb440d187f382270cb455f21dd185"},
    {V::k512, kMillionA,
     "3c3a876da14034ab60627c077bb98f7e120a2a5370212dffb3385a18d4f38859ed311d0a9d5141ce9cc5c66e"
     "e689b266a8aa18ace8282a0e0db596c90b0a7b87"},
};

TEST(Keccak, MatchesPublishedDigestsWithBothPaddings) {
    const std::pair<P, std::span<const KnownAnswer>> tables[] = {{P::kKeccak, kKeccakAnswers},
                                                                 {P::kSha3, kSha3Answers}};
    for (const auto& [padding, answers] : tables) {
        for (const auto& answer : answers) {
            EXPECT_EQ(SpongeHex(answer.message, answer.variant, padding), answer.digest)
                << "padding " << static_cast<int>(padding) << ", variant "
                << static_cast<int>(answer.variant) << ", " << answer.message.size() << " bytes";
        }
    }
}

// SHA-3's streaming is checked against OpenSSL with the other engines; the Keccak padding is
// checked here against its own one-shot form, whose known answers are above.
TEST(Keccak, StreamingInRandomPiecesGivesTheOneShotDigest) {
    std::mt19937_64 random(13);
    for (V variant : {V::k224, V::k256, V::k384, V::k512}) {
        for (int i = 0; i < 100; ++i) {
            const Bytes message = testing::RandomBytes(random, random() % 1500);
            ASSERT_EQ(testing::PiecewiseHex(AlgorithmOf(variant, P::kKeccak), message,
                                            testing::RandomPieces(random, message.size())),
                      SpongeHex(message, variant, P::kKeccak))
                << "variant " << static_cast<int>(variant) << ", " << message.size() << " bytes";
        }
    }
}

TEST(Keccak, SizesOutsideTheCatalogueGiveTheLongestDigest) {
    for (P padding : {P::kKeccak, P::kSha3}) {
        const std::string longest = SpongeHex(kAbc, V::k512, padding);
        ASSERT_EQ(longest.size(), 128u);
        for (std::size_t size : {0, 20, 33, 65, 200}) {
            KeccakEngine engine(size, padding);
            EXPECT_EQ(HexDigest(DigestOfBytes(engine, kAbc.data(), kAbc.size())), longest) << size;
        }
    }
}

}  // namespace
}  // namespace tessik
