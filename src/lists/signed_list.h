#pragma once
// A checksum list opened for reading, with its signature. A clear-signed list is read as its
// signed text alone, never what was put in front of it or after it: the text GnuPG checked,
// kept in an unnamed temporary file until it is read, or, where the signature is not checked,
// the text the armor holds. Any other list is read as it is, and a detached signature beside it
// is checked when the list is opened, before anything is read. Either way the list reader reads
// Bytes() as it would a file's, and FailsVerification(Signature()) fails the run.

#include <cstdint>
#include <cstdio>
#include <string>

#include "lists/checksum_list_reader.h"
#include "lists/list_signature.h"
#include "platform/input_file.h"

namespace tessik {

class SignedList {
  public:
    enum class Checking { kCheck, kSkip };  // kSkip: GnuPG is not started

    SignedList() = default;
    ~SignedList();
    SignedList(const SignedList&) = delete;
    SignedList& operator=(const SignedList&) = delete;

    // kNone when the list is open; why it is not otherwise.
    ReadFailure Open(const std::u16string& path, Checking checking = Checking::kCheck);
    // What the list reader reads; for as long as this object lives.
    ListBytes Bytes();
    const SignatureCheck& Signature() const { return signature_; }
    // The list file's size when it was opened, signature armor and all.
    std::uint64_t FileSize() const { return file_.Size(); }
    bool IsClearSigned() const { return clearSigned_; }

  private:
    void CheckClearSigned();

    InputFile file_;
    std::FILE* checkedText_ = nullptr;  // what GnuPG checked of a clear-signed list
    bool clearSigned_ = false;
    SignatureCheck signature_;
};

}  // namespace tessik
