#include "digest/blake3.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "digest/blake3_rounds.h"
#include "digest/byte_order.h"
#include "digest/digest_kernels.h"
#include "digest/wipe.h"

namespace tessik {
namespace {

static_assert(kBlake3ChunkSize == kBlake3ChunkBytes);

// Subtrees up to this many chunks are hashed level by level in buffers on the stack, every
// level many nodes to a kernel call; larger ones are split in halves first. Large enough that
// the levels too narrow for the widest kernel cost little next to the chunks.
constexpr std::uint64_t kLevelChunks = 512;

// What a node's last compression takes: the root's is repeated with an output counter.
struct Node {
    std::uint32_t cv[8];
    std::uint8_t block[64];
    std::uint32_t blockBytes;
    std::uint64_t counter;
    std::uint32_t flags;
};

void StoreCv(const std::uint32_t cv[8], std::uint8_t bytes[32]) {
    for (int i = 0; i < 8; ++i) StoreLe32(cv[i], bytes + 4 * i);
}

void NodeCv(const Node& node, std::uint8_t cv[32]) {
    std::uint32_t words[16];
    Blake3CompressPortable(node.cv, node.block, node.blockBytes, node.counter, node.flags, words);
    StoreCv(words, cv);
}

Node ParentNode(const std::uint8_t left[32], const std::uint8_t right[32]) {
    Node node;
    std::copy(std::begin(kBlake3Iv), std::end(kBlake3Iv), node.cv);
    std::memcpy(node.block, left, 32);
    std::memcpy(node.block + 32, right, 32);
    node.blockBytes = kBlake3BlockBytes;
    node.counter = 0;
    node.flags = kParent;
    return node;
}

// Level by level, many nodes to a call; its buffers are the stack frame of this call alone, not
// of every level of the recursion above it.
[[gnu::noinline]] void SmallSubtreeCv(const std::uint8_t* data, std::uint64_t chunks,
                                      std::uint64_t firstChunk, std::uint8_t cv[32]) {
    const Blake3ManyKernel many = ActiveDigestKernels().blake3Many;
    std::uint8_t level[kLevelChunks * 32], parents[kLevelChunks / 2 * 32];
    many(data, chunks, false, firstChunk, level);
    for (std::uint64_t nodes = chunks; nodes > 1; nodes /= 2) {
        many(level, nodes / 2, true, 0, parents);
        std::memcpy(level, parents, nodes / 2 * 32);
    }
    std::memcpy(cv, level, 32);
}

void SubtreeCv(const std::uint8_t* data, std::uint64_t chunks, std::uint64_t firstChunk,
               std::uint8_t cv[32]) {
    if (chunks <= kLevelChunks) return SmallSubtreeCv(data, chunks, firstChunk, cv);
    std::uint8_t halves[64];
    Blake3SubtreeHalves(data, chunks, firstChunk, halves);
    NodeCv(ParentNode(halves, halves + 32), cv);
}

bool ChunkStarted(const Blake3State& s) {
    return s.blocksDone > 0 || s.blockBytes > 0;
}

std::uint32_t ChunkFlags(const Blake3State& s) {
    return s.blocksDone == 0 ? kChunkStart : 0u;
}

Node ChunkNode(const Blake3State& s) {
    Node node;
    std::copy(std::begin(s.chunkCv), std::end(s.chunkCv), node.cv);
    std::memcpy(node.block, s.block, s.blockBytes);
    std::memset(node.block + s.blockBytes, 0, sizeof node.block - s.blockBytes);
    node.blockBytes = s.blockBytes;
    node.counter = s.chunk;
    node.flags = ChunkFlags(s) | kChunkEnd;
    return node;
}

// The node whose compression with the root flag gives the output, once the stack holds exactly
// the subtrees the message is made of: the chunk being filled joined with the stack from the
// right, or the stack's right-most pair where the message ended with a whole subtree.
Node RootNode(const Blake3State& s) {
    std::uint32_t depth = s.depth;
    if (depth == 0) return ChunkNode(s);
    Node node;
    if (ChunkStarted(s)) {
        node = ChunkNode(s);
    } else {
        node = ParentNode(s.stack[depth - 2], s.stack[depth - 1]);
        depth -= 2;
    }
    for (; depth > 0; --depth) {
        std::uint8_t cv[32];
        NodeCv(node, cv);
        node = ParentNode(s.stack[depth - 1], cv);
    }
    return node;
}

}  // namespace

void Blake3SubtreeHalves(const std::uint8_t* data, std::uint64_t chunks, std::uint64_t firstChunk,
                         std::uint8_t halves[64]) {
    const std::uint64_t half = chunks / 2;
    SubtreeCv(data, half, firstChunk, halves);
    SubtreeCv(data + half * kBlake3ChunkBytes, half, firstChunk + half, halves + 32);
}

void Blake3Engine::Restart() {
    WipeState();
    std::copy(std::begin(kBlake3Iv), std::end(kBlake3Iv), state_.chunkCv);
}

// The chunks before the next form one complete subtree for each bit set in their count. The
// stack holds these, plus pairs merged only now: a pair is held back until more input shows
// that its parent is no root. At the end of a message that is one whole subtree, its two
// halves stay, for the root to join.
void Blake3Engine::Merge(std::uint32_t depth) {
    while (state_.depth > depth) {
        std::uint8_t parent[32];
        NodeCv(ParentNode(state_.stack[state_.depth - 2], state_.stack[state_.depth - 1]), parent);
        state_.depth -= 1;
        std::memcpy(state_.stack[state_.depth - 1], parent, 32);
    }
}

void Blake3Engine::Push(const std::uint8_t cv[32], std::uint64_t firstChunk) {
    Merge(static_cast<std::uint32_t>(std::popcount(firstChunk)));
    std::memcpy(state_.stack[state_.depth++], cv, 32);
}

void Blake3Engine::PushChunk() {
    std::uint8_t cv[32];
    NodeCv(ChunkNode(state_), cv);
    Push(cv, state_.chunk);
    state_.chunk += 1;
    std::copy(std::begin(kBlake3Iv), std::end(kBlake3Iv), state_.chunkCv);
    state_.blocksDone = 0;
    state_.blockBytes = 0;
}

// A full block is compressed only once more bytes of its chunk follow: the chunk's last block
// takes the end flag, or the root flag.
void Blake3Engine::AddToChunk(const std::uint8_t* data, std::size_t length) {
    while (length > 0) {
        if (state_.blockBytes == kBlake3BlockBytes) {
            Blake3CompressPortable(state_.chunkCv, state_.block, kBlake3BlockBytes, state_.chunk,
                                   ChunkFlags(state_), state_.chunkCv);
            state_.blocksDone += 1;
            state_.blockBytes = 0;
        }
        const std::size_t take =
            std::min<std::size_t>(length, kBlake3BlockBytes - state_.blockBytes);
        std::memcpy(state_.block + state_.blockBytes, data, take);
        state_.blockBytes += static_cast<std::uint32_t>(take);
        data += take;
        length -= take;
    }
}

void Blake3Engine::Update(const std::uint8_t* data, std::size_t length) {
    while (length > 0) {
        const std::size_t filled = state_.blocksDone * kBlake3BlockBytes + state_.blockBytes;
        if (filled == kBlake3ChunkBytes) {
            PushChunk();
            continue;
        }
        if (filled == 0 && length > kBlake3ChunkBytes) {
            // Whole chunks straight from the input, as the largest subtree that fits both the
            // input and the position: one that starts at chunk n spans at most n's lowest bit.
            std::uint64_t chunks = std::bit_floor(std::uint64_t{length / kBlake3ChunkBytes});
            if (state_.chunk != 0) chunks = std::min(chunks, state_.chunk & (~state_.chunk + 1));
            if (chunks == 1) {
                std::uint8_t cv[32];
                ActiveDigestKernels().blake3Many(data, 1, false, state_.chunk, cv);
                Push(cv, state_.chunk);
                state_.chunk += 1;
            } else {
                std::uint8_t halves[64];
                Blake3SubtreeHalves(data, chunks, state_.chunk, halves);
                AppendSubtree(halves, chunks);
            }
            data += chunks * kBlake3ChunkBytes;
            length -= chunks * kBlake3ChunkBytes;
            continue;
        }
        const std::size_t take = std::min(length, kBlake3ChunkBytes - filled);
        AddToChunk(data, take);
        data += take;
        length -= take;
    }
}

void Blake3Engine::AppendSubtree(const std::uint8_t halves[64], std::uint64_t chunks) {
    Push(halves, state_.chunk);
    Push(halves + 32, state_.chunk + chunks / 2);
    state_.chunk += chunks;
}

void Blake3Engine::FinishExtended(std::uint8_t* output, std::size_t length) {
    const auto subtrees = static_cast<std::uint32_t>(std::popcount(state_.chunk));
    Merge(ChunkStarted(state_) ? subtrees : std::max(subtrees, 2u));
    Node root = RootNode(state_);
    std::uint32_t words[16];
    std::uint8_t bytes[64];
    for (std::uint64_t block = 0; length > 0; ++block) {
        Blake3CompressPortable(root.cv, root.block, root.blockBytes, block, root.flags | kRoot,
                               words);
        for (int i = 0; i < 16; ++i) StoreLe32(words[i], bytes + 4 * i);
        const std::size_t take = std::min(length, sizeof bytes);
        std::memcpy(output, bytes, take);
        output += take;
        length -= take;
    }
    Wipe(&root, sizeof root);
    Wipe(bytes, sizeof bytes);
    Restart();
}

void Blake3Engine::Finish(std::uint8_t* digest) {
    FinishExtended(digest, kBlake3DigestBytes);
}

}  // namespace tessik
