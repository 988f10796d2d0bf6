#pragma once
// A path typed into a file field that names no file: the file dialog then starts where the user
// can mend it, in the nearest folder of the path that exists, with its last part as the name.

#include <string>

namespace tessik {

struct FileDialogStart {
    std::u16string folder;  // empty: wherever the dialog starts by itself
    std::u16string name;    // the name filled in; empty where the path names a folder
};
FileDialogStart StartForTypedPath(const std::u16string& typed);

// Why a typed path was not hashed as a file.
enum class TypedPathProblem { kNone, kNotFound, kFolder };
TypedPathProblem ProblemOfTypedPath(const std::u16string& typed);

}  // namespace tessik
