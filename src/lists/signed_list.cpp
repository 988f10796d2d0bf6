#include "lists/signed_list.h"

#include <cerrno>
#include <cstring>
#include <string>
#include <utility>

#include "lists/clear_signed_text.h"
#include "lists/openpgp_verification.h"

namespace tessik {

SignedList::~SignedList() {
    if (checkedText_ != nullptr) std::fclose(checkedText_);
}

ReadFailure SignedList::Open(const std::u16string& path, Checking checking) {
    if (checkedText_ != nullptr) std::fclose(std::exchange(checkedText_, nullptr));
    if (const ReadFailure failure = file_.Open(path); failure != ReadFailure::kNone) return failure;
    std::string first(kClearSignedSearchBytes, '\0');
    const std::int64_t got = file_.Read(first.data(), first.size());
    if (got < 0 || !file_.SeekTo(0)) {
        file_.Close();
        return ReadFailure::kIoError;
    }
    first.resize(static_cast<std::size_t>(got));
    clearSigned_ = HoldsClearSignedText(first);
    const std::u16string signature = clearSigned_ ? path : DetachedSignatureOf(path);
    if (signature.empty()) {
        signature_ = {};
    } else if (checking == Checking::kSkip) {
        signature_ = NotChecked(SignatureProblem::kNotAsked);
    } else if (clearSigned_) {
        CheckClearSigned();
    } else {
        signature_ = VerifyDetachedSignature(file_, signature);
    }
    signature_.signaturePath = signature;
    if (!file_.SeekTo(0)) {
        file_.Close();
        return ReadFailure::kIoError;
    }
    return ReadFailure::kNone;
}

// GnuPG's text where it checked the signature; otherwise, the file is read through the armor.
void SignedList::CheckClearSigned() {
    checkedText_ = std::tmpfile();
    if (checkedText_ == nullptr) {
        signature_ = NotChecked(SignatureProblem::kEngineFailed, std::strerror(errno));
        return;
    }
    signature_ = VerifyClearSignedFile(file_, checkedText_);
    if (signature_.state != SignatureState::kNotChecked && std::fflush(checkedText_) == 0 &&
        std::fseek(checkedText_, 0, SEEK_SET) == 0) {
        return;
    }
    std::fclose(std::exchange(checkedText_, nullptr));
    if (signature_.state != SignatureState::kNotChecked) {
        signature_ = NotChecked(SignatureProblem::kEngineFailed, std::strerror(errno));
    }
}

ListBytes SignedList::Bytes() {
    if (checkedText_ != nullptr) {
        return [text = checkedText_](char* buffer, std::size_t capacity) -> std::int64_t {
            const std::size_t got = std::fread(buffer, 1, capacity, text);
            return got == 0 && std::ferror(text) ? -1 : static_cast<std::int64_t>(got);
        };
    }
    ListBytes file = [this](char* buffer, std::size_t capacity) {
        return file_.Read(buffer, capacity);
    };
    return clearSigned_ ? SignedTextOf(std::move(file)) : file;
}

}  // namespace tessik
