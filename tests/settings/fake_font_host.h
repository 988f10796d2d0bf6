#pragma once
// A stand-in for a window's fonts: it keeps the font the logic gives it and logs each one.

#include <string>
#include <vector>

#include "settings/font_settings.h"

namespace tessik::test {

inline FontDescription MakeFont(std::u16string face, int height, int weight, int charSet,
                                int pitch) {
    FontDescription font;
    font.faceName = std::move(face);
    font.height = height;
    font.weight = weight;
    font.charSet = static_cast<std::uint8_t>(charSet);
    font.pitchAndFamily = static_cast<std::uint8_t>(pitch);
    return font;
}

class FakeFontHost : public FontHost {
  public:
    FakeFontHost(FontDescription system, FontDescription own, std::vector<std::string>* log)
        : system_(std::move(system)), current_(std::move(own)), log_(log) {}

    FontDescription systemMessageFont() const override { return system_; }
    FontDescription currentFont() const override { return current_; }
    void applyFont(const FontDescription& font) override {
        current_ = font;
        ++applyCount_;
        if (log_ != nullptr) log_->push_back("font");
    }
    int applyCount() const { return applyCount_; }

  private:
    FontDescription system_;
    FontDescription current_;
    std::vector<std::string>* log_;
    int applyCount_ = 0;
};

}  // namespace tessik::test
