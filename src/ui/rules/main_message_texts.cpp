#include "ui/rules/main_message_texts.h"

namespace tessik {

MainMessageTexts::MainMessageTexts(const std::u16string& languageFile) {
    const TranslationTable tables[] = {MainMemberTexts()};
    applyTexts(languageFile, tables, *this);
}

const std::u16string& MainMessageTexts::operator[](MainMemberText which) const {
    return texts_.at(static_cast<std::size_t>(which));
}

void MainMessageTexts::setText(const TextTarget& target, const std::u16string& text) {
    if (target.kind != TextTargetKind::kMember) return;
    if (target.id >= 0 && target.id < kMainMemberTextCount) {
        texts_[static_cast<std::size_t>(target.id)] = text;
    }
}

}  // namespace tessik
