#include "settings/font_settings.h"

namespace tessik {
namespace {

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

FontDescription Limited(FontDescription font) {
    font.faceName = LimitFaceName(std::move(font.faceName));
    return font;
}

// `base` with the typeface of `from`: face name, character set, pitch and family, and the
// height when asked; weight, slant and the rest stay those of `base`.
FontDescription WithTypeface(FontDescription base, const FontDescription& from, bool withHeight) {
    base.faceName = from.faceName;
    base.charSet = from.charSet;
    base.pitchAndFamily = from.pitchAndFamily;
    if (withHeight) base.height = from.height;
    return base;
}

}  // namespace

std::u16string LimitFaceName(std::u16string name) {
    if (name.size() > kMaxFaceNameUnits) {
        const bool splitsPair = IsHighSurrogate(name[kMaxFaceNameUnits - 1]);
        name.resize(splitsPair ? kMaxFaceNameUnits - 1 : kMaxFaceNameUnits);
    }
    return name;
}

FontSettings::FontSettings(FontHost& owner) : owner_(owner) {
    reset();
}

void FontSettings::reset() {
    systemFont_ = Limited(owner_.systemMessageFont());
    dialogFont_ = Limited(owner_.currentFont());
    chosenFont_ =
        useBuildInFont_ ? dialogFont_ : WithTypeface(dialogFont_, systemFont_, useFontHeight_);
}

void FontSettings::applyTo(FontHost& window, bool withHeight) {
    appliedFont_ = WithTypeface(Limited(window.currentFont()), chosenFont_, withHeight);
    window.applyFont(appliedFont_);
}

void FontSettings::copyTo(FontSettings& other) const {
    other.useBuildInFont_ = useBuildInFont_;
    other.useFontSettings_ = useFontSettings_;
    other.useFontHeight_ = useFontHeight_;
    other.systemFont_ = systemFont_;
    other.dialogFont_ = dialogFont_;
    other.chosenFont_ = chosenFont_;
    other.appliedFont_ = appliedFont_;
}

void FontSettings::setFaceName(const std::u16string& name) {
    chosenFont_.faceName = LimitFaceName(name);
}

void FontSettings::setHeight(std::int32_t height) {
    if (useFontHeight_) chosenFont_.height = height;
}

void FontSettings::setFromFont(const FontDescription& font) {
    const std::int32_t height = useFontHeight_ ? font.height : dialogFont_.height;
    chosenFont_ = Limited(font);
    chosenFont_.height = height;
}

}  // namespace tessik
