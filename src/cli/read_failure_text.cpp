#include "cli/read_failure_text.h"

namespace tessik {

std::string_view ReadFailureText(ReadFailure failure) {
    switch (failure) {
        case ReadFailure::kNone:
            return "Success";
        case ReadFailure::kMissing:
            return "No such file or directory";
        case ReadFailure::kFolder:
            return "Is a directory";
        case ReadFailure::kNotRegularFile:
            return "Not a regular file";
        case ReadFailure::kPermissionDenied:
            return "Permission denied";
        case ReadFailure::kIoError:
            return "Input/output error";
        case ReadFailure::kLinkLoop:
            return "Too many levels of symbolic links";
        case ReadFailure::kPathThroughFile:
            return "Not a directory";
        case ReadFailure::kNameTooLong:
            return "File name too long";
    }
    return "Input/output error";
}

}  // namespace tessik
