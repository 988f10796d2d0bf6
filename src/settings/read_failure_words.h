#pragma once
// What a file that cannot be read is called, one row per cause: the words tessik-sum prints,
// as the standard tools print them, and the windows' words, translated like every other text of
// theirs: a message (the path follows on a line of its own) and the status of a list's row.

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "platform/input_file.h"

namespace tessik {

// A window's text: its key in the language files and its built-in English.
struct TranslatedText {
    std::string_view key;
    std::u16string_view english;
};

struct ReadFailureWords {
    ReadFailure failure;
    std::string_view toolWords;
    TranslatedText message;
    TranslatedText status;
};

// Every cause once, in the order of ReadFailure.
std::span<const ReadFailureWords> ReadFailureTable();
// ReadFailure::kNone, which no failure has, reads as a read error.
const ReadFailureWords& WordsFor(ReadFailure failure);

// The windows' words in the language of a file; a path that names no file gives the built-in
// English.
class ReadFailureTexts {
  public:
    explicit ReadFailureTexts(const std::u16string& languageFile);

    const std::u16string& Message(ReadFailure failure) const;
    const std::u16string& Status(ReadFailure failure) const;

  private:
    static constexpr std::size_t kCauses = 8;
    std::array<std::u16string, kCauses> messages_;
    std::array<std::u16string, kCauses> statuses_;
};

}  // namespace tessik
