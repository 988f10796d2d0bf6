#pragma once
// The one place that asks GnuPG (through GPGME) whether a signature holds. Built without GPGME,
// or run where GnuPG is missing, every check is "not checked" for want of an engine.

#include <cstdio>
#include <string>

#include "lists/list_signature.h"
#include "platform/input_file.h"

namespace tessik {

// The files signed are read from where they stand to their end, through the descriptor the list
// reader goes on to read: what GnuPG checks is what is read, even where the list's name is
// given to another file meanwhile.

// The detached signature of an open file.
SignatureCheck VerifyDetachedSignature(InputFile& signedFile, const std::u16string& signaturePath);

// An open clear-signed file, its signed text written to `text` as GnuPG checked it. With
// kNotChecked the text is not to be used: GnuPG may have written none of it, or only a part.
SignatureCheck VerifyClearSignedFile(InputFile& clearSigned, std::FILE* text);

}  // namespace tessik
