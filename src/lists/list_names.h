#pragma once
// How the files that go with a checksum list are named after it.

#include <string>

namespace tessik {

// Without its last extension: "tree.sha256" -> "tree"; "SHA256SUMS" stays as it is.
std::u16string WithoutExtension(const std::u16string& name);

// Ends with an extension that a detached signature adds to its list's name (kSignatureExtensions),
// in any case.
bool HasSignatureExtension(const std::u16string& name);

}  // namespace tessik
