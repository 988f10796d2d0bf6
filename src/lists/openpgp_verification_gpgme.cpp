#include <gpgme.h>

#include <cerrno>
#include <cstdint>
#include <memory>

#include "lists/openpgp_verification.h"
#include "platform/input_file.h"

namespace tessik {
namespace {

struct ReleaseContext {
    void operator()(gpgme_ctx_t context) const { gpgme_release(context); }
};
struct ReleaseData {
    void operator()(gpgme_data_t data) const { gpgme_data_release(data); }
};
struct ReleaseKey {
    void operator()(gpgme_key_t key) const { gpgme_key_unref(key); }
};
using Context = std::unique_ptr<gpgme_context, ReleaseContext>;
using Data = std::unique_ptr<gpgme_data, ReleaseData>;
using Key = std::unique_ptr<_gpgme_key, ReleaseKey>;

ssize_t ReadFile(void* file, void* buffer, std::size_t size) {
    const std::int64_t got = static_cast<InputFile*>(file)->Read(buffer, size);
    if (got < 0) errno = EIO;
    return static_cast<ssize_t>(got);
}

off_t SeekFile(void* file, off_t offset, int whence) {
    if (whence != SEEK_SET || offset < 0 ||
        !static_cast<InputFile*>(file)->SeekTo(static_cast<std::uint64_t>(offset))) {
        errno = EINVAL;
        return -1;
    }
    return offset;
}

gpgme_data_cbs fileCallbacks = {ReadFile, nullptr, SeekFile, nullptr};

// A file GnuPG reads through the program's own file layer, from where it stands.
Data DataOver(InputFile& file) {
    gpgme_data_t data = nullptr;
    if (gpgme_data_new_from_cbs(&data, &fileCallbacks, &file) != GPG_ERR_NO_ERROR) return nullptr;
    return Data(data);
}

bool EngineReady() {
    static const bool initialised = gpgme_check_version(nullptr) != nullptr;
    return initialised && gpgme_engine_check_version(GPGME_PROTOCOL_OpenPGP) == GPG_ERR_NO_ERROR;
}

Context NewContext() {
    gpgme_ctx_t context = nullptr;
    if (gpgme_new(&context) != GPG_ERR_NO_ERROR) return nullptr;
    Context owned(context);
    if (gpgme_set_protocol(context, GPGME_PROTOCOL_OpenPGP) != GPG_ERR_NO_ERROR) return nullptr;
    // Offline, GnuPG starts no network helper, so neither a key server nor a key directory
    // learns which lists the user checks, even where the user's configuration asks GnuPG to
    // retrieve unknown keys. Keys are looked up in the keyring alone.
    gpgme_set_offline(context, 1);
    if (gpgme_set_keylist_mode(context, GPGME_KEYLIST_MODE_LOCAL) != GPG_ERR_NO_ERROR)
        return nullptr;
    return owned;
}

SignatureState StateOf(const gpgme_signature_t signature) {
    switch (gpgme_err_code(signature->status)) {
        case GPG_ERR_NO_ERROR:
            if (signature->summary & GPGME_SIGSUM_KEY_REVOKED) return SignatureState::kRevoked;
            if (signature->summary & (GPGME_SIGSUM_KEY_EXPIRED | GPGME_SIGSUM_SIG_EXPIRED))
                return SignatureState::kExpired;
            return SignatureState::kGood;
        case GPG_ERR_BAD_SIGNATURE:
            return SignatureState::kBad;
        case GPG_ERR_NO_PUBKEY:
            return SignatureState::kUnknownKey;
        case GPG_ERR_SIG_EXPIRED:
        case GPG_ERR_KEY_EXPIRED:
            return SignatureState::kExpired;
        case GPG_ERR_CERT_REVOKED:
            return SignatureState::kRevoked;
        default:
            return SignatureState::kNotChecked;
    }
}

// Of several signatures the worst speaks for all: each may cover other text (several
// clear-signed parts), and one good signature must not vouch for what another leaves open.
int Severity(SignatureState state) {
    switch (state) {
        case SignatureState::kBad:
            return 5;
        case SignatureState::kNotChecked:
            return 4;
        case SignatureState::kRevoked:
            return 3;
        case SignatureState::kExpired:
            return 2;
        case SignatureState::kUnknownKey:
            return 1;
        default:
            return 0;
    }
}

SignatureCheck Described(gpgme_ctx_t context, const gpgme_signature_t signature) {
    SignatureCheck check;
    check.state = StateOf(signature);
    if (check.state == SignatureState::kNotChecked) {
        check.problem = SignatureProblem::kEngineFailed;
        check.detail = gpgme_strerror(signature->status);
    }
    check.keyCertified = signature->validity == GPGME_VALIDITY_FULL ||
                         signature->validity == GPGME_VALIDITY_ULTIMATE;
    if (signature->fpr != nullptr) check.fingerprint = signature->fpr;
    gpgme_key_t key = nullptr;
    if (signature->fpr != nullptr &&
        gpgme_get_key(context, signature->fpr, &key, 0) == GPG_ERR_NO_ERROR) {
        const Key owned(key);
        if (key->fpr != nullptr) check.fingerprint = key->fpr;
        if (key->uids != nullptr && key->uids->uid != nullptr) check.signer = key->uids->uid;
    }
    return check;
}

SignatureCheck Verified(gpgme_ctx_t context, gpgme_error_t error) {
    if (gpgme_err_code(error) == GPG_ERR_NO_DATA) {
        return NotChecked(SignatureProblem::kNotASignature, gpgme_strerror(error));
    }
    if (error != GPG_ERR_NO_ERROR) {
        return NotChecked(SignatureProblem::kEngineFailed, gpgme_strerror(error));
    }
    const gpgme_verify_result_t result = gpgme_op_verify_result(context);
    if (result == nullptr || result->signatures == nullptr) {
        return NotChecked(SignatureProblem::kNotASignature);
    }
    gpgme_signature_t worst = result->signatures;
    for (gpgme_signature_t s = worst->next; s != nullptr; s = s->next) {
        if (Severity(StateOf(s)) > Severity(StateOf(worst))) worst = s;
    }
    return Described(context, worst);
}

}  // namespace

SignatureCheck VerifyDetachedSignature(InputFile& signedFile, const std::u16string& signaturePath) {
    if (!EngineReady()) return NotChecked(SignatureProblem::kNoEngine);
    InputFile signature;
    if (signature.Open(signaturePath) != ReadFailure::kNone) {
        return NotChecked(SignatureProblem::kUnreadable);
    }
    const Data signatureData = DataOver(signature);
    const Data signedData = DataOver(signedFile);
    const Context context = NewContext();
    if (signatureData == nullptr || signedData == nullptr || context == nullptr) {
        return NotChecked(SignatureProblem::kEngineFailed);
    }
    return Verified(context.get(),
                    gpgme_op_verify(context.get(), signatureData.get(), signedData.get(), nullptr));
}

SignatureCheck VerifyClearSignedFile(InputFile& clearSigned, std::FILE* text) {
    if (!EngineReady()) return NotChecked(SignatureProblem::kNoEngine);
    gpgme_data_t plain = nullptr;
    if (gpgme_data_new_from_stream(&plain, text) != GPG_ERR_NO_ERROR) {
        return NotChecked(SignatureProblem::kEngineFailed);
    }
    const Data plainText(plain);
    const Data clearSignedData = DataOver(clearSigned);
    const Context context = NewContext();
    if (clearSignedData == nullptr || context == nullptr) {
        return NotChecked(SignatureProblem::kEngineFailed);
    }
    return Verified(context.get(), gpgme_op_verify(context.get(), clearSignedData.get(), nullptr,
                                                   plainText.get()));
}

}  // namespace tessik
