// Built without GPGME: no signature can be checked, and none is ever said to be good.

#include "lists/openpgp_verification.h"

namespace tessik {

SignatureCheck VerifyDetachedSignature(InputFile&, const std::u16string&) {
    return NotChecked(SignatureProblem::kNoEngine);
}

SignatureCheck VerifyClearSignedFile(InputFile&, std::FILE*) {
    return NotChecked(SignatureProblem::kNoEngine);
}

}  // namespace tessik
