#include "digest/file_stream.h"

#include <algorithm>
#include <memory>
#include <new>

namespace tessik {
namespace {

constexpr std::align_val_t kPageAlignment{4096};

struct AlignedDelete {
    void operator()(std::uint8_t* bytes) const { ::operator delete(bytes, kPageAlignment); }
};
using PieceBuffer = std::unique_ptr<std::uint8_t, AlignedDelete>;

PieceBuffer AllocatePiece(std::size_t bytes) {
    return PieceBuffer(
        static_cast<std::uint8_t*>(::operator new(bytes, kPageAlignment, std::nothrow)));
}

}  // namespace

bool OpenMeasured(const std::u16string& path, InputFile& file) {
    return file.Open(path);
}

std::optional<std::uint64_t> StreamMeasured(InputFile& file, const PieceConsumer& consume) {
    std::uint64_t remaining = file.Size();
    if (remaining == 0) return 0;
    // A small file gets a buffer of its own size, so hashing many small files stays cheap.
    const auto capacity =
        static_cast<std::size_t>(std::min<std::uint64_t>(remaining, kFilePieceBytes));
    const PieceBuffer buffer = AllocatePiece(capacity);
    if (!buffer) return std::nullopt;
    while (remaining > 0) {
        const auto wanted = static_cast<std::size_t>(std::min<std::uint64_t>(remaining, capacity));
        const std::int64_t got = file.Read(buffer.get(), wanted);
        if (got < 0) return std::nullopt;
        const auto delivered = static_cast<std::size_t>(got);
        if (delivered > 0) consume(buffer.get(), delivered);
        remaining -= delivered;
        if (delivered < wanted) break;  // the file ended before its measured size
    }
    return file.Size() - remaining;
}

std::optional<std::uint64_t> StreamFile(const std::u16string& path, const PieceConsumer& consume) {
    InputFile file;
    if (!OpenMeasured(path, file)) return std::nullopt;
    return StreamMeasured(file, consume);
}

}  // namespace tessik
