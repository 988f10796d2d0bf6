#include "ui/rules/signature_text.h"

#include <gtest/gtest.h>

#include "ui/rules/list_window.h"

namespace tessik {
namespace {

// Only a good signature is ever called good; a missing engine leaves it not checked.
TEST(SignatureTextTest, SaysEachStateWithSignerAndKey) {
    const ListWindowTexts english(u"");
    const auto check = [](SignatureState state, const char* signer, bool certified = true,
                          SignatureProblem problem = SignatureProblem::kNone) {
        SignatureCheck signature;
        signature.state = state;
        signature.problem = problem;
        signature.signer = signer;
        signature.fingerprint = "0123456789ABCDEF";
        signature.keyCertified = certified;
        return signature;
    };
    SignatureCheck failed =
        check(SignatureState::kNotChecked, "", false, SignatureProblem::kEngineFailed);
    failed.detail = "No data";
    const struct {
        SignatureCheck signature;
        std::u16string text;
    } cases[] = {
        {check(SignatureState::kUnsigned, ""), u""},
        {check(SignatureState::kGood, "Ann <a@b>"),
         u"Good signature by Ann <a@b>, key 0123 4567 89AB CDEF"},
        {check(SignatureState::kGood, "Ann", false),
         u"Good signature by Ann, key 0123 4567 89AB CDEF, but your keyring does not certify the "
         u"key as theirs"},
        {check(SignatureState::kBad, "Ann"),
         u"BAD SIGNATURE: the list was changed after Ann signed it (key 0123 4567 89AB CDEF). Do "
         u"not trust it."},
        {check(SignatureState::kUnknownKey, ""),
         u"Signature not checked: the key 0123 4567 89AB CDEF is not in your keyring"},
        {check(SignatureState::kExpired, ""),
         u"Expired signature by an unknown signer, key 0123 4567 89AB CDEF"},
        {check(SignatureState::kRevoked, "Ann"),
         u"Signature by Ann with a revoked key, 0123 4567 89AB CDEF"},
        {NotChecked(SignatureProblem::kNoEngine), u"Signature not checked: GnuPG is not available"},
        {NotChecked(SignatureProblem::kNotASignature),
         u"Signature not checked: GnuPG found no signature it can check"},
        {failed, u"Signature not checked: GnuPG failed (No data)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SignatureText(c.signature, english), c.text);
    }
}

}  // namespace
}  // namespace tessik
