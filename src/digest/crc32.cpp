#include "digest/crc32.h"

#include "digest/byte_order.h"
#include "digest/crc32_update.h"

namespace tessik {

void Crc32Engine::Update(const std::uint8_t* data, std::size_t length) {
    state_.value = UpdateCrc(polynomial_, state_.value, data, length);
}

void Crc32Engine::Finish(std::uint8_t* digest) {
    StoreBe32(state_.value, digest);
    Restart();
}

}  // namespace tessik
