#include "lists/clear_signed_text.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace tessik {
namespace {

constexpr std::string_view kSignatureHeader = "-----BEGIN PGP SIGNATURE-----";
constexpr std::size_t kReadBytes = std::size_t{64} << 10;
// Enough of a line to tell the armor's lines, trailing blanks and all, from a line of text.
constexpr std::size_t kHeadBytes = 64;

std::string_view WithoutTrailingBlanks(std::string_view line) {
    const std::size_t end = line.find_last_not_of(" \t\r");
    return end == std::string_view::npos ? std::string_view() : line.substr(0, end + 1);
}

// Reads the clear-signed bytes one line at a time, deciding each line by its first bytes and
// passing the rest of a text line on without keeping it.
class SignedTextFilter {
  public:
    explicit SignedTextFilter(ListBytes source) : source_(std::move(source)), input_(kReadBytes) {}

    std::int64_t Read(char* buffer, std::size_t capacity) {
        while (pending_.size() - taken_ < capacity && part_ != Part::kDone) {
            if (at_ == filled_ && !Refill()) {
                if (failed_) return -1;
                if (!head_.empty()) DecideLine(true);
                part_ = Part::kDone;
                break;
            }
            Take(input_[at_++]);
        }
        const std::size_t count = std::min(capacity, pending_.size() - taken_);
        std::memcpy(buffer, pending_.data() + taken_, count);
        taken_ += count;
        if (taken_ == pending_.size()) {
            pending_.clear();
            taken_ = 0;
        }
        return static_cast<std::int64_t>(count);
    }

  private:
    enum class Part { kBeforeHeader, kArmorHeaders, kText, kDone };
    enum class LineRest { kUndecided, kPass, kSkip };

    bool Refill() {
        const std::int64_t got = source_(input_.data(), input_.size());
        failed_ = got < 0;
        at_ = 0;
        filled_ = got > 0 ? static_cast<std::size_t>(got) : 0;
        return filled_ > 0;
    }

    void Take(char c) {
        if (rest_ == LineRest::kUndecided) {
            if (c == '\n') {
                DecideLine(true);
            } else {
                head_ += c;
                if (head_.size() == kHeadBytes) DecideLine(false);
            }
            return;
        }
        if (rest_ == LineRest::kPass) pending_ += c;
        if (c == '\n') rest_ = LineRest::kUndecided;
    }

    // The line's first bytes, or all of it when `whole`: what part of the message it is in,
    // and whether it is text to pass on.
    void DecideLine(bool whole) {
        std::string_view line = head_;
        bool text = false;
        switch (part_) {
            case Part::kBeforeHeader:
                if (whole && WithoutTrailingBlanks(line) == kClearSignedHeader)
                    part_ = Part::kArmorHeaders;
                break;
            case Part::kArmorHeaders:
                if (whole && WithoutTrailingBlanks(line).empty()) part_ = Part::kText;
                break;
            case Part::kText:
                if (line.starts_with(kSignatureHeader)) {
                    part_ = Part::kDone;
                    break;
                }
                if (line.starts_with("- ")) line.remove_prefix(2);
                text = true;
                break;
            case Part::kDone:
                break;
        }
        if (text) pending_.append(line);
        if (text && whole) pending_ += '\n';
        rest_ = whole ? LineRest::kUndecided : text ? LineRest::kPass : LineRest::kSkip;
        head_.clear();
    }

    ListBytes source_;
    std::vector<char> input_;
    std::size_t at_ = 0;
    std::size_t filled_ = 0;
    bool failed_ = false;
    Part part_ = Part::kBeforeHeader;
    LineRest rest_ = LineRest::kUndecided;
    std::string head_;
    std::string pending_;
    std::size_t taken_ = 0;
};

}  // namespace

bool HoldsClearSignedText(std::string_view bytes) {
    bytes = bytes.substr(0, kClearSignedSearchBytes);
    for (std::size_t at = bytes.find(kClearSignedHeader); at != std::string_view::npos;
         at = bytes.find(kClearSignedHeader, at + 1)) {
        if (at > 0 && bytes[at - 1] != '\n') continue;
        const std::string_view rest = bytes.substr(at + kClearSignedHeader.size());
        if (WithoutTrailingBlanks(rest.substr(0, rest.find('\n'))).empty()) return true;
    }
    return false;
}

ListBytes SignedTextOf(ListBytes clearSigned) {
    auto filter = std::make_shared<SignedTextFilter>(std::move(clearSigned));
    return [filter](char* buffer, std::size_t capacity) { return filter->Read(buffer, capacity); };
}

}  // namespace tessik
