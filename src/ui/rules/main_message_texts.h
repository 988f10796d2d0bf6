#pragma once
// The main window's messages about files, in the language in use, for the other windows that
// have the same things to say: a file that cannot be read, or written.

#include <array>
#include <string>

#include "settings/language_catalogue.h"
#include "ui/rules/main_window.h"

namespace tessik {

class MainMessageTexts final : public TextSink {
  public:
    // From the language file; a path that names none gives the built-in texts.
    explicit MainMessageTexts(const std::u16string& languageFile);

    const std::u16string& operator[](MainMemberText which) const;
    void setText(const TextTarget& target, const std::u16string& text) override;

  private:
    std::array<std::u16string, kMainMemberTextCount> texts_;
};

}  // namespace tessik
