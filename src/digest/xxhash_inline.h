#pragma once
// The xxHash library compiled into the file that includes this, each function private to it, so
// that every fast-path file builds its own copy with its own vector width (XXH_VECTOR, set before
// including) and none can stand in for another's. Only .cpp files include it.

#define XXH_INLINE_ALL
#include <xxhash.h>

#include "digest/xxhash_engine.h"

namespace tessik {
namespace {

static_assert(sizeof(XXH3_state_t) <= sizeof(XxhashState) &&
                  alignof(XXH3_state_t) <= alignof(XxhashState) &&
                  sizeof(XXH64_state_t) <= sizeof(XxhashState) &&
                  sizeof(XXH32_state_t) <= sizeof(XxhashState),
              "this xxHash's streaming state no longer fits the engine's storage");

[[gnu::always_inline]] inline XXH3_state_t* LibraryXxh3State(XxhashState& state) {
    return reinterpret_cast<XXH3_state_t*>(state.bytes);
}

}  // namespace
}  // namespace tessik
