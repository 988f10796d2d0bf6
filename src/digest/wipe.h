#pragma once

#include <cstddef>
#include <cstring>

namespace tessik {

// Zeroes memory that held message data. The empty assembly statement that may read it keeps
// the compiler from dropping the stores when it can see the memory is never read again (a
// context about to leave the stack, an object being destroyed).
inline void Wipe(void* bytes, std::size_t size) {
    std::memset(bytes, 0, size);
    __asm__ __volatile__("" : : "r"(bytes) : "memory");
}

}  // namespace tessik
