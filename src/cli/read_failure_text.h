#pragma once

#include <string_view>

#include "platform/input_file.h"

namespace tessik {

// The cause as the standard tools word it: "No such file or directory", "Is a directory", ...
std::string_view ReadFailureText(ReadFailure failure);

}  // namespace tessik
