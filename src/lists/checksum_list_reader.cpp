#include "lists/checksum_list_reader.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string_view>
#include <utility>

namespace tessik {
namespace {

constexpr std::size_t kReadBytes = std::size_t{64} << 10;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

ChecksumListReader::ChecksumListReader(ListBytes read, std::string separator, ListReading reading,
                                       bool sfvList)
    : read_(std::move(read)),
      separator_(std::move(separator)),
      reading_(reading),
      buffer_(kReadBytes),
      sfvList_(sfvList) {}

bool ChecksumListReader::Next(ListLine& line) {
    std::string text;
    while (NextText(text)) {
        ++number_;
        if (text.size() > kMaxLineBytes) {
            line = ListLine{number_, ChecksumLine{}};
            return true;
        }
        if (text.ends_with('\r')) text.pop_back();
        if (number_ == 1 && reading_ == ListReading::kLenient && text.starts_with(kByteOrderMark)) {
            text.erase(0, kByteOrderMark.size());
        }
        ChecksumLine parsed = ParseChecksumLine(text, separator_, sfvList_);
        if (parsed.kind == LineKind::kSkipped) {
            if (parsed.form == LineForm::kSfv) sfvList_ = true;
            continue;
        }
        line = ListLine{number_, std::move(parsed)};
        return true;
    }
    return false;
}

// One line without its LF. An overlong line keeps only one byte past the limit, which is
// enough to tell it is too long. A line that a read error cut short is not one: its name may be
// another file's.
bool ChecksumListReader::NextText(std::string& text) {
    text.clear();
    bool any = false;
    while (position_ < filled_ || Refill()) {
        any = true;
        const char* from = buffer_.data() + position_;
        const std::size_t available = filled_ - position_;
        const char* end = static_cast<const char*>(std::memchr(from, '\n', available));
        const std::size_t length =
            end != nullptr ? static_cast<std::size_t>(end - from) : available;
        const std::size_t room = kMaxLineBytes + 1 - std::min(text.size(), kMaxLineBytes + 1);
        text.append(from, std::min(length, room));
        position_ += length;
        if (end != nullptr) {
            ++position_;
            return true;
        }
    }
    return any && !readFailed_;
}

bool ChecksumListReader::Refill() {
    if (ended_) return false;
    position_ = 0;
    filled_ = 0;
    const std::int64_t got = read_(buffer_.data(), buffer_.size());
    if (got <= 0) {
        ended_ = true;
        readFailed_ = got < 0;
        return false;
    }
    filled_ = static_cast<std::size_t>(got);
    return true;
}

ListBytes BytesOf(std::string text) {
    auto bytes = std::make_shared<std::string>(std::move(text));
    auto offset = std::make_shared<std::size_t>(0);
    return [bytes, offset](char* buffer, std::size_t capacity) -> std::int64_t {
        const std::size_t count = std::min(capacity, bytes->size() - *offset);
        std::memcpy(buffer, bytes->data() + *offset, count);
        *offset += count;
        return static_cast<std::int64_t>(count);
    };
}

}  // namespace tessik
