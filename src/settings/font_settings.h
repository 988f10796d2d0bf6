#pragma once
// The fonts of the windows: the system's message font, the font a window was built with, the
// font the settings describe and the font last given to a window. Fonts are plain
// descriptions; the window side creates real fonts from them through FontHost.

#include <cstddef>
#include <cstdint>
#include <string>

namespace tessik {

// A face name holds at most this many UTF-16 units.
inline constexpr std::size_t kMaxFaceNameUnits = 31;

// The fields of a logical font.
struct FontDescription {
    std::int32_t height = 0;  // logical units; negative: character height
    std::int32_t width = 0;
    std::int32_t escapement = 0;
    std::int32_t orientation = 0;
    std::int32_t weight = 0;
    std::uint8_t italic = 0;
    std::uint8_t underline = 0;
    std::uint8_t strikeOut = 0;
    std::uint8_t charSet = 0;
    std::uint8_t outPrecision = 0;
    std::uint8_t clipPrecision = 0;
    std::uint8_t quality = 0;
    std::uint8_t pitchAndFamily = 0;
    std::u16string faceName;

    bool operator==(const FontDescription&) const = default;
};

// The name cut to kMaxFaceNameUnits, never between the two halves of a surrogate pair.
std::u16string LimitFaceName(std::u16string name);

// One window as the font logic sees it.
class FontHost {
  public:
    virtual ~FontHost() = default;
    // The system's message font (the same for every window).
    virtual FontDescription systemMessageFont() const = 0;
    virtual FontDescription currentFont() const = 0;
    // Gives the window the font and redraws it, then gives every descendant window, at all
    // levels, the same font without redrawing them.
    virtual void applyFont(const FontDescription& font) = 0;
};

class FontSettings {
  public:
    // Flags start as: build-in font off, font settings on, font height off; then `reset`.
    explicit FontSettings(FontHost& owner);

    // Re-reads the system and owner fonts and rebuilds the chosen font from them.
    void reset();
    // Gives the window the face, character set and pitch of the chosen font (and its height
    // when asked) on top of the window's own font.
    void applyTo(FontHost& window, bool withHeight);
    // The flags and all four fonts; the owner stays.
    void copyTo(FontSettings& other) const;

    FontHost& owner() const { return owner_; }
    const std::u16string& faceName() const { return chosenFont_.faceName; }
    std::uint8_t charset() const { return chosenFont_.charSet; }
    std::int32_t height() const { return chosenFont_.height; }
    std::uint8_t pitchAndFamily() const { return chosenFont_.pitchAndFamily; }
    std::int32_t dialogFontHeight() const { return dialogFont_.height; }

    void setFaceName(const std::u16string& name);
    void setCharset(std::uint8_t charSet) { chosenFont_.charSet = charSet; }
    void setPitchAndFamily(std::uint8_t pitchAndFamily) {
        chosenFont_.pitchAndFamily = pitchAndFamily;
    }
    // Only while `useFontHeight` is set; otherwise the chosen height stays.
    void setHeight(std::int32_t height);
    void copyChosenFontTo(FontDescription& font) const { font = chosenFont_; }
    // The chosen font becomes the given one, keeping the dialog font's height unless
    // `useFontHeight` is set.
    void setFromFont(const FontDescription& font);

    bool useBuildInFont() const { return useBuildInFont_; }
    bool useFontSettings() const { return useFontSettings_; }
    bool useFontHeight() const { return useFontHeight_; }
    void setUseBuildInFont(bool value) { useBuildInFont_ = value; }
    void setUseFontSettings(bool value) { useFontSettings_ = value; }
    void setUseFontHeight(bool value) { useFontHeight_ = value; }

    const FontDescription& systemFont() const { return systemFont_; }
    const FontDescription& dialogFont() const { return dialogFont_; }
    const FontDescription& appliedFont() const { return appliedFont_; }

  private:
    FontHost& owner_;
    FontDescription systemFont_;
    FontDescription dialogFont_;
    FontDescription chosenFont_;
    FontDescription appliedFont_;
    bool useBuildInFont_ = false;
    bool useFontSettings_ = true;
    bool useFontHeight_ = false;
};

}  // namespace tessik
