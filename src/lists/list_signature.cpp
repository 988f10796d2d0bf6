#include "lists/list_signature.h"

#include <utility>

#include "platform/path_utilities.h"

namespace tessik {

bool FailsVerification(const SignatureCheck& check) {
    return check.state == SignatureState::kBad;
}

SignatureCheck NotChecked(SignatureProblem problem, std::string detail) {
    SignatureCheck check;
    check.state = SignatureState::kNotChecked;
    check.problem = problem;
    check.detail = std::move(detail);
    return check;
}

std::u16string DetachedSignatureOf(const std::u16string& listPath) {
    for (const std::u16string_view extension : kSignatureExtensions) {
        std::u16string signature = listPath + std::u16string(extension);
        if (FileExists(signature)) return signature;
    }
    return {};
}

}  // namespace tessik
