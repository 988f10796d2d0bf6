#pragma once
// The one place that asks GnuPG (through GPGME) whether a signature holds. Built without GPGME,
// or run where GnuPG is missing, every check is "not checked" for want of an engine.

#include <cstdio>
#include <string>

#include "lists/list_signature.h"

namespace tessik {

// The detached signature of a file.
SignatureCheck VerifyDetachedSignature(const std::u16string& signedPath,
                                       const std::u16string& signaturePath);

// A clear-signed file, its signed text written to `text` as GnuPG checked it. With kNotChecked
// the text is not to be used: GnuPG may have written none of it, or only a part.
SignatureCheck VerifyClearSignedFile(const std::u16string& path, std::FILE* text);

}  // namespace tessik
