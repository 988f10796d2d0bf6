// Built without GPGME: no signature can be checked, and none is ever said to be good.

#include "lists/openpgp_verification.h"

namespace tessik {

SignatureCheck VerifyDetachedSignature(const std::u16string&, const std::u16string&) {
    return NotChecked(SignatureProblem::kNoEngine);
}

SignatureCheck VerifyClearSignedFile(const std::u16string&, std::FILE*) {
    return NotChecked(SignatureProblem::kNoEngine);
}

}  // namespace tessik
