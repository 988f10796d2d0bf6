#include "ui/rules/signature_text.h"

#include "platform/text_conversion.h"
#include "ui/rules/text_pattern.h"

namespace tessik {
namespace {

std::u16string WhyNotChecked(const SignatureCheck& check, const ListText& text) {
    switch (check.problem) {
        case SignatureProblem::kNoEngine:
        case SignatureProblem::kNotAsked:
            return text(ListMemberText::kNoGnuPG);
        case SignatureProblem::kNotASignature:
            return text(ListMemberText::kNotASignature);
        case SignatureProblem::kUnreadable:
            return text(ListMemberText::kSignatureUnreadable);
        case SignatureProblem::kNone:
        case SignatureProblem::kEngineFailed:
            break;
    }
    return FillIn(text(ListMemberText::kGnuPGFailed), {FromUtf8(check.detail)});
}

}  // namespace

std::u16string SignatureText(const SignatureCheck& check, const ListText& text) {
    ListMemberText pattern = ListMemberText::kSignatureGood;
    switch (check.state) {
        case SignatureState::kUnsigned:
            return {};
        case SignatureState::kGood:
            if (!check.keyCertified) pattern = ListMemberText::kSignatureUncertified;
            break;
        case SignatureState::kBad:
            pattern = ListMemberText::kSignatureBad;
            break;
        case SignatureState::kUnknownKey:
            pattern = ListMemberText::kSignatureUnknownKey;
            break;
        case SignatureState::kExpired:
            pattern = ListMemberText::kSignatureExpired;
            break;
        case SignatureState::kRevoked:
            pattern = ListMemberText::kSignatureRevoked;
            break;
        case SignatureState::kNotChecked:
            return FillIn(text(ListMemberText::kSignatureNotChecked), {WhyNotChecked(check, text)});
    }
    const std::u16string signer =
        check.signer.empty() ? text(ListMemberText::kUnknownSigner) : FromUtf8(check.signer);
    return FillIn(text(pattern), {signer, GroupedFingerprint(check.fingerprint)});
}

std::u16string GroupedFingerprint(std::string_view fingerprint) {
    std::u16string grouped;
    for (std::size_t i = 0; i < fingerprint.size(); ++i) {
        if (i > 0 && i % 4 == 0) grouped += u' ';
        grouped += static_cast<char16_t>(static_cast<unsigned char>(fingerprint[i]));
    }
    return grouped;
}

}  // namespace tessik
