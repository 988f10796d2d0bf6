#pragma once
// The OpenPGP signature of a checksum list, checked by GnuPG against the user's own keyring and
// trust: a detached signature beside the list, or the signature of a clear-signed list. No key
// is ever fetched from the network, whatever the user's GnuPG configuration asks for: a list
// signed by a key the keyring lacks says so. Where GnuPG cannot be used the signature is "not
// checked", never good.

#include <array>
#include <string>
#include <string_view>

namespace tessik {

enum class SignatureState {
    kUnsigned,  // no signature beside the list, and the list is not clear-signed
    kGood,
    kBad,         // the list, or its signed text, was changed after signing
    kUnknownKey,  // signed by a key the keyring does not hold
    kExpired,     // the signature or the key has expired
    kRevoked,     // the key was revoked
    kNotChecked,  // see problem
};

enum class SignatureProblem {
    kNone,
    kNoEngine,       // GnuPG is not installed, or the program was built without it
    kNotASignature,  // the signature holds nothing GnuPG can check (another kind of signature)
    kUnreadable,     // the list or its signature could not be read
    kEngineFailed,   // GnuPG failed otherwise; see detail
    kNotAsked,       // the caller opened the list without checking its signature
};

struct SignatureCheck {
    SignatureState state = SignatureState::kUnsigned;
    SignatureProblem problem = SignatureProblem::kNone;  // with kNotChecked
    std::string detail;                                  // GnuPG's own words for a problem
    std::string signer;  // the key's first user id, UTF-8; empty when the key is unknown
    // Upper-case hexadecimal, as GnuPG shows it. Of an unknown key, what the signature names,
    // which may be only the 16-digit key id.
    std::string fingerprint;
    bool keyCertified = false;     // the keyring's trust vouches that the key is the signer's
    std::u16string signaturePath;  // the detached signature, or the list itself
};

// A bad signature fails a verification run however its entries compare. Any other state is
// shown beside the run's result, which it leaves as it is.
bool FailsVerification(const SignatureCheck& check);

SignatureCheck NotChecked(SignatureProblem problem, std::string detail = {});

// What a detached signature's name adds to the list's, in the order they are looked for.
inline constexpr std::array<std::u16string_view, 4> kSignatureExtensions = {u".gpg", u".sig",
                                                                            u".asc", u".sign"};

// The first of <list>.gpg, .sig, .asc and .sign that is a file; empty when none is.
std::u16string DetachedSignatureOf(const std::u16string& listPath);

}  // namespace tessik
