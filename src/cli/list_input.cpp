#include "cli/list_input.h"

#include <cerrno>
#include <cstring>

#include "platform/path_encoding.h"
#include "platform/stdio_streams.h"

namespace tessik {

ListInput::ListInput(const std::string& name, Console& console)
    : console_(console), isInput_(name == "-"), displayName_(isInput_ ? "standard input" : name) {
    if (isInput_) return;
    file_ = OpenStreamForReading(FromNativePath(name));
    if (file_ == nullptr) error_ = errno;
}

ListInput::~ListInput() {
    if (file_ != nullptr) std::fclose(file_);
}

ListBytes ListInput::Bytes() {
    if (isInput_) {
        return [this](char* buffer, std::size_t capacity) {
            return console_.ReadInput(buffer, capacity);
        };
    }
    return [this](char* buffer, std::size_t capacity) -> std::int64_t {
        const std::size_t got = std::fread(buffer, 1, capacity, file_);
        if (got == 0 && std::ferror(file_)) {
            error_ = errno;
            return -1;
        }
        return static_cast<std::int64_t>(got);
    };
}

std::string ListInput::Problem() const {
    return error_ != 0 ? std::strerror(error_) : "read error";
}

}  // namespace tessik
