#pragma once
// The core's UTF-16 texts as Qt texts.

#include <QString>
#include <string_view>

#include "ui/rules/access_keys.h"

namespace tessik {

inline QString ToQString(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// The text as shown and as a screen reader speaks it, without its access keys' marks.
inline QString WithoutAccessKeys(const QString& text) {
    return ToQString(WithoutAccessKeys(text.toStdU16String()));
}

}  // namespace tessik
