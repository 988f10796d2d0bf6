#include "platform/temporary_names.h"

#include <cstdint>
#include <cstdio>
#include <mutex>
#include <random>

namespace tessik {

std::string FreshTemporarySuffix() {
    static std::mutex guard;
    static std::mt19937_64 random = [] {
        std::random_device device;
        return std::mt19937_64((std::uint64_t{device()} << 32) ^ device());
    }();
    std::uint64_t suffix;
    {
        std::lock_guard lock(guard);
        suffix = random();
    }
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(suffix));
    return kTemporaryMark + std::string(hex);
}

}  // namespace tessik
