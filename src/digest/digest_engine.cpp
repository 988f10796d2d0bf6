#include "digest/digest_engine.h"

namespace tessik {

Digest TakeDigest(DigestEngine& engine) {
    Digest digest(engine.DigestSize());
    engine.Finish(digest.data());
    return digest;
}

Digest DigestOfBytes(DigestEngine& engine, const std::uint8_t* data, std::size_t length) {
    engine.Restart();
    engine.Update(data, length);
    return TakeDigest(engine);
}

}  // namespace tessik
