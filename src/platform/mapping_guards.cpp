#include "platform/mapping_guards.h"

namespace tessik {

MappingGuard mappingGuards[kMappingGuardCount];

int TakeMappingGuard() {
    for (int i = 0; i < kMappingGuardCount; ++i) {
        bool expected = false;
        if (mappingGuards[i].taken.compare_exchange_strong(expected, true)) return i;
    }
    return -1;
}

}  // namespace tessik
