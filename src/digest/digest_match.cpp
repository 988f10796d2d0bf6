#include "digest/digest_match.h"

#include "platform/path_utilities.h"

namespace tessik {

bool DigestsMatch(const std::u16string& result, const std::u16string& expected,
                  bool caseSensitive) {
    return caseSensitive ? result == expected : AsciiLower(result) == AsciiLower(expected);
}

}  // namespace tessik
