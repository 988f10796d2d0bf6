#pragma once
// The core's UTF-16 texts as Qt texts.

#include <QString>
#include <string_view>

namespace tessik {

inline QString ToQString(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace tessik
