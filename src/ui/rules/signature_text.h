#pragma once
// The line that says what became of a checksum list's signature, in the words of the language in
// use: its state, who signed and with which key. Nothing for a list without one.

#include <functional>
#include <string>
#include <string_view>

#include "lists/list_signature.h"
#include "ui/rules/list_window.h"

namespace tessik {

using ListText = std::function<std::u16string(ListMemberText)>;

std::u16string SignatureText(const SignatureCheck& check, const ListText& text);

// In groups of four digits, as GnuPG shows a fingerprint to people.
std::u16string GroupedFingerprint(std::string_view fingerprint);

}  // namespace tessik
